#include "utc_time.h"

#include <ctime>

namespace brask::test {

std::uint64_t utcMicroseconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm utc{};
  utc.tm_year = year - 1900;
  utc.tm_mon = month - 1;
  utc.tm_mday = day;
  utc.tm_hour = hour;
  utc.tm_min = minute;
  utc.tm_sec = second;
  return static_cast<std::uint64_t>(timegm(&utc)) * 1000000;
}

}  // namespace brask::test
