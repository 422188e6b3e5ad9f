// The local clock: GetLocalTime.
#pragma once

#include "platform/clock.h"

namespace brask {

class LocalClock final : public Clock {
 public:
  DateTime now() override;
};

}  // namespace brask
