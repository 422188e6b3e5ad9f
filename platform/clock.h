// The local clock.
#pragma once

#include <cstdint>

#include "platform/date_time.h"

namespace brask {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time, to the second.
  virtual DateTime now() = 0;
  // The current time as seconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t secondsSince1970() = 0;
  // The local date and time, to the second, of a time given as seconds since 1970 UTC.
  virtual DateTime localTime(std::int64_t secondsSince1970) = 0;
};

}  // namespace brask
