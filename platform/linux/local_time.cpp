#include "platform/linux/local_time.h"

namespace brask {

std::tm localFields(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

DateTime localDateTime(std::time_t seconds) {
  const std::tm local = localFields(seconds);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace brask
