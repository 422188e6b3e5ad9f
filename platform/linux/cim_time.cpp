#include "platform/linux/cim_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace brask {

std::wstring cimDateTime(std::uint64_t microseconds) {
  const std::time_t seconds = static_cast<std::time_t>(microseconds / 1000000);
  std::tm local{};
  localtime_r(&seconds, &local);
  const long offsetMinutes = local.tm_gmtoff / 60;
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d%02d%02d%02d%02d%02d.%06d%lc%03ld", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(microseconds % 1000000), offsetMinutes < 0 ? L'-' : L'+',
                std::labs(offsetMinutes));
  return text;
}

}  // namespace brask
