// An event's time, a FILETIME in UTC, as TimeWritten: the CIM text of its local time in
// the system's time zone, with its offset from UTC then.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brask {

// Nothing for a time that Windows cannot convert.
std::optional<std::wstring> localCimTime(std::uint64_t fileTime);

}  // namespace brask
