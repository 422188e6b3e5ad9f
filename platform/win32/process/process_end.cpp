#include "platform/win32/process/process_end.h"

#include <windows.h>

namespace brask {

int endOnceThreadsEnd(Threads& threads, int exitCode, std::chrono::milliseconds atMost) {
  if (!threads.join(atMost)) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
  return exitCode;
}

}  // namespace brask
