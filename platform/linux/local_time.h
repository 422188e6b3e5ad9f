// A moment in the local wall-clock time of the process's time zone (TZ).
#pragma once

#include <ctime>

#include "platform/date_time.h"

namespace brask {

struct LocalTime {
  DateTime wallClock;
  long utcOffset;  // seconds ahead of UTC
};

// The moment's local wall-clock time, with its offset from UTC. The C library's time zone
// is asked at most twice for each quarter of an hour on each thread (localtime_r takes a
// lock that threads reading at once would wait on): where the offset at a quarter's first
// and last second agree, it holds for every second between, since no time zone changes
// its offset twice within a quarter of an hour. A zone that counts leap seconds is asked
// every time.
LocalTime localTime(std::time_t seconds);

// The same to the second, as a DateTime.
DateTime localDateTime(std::time_t seconds);

}  // namespace brask
