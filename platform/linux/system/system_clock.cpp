#include "platform/linux/system/system_clock.h"

#include <ctime>

#include "platform/linux/local_time.h"

namespace brask {

DateTime SystemClock::now() { return localDateTime(std::time(nullptr)); }

std::int64_t SystemClock::secondsSince1970() { return std::time(nullptr); }

DateTime SystemClock::localTime(std::int64_t secondsSince1970) {
  return localDateTime(static_cast<std::time_t>(secondsSince1970));
}

}  // namespace brask
