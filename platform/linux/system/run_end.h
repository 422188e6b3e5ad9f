// How the Linux program ends after a run: once every reading thread has ended, or at once
// where one still runs, so that nothing it uses is destroyed under it.
#pragma once

#include "platform/threads.h"

namespace brask {

// The exit code, once every thread started has ended within a few seconds; where one still
// runs, the output is flushed and the process ends at once with the code.
int endOnceThreadsEnd(Threads& threads, int code);

}  // namespace brask
