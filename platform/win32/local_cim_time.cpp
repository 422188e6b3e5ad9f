#include "platform/win32/local_cim_time.h"

#include <windows.h>

#include "platform/event_log/cim_text.h"

namespace brask {
namespace {

constexpr std::int64_t kTicksPerMinute = 600000000;

std::uint64_t ticksOf(const FILETIME& time) {
  return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<std::wstring> localCimTime(std::uint64_t fileTime) {
  const FILETIME utcTime{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SYSTEMTIME utc;
  SYSTEMTIME local;
  FILETIME utcToMilliseconds;
  FILETIME localToMilliseconds;
  if (!FileTimeToSystemTime(&utcTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&utc, &utcToMilliseconds) ||
      !SystemTimeToFileTime(&local, &localToMilliseconds)) {
    return std::nullopt;
  }
  // Both to the millisecond, as SYSTEMTIME holds them: their difference is whole minutes.
  const std::int64_t offset = (static_cast<std::int64_t>(ticksOf(localToMilliseconds)) -
                               static_cast<std::int64_t>(ticksOf(utcToMilliseconds))) /
                              kTicksPerMinute;
  return cimText({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond},
                 static_cast<std::uint32_t>(fileTime % 10000000 / 10), static_cast<long>(offset));
}

}  // namespace brask
