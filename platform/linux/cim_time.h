// A journal time stamp as the CIM date-time text of the event logs: local wall-clock time
// with its offset from UTC, yyyymmddHHMMSS.ffffff+ooo (sign and minutes).
#pragma once

#include <cstdint>
#include <string>

#include "platform/date_time.h"

namespace brask {

// microseconds: since 1970-01-01 00:00:00 UTC; local time as the process's TZ has it.
// A local time beyond the year 9999 has its 14 digits of date and time as asterisks.
std::wstring cimDateTime(std::uint64_t microseconds);

// The local wall-clock time, to the second, that cimDateTime states.
DateTime localWallClock(std::uint64_t microseconds);

}  // namespace brask
