// How long one call to another computer may go unanswered: the limit under which the reads
// of many computers give a silent one up, which the event sources' own waits keep to.
#pragma once

#include <chrono>

#include "computers/parallel_reads.h"

namespace brask {

inline constexpr std::chrono::milliseconds kCallLimit = ParallelReads{}.callLimit;

}  // namespace brask
