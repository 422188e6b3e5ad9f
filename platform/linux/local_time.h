// A moment in the local wall-clock time of the process's time zone (TZ).
#pragma once

#include <ctime>

#include "platform/date_time.h"

namespace brask {

// The calendar fields of the moment, with its offset from UTC.
std::tm localFields(std::time_t seconds);

// The same to the second, as a DateTime.
DateTime localDateTime(std::time_t seconds);

}  // namespace brask
