// The local clock of the system, in the time zone of the process (TZ).
#pragma once

#include "platform/clock.h"

namespace brask {

class SystemClock : public Clock {
 public:
  DateTime now() override;
  std::int64_t secondsSince1970() override;
  DateTime localTime(std::int64_t secondsSince1970) override;
};

}  // namespace brask
