// Reading many computers at once, each on a thread of its own, a few at a time; a computer
// that does not answer its first query in time is given up, and the others go on.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/threads.h"

namespace brask {

struct ParallelReads {
  std::size_t atOnce = 8;                           // reads running at the same time
  std::chrono::milliseconds firstAnswer{60'000};    // for a read's first answer
};

// Calls read(i, answered) for each i below count, each on a thread of its own, at most
// `atOnce` at a time, in the order of i. A read calls answered() from its thread once its
// computer has answered the first query; one that has not done so `firstAnswer` after its
// start is given up: never waited for again, its thread left to end as it will. done(n) is
// called on this thread whenever the number of reads ended or given up grows, to n.
// Returns, for each i, whether its read ended (else it was given up). Since a read given up
// may outlive this call, `read` must own, or share, everything it touches but `threads`,
// which must outlive every read.
std::vector<bool> readInParallel(Threads& threads, const ParallelReads& limits, std::size_t count,
                                 const std::function<void(std::size_t, const std::function<void()>&)>& read,
                                 const std::function<void(std::size_t)>& done);

}  // namespace brask
