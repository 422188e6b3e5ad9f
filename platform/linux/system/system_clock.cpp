#include "platform/linux/system/system_clock.h"

#include <ctime>

#include "platform/linux/local_time.h"

namespace brask {

DateTime SystemClock::now() { return localDateTime(std::time(nullptr)); }

}  // namespace brask
