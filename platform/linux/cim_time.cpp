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
  const std::tm local = localFields(secondsOf(microseconds));
  return cimText({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec},
                 static_cast<std::uint32_t>(microseconds % 1000000), local.tm_gmtoff / 60);
}

}  // namespace brask
