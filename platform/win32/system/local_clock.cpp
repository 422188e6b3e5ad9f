#include "platform/win32/system/local_clock.h"

#include <windows.h>

namespace brask {
namespace {

// 100-nanosecond ticks from 1601, the FILETIME epoch, to 1970.
constexpr std::int64_t kTicksTo1970 = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

DateTime dateTimeOf(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace

DateTime LocalClock::now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return dateTimeOf(time);
}

std::int64_t LocalClock::secondsSince1970() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks =
      static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
  return (ticks - kTicksTo1970) / kTicksPerSecond;
}

DateTime LocalClock::localTime(std::int64_t secondsSince1970) {
  const auto ticks = static_cast<std::uint64_t>(secondsSince1970 * kTicksPerSecond + kTicksTo1970);
  const FILETIME utcTime{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc;
  SYSTEMTIME local;
  if (!FileTimeToSystemTime(&utcTime, &utc)) return {};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return dateTimeOf(utc);
  return dateTimeOf(local);
}

}  // namespace brask
