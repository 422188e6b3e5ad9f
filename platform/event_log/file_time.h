// The times of the event logs: FILETIME, 100 ns since 1601-01-01 00:00:00 UTC, and the
// SystemTime text of an event's XML, such as "2017-07-12T17:16:28.2141616Z".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace brask {

// As microseconds since 1970; 0 for times before 1970.
std::uint64_t unixMicroseconds(std::uint64_t fileTime);

// The FILETIME of a SystemTime text: a UTC date and time to the second, a fraction of any
// number of digits (those beyond 100 ns left out) or none, and "Z". Nothing for any other
// text or a time before 1601.
std::optional<std::uint64_t> fileTimeOfSystemTime(std::string_view text);

// Microseconds since 1970 as SystemTime text to the millisecond, "2009-08-11T00:00:00.000Z".
std::wstring systemTimeText(std::uint64_t microseconds);

// A FILETIME as an event's XML writes one, to the nanosecond: "2015-10-09T05:04:30.000941900Z".
std::wstring fileTimeText(std::uint64_t fileTime);

// A UTC time as SystemTime text, its fraction of a second in `digits` digits.
std::wstring utcTimeText(const DateTime& utc, std::int64_t fraction, std::size_t digits);

// A moment, in microseconds since 1970, by which every event written before a local
// wall-clock time had been written, in any time zone and across any change of daylight
// saving: that time a day later read as UTC, since no zone is a day from UTC. 0 before 1970.
std::uint64_t utcBoundOf(const DateTime& writtenBefore);
// The other side: every time (microseconds since 1970, UTC) before this one is before that
// local wall-clock time in any time zone: that time a day earlier read as UTC. 0 before
// 1970 and on its first day.
std::uint64_t utcSurelyBefore(const DateTime& writtenBefore);

}  // namespace brask
