// A moment as the event logs write TimeWritten: the CIM date-time text of its local
// wall-clock time with the offset from UTC, yyyymmddHHMMSS.ffffff+ooo (sign and minutes).
#pragma once

#include <cstdint>
#include <string>

#include "platform/date_time.h"

namespace brask {

// microseconds: within the second. A local time beyond the year 9999 has its 14 digits
// of date and time as asterisks.
std::wstring cimText(const DateTime& local, std::uint32_t microseconds, long offsetMinutes);

}  // namespace brask
