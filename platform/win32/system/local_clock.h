// The local clock: GetLocalTime, and the system's time zone for other times.
#pragma once

#include "platform/clock.h"

namespace brask {

class LocalClock final : public Clock {
 public:
  DateTime now() override;
  std::int64_t secondsSince1970() override;
  // SystemTimeToTzSpecificLocalTime, with the rules of that time's year where Windows keeps
  // them; the moment itself where it cannot be converted.
  DateTime localTime(std::int64_t secondsSince1970) override;
};

}  // namespace brask
