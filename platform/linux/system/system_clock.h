// The local clock of the system, in the time zone of the process (TZ).
#pragma once

#include "platform/clock.h"

namespace brask {

class SystemClock : public Clock {
 public:
  DateTime now() override;
};

}  // namespace brask
