#include "platform/linux/system/run_end.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace brask {
namespace {

// How long the end of a run waits for the threads it started: a read given up may still run.
constexpr std::chrono::seconds kThreadsEnd{5};

}  // namespace

int endOnceThreadsEnd(Threads& threads, int code) {
  if (!threads.join(kThreadsEnd)) {
    std::fflush(nullptr);
    ::_exit(code);
  }
  return code;
}

}  // namespace brask
