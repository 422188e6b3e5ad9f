// The FILETIME of the event logs, 100 ns since 1601-01-01 00:00:00 UTC, as a moment.
#pragma once

#include <cstdint>

namespace brask {

// As microseconds since 1970; 0 for times before 1970.
std::uint64_t unixMicroseconds(std::uint64_t fileTime);

}  // namespace brask
