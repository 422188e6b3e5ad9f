// How brask.exe ends once its run is over: with the run's exit code, and never while a thread
// it started may still use what the ending destroys.
#pragma once

#include <chrono>

#include "platform/threads.h"

namespace brask {

// How long the end waits for the reading threads, cancelled or given up, to end.
inline constexpr std::chrono::milliseconds kThreadsEndWithin{5'000};

// The exit code, once every thread started through `threads` has ended, waiting at most
// `atMost`; the program then returns it from WinMain as always. Where one still runs (a read
// given up inside RPC or COM, which may hold the loader's or COM's locks), the process ends
// here and now through TerminateProcess with the exit code, as Microsoft advises where the
// state of a process's threads is not known: ExitProcess would run every DLL's detach code,
// which may wait for those locks for ever, and the objects the thread uses would be
// destroyed under it. Everything the program writes has gone to the system already
// (WriteFile, and a report flushed before it was put in place): nothing is lost.
int endOnceThreadsEnd(Threads& threads, int exitCode, std::chrono::milliseconds atMost = kThreadsEndWithin);

}  // namespace brask
