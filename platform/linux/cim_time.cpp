#include "platform/linux/cim_time.h"

#include <ctime>

#include "platform/event_log/cim_text.h"
#include "platform/linux/local_time.h"

namespace brask {
namespace {

std::time_t secondsOf(std::uint64_t microseconds) {
  return static_cast<std::time_t>(microseconds / 1000000);
}

}  // namespace

DateTime localWallClock(std::uint64_t microseconds) { return localDateTime(secondsOf(microseconds)); }

std::wstring cimDateTime(std::uint64_t microseconds) {
  const LocalTime local = localTime(secondsOf(microseconds));
  return cimText(local.wallClock, static_cast<std::uint32_t>(microseconds % 1000000), local.utcOffset / 60);
}

}  // namespace brask
