// Reading of day-first date texts, the only order in which the system builds them.
#pragma once

#include <optional>
#include <string_view>

#include "platform/date_time.h"

namespace brask {

// "d/m/y": three whole numbers in decimal digits (leading zeros allowed, blanks around each
// part ignored) that name an existing calendar day; the result is midnight of that day.
std::optional<DateTime> readDayFirstDate(std::wstring_view text);

// "d/m/y H:M:S": the same date, a blank, then hours, minutes and seconds of a valid time.
std::optional<DateTime> readDayFirstDateTime(std::wstring_view text);

}  // namespace brask
