// Reading many computers at once, each on a thread of its own, a few at a time. No wait on
// a computer is without a bound: one whose call has not answered in time is cancelled, and
// given up if even that does not end its read, while the others go on.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/threads.h"

namespace brask {

struct ParallelReads {
  std::size_t atOnce = 8;                        // reads running at the same time
  std::chrono::milliseconds callLimit{60'000};   // for any one call to answer
  std::chrono::milliseconds grace{5'000};        // for a cancelled read to end
};

// How a read ended.
enum class ReadEnd {
  Ended,      // by itself
  Cancelled,  // after it was cancelled for a call that did not answer in time
  GivenUp,    // not even then: its thread is left to end as it will
};

// Calls read(i, answered) for each i below count, each on a thread of its own, at most
// `atOnce` at a time, in the order of i. A read calls answered() from its thread each time
// its computer answers a call; the start counts as one. One whose computer has not answered
// `callLimit` after the last answer is cancelled through cancel(i), on this thread, and given
// up when it has not ended `grace` later. ended(i, how) is called on this thread as each
// read ends or is given up. Waits through threads.wait(), whose RunCancelled (the user
// closed the window) cancels every read still running before it goes on. Since a read given
// up may outlive this call, `read` must own, or share, everything it touches but `threads`,
// which the program keeps until its threads have ended (Threads::join).
void readInParallel(Threads& threads, const ParallelReads& limits, std::size_t count,
                    const std::function<void(std::size_t, const std::function<void()>&)>& read,
                    const std::function<void(std::size_t)>& cancel,
                    const std::function<void(std::size_t, ReadEnd)>& ended);

}  // namespace brask
