// The local clock.
#pragma once

#include "platform/date_time.h"

namespace brask {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time, to the second.
  virtual DateTime now() = 0;
};

}  // namespace brask
