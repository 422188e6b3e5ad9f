#include "platform/win32/wmi/wmi_time.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/win32/local_cim_time.h"

namespace brask {
namespace {

constexpr std::size_t kLength = 25;  // 14 digits, ".", 6 digits, the sign, 3 digits
constexpr std::int64_t kTicksPerMicrosecond = 10;
constexpr std::int64_t kTicksPerMinute = 600000000;

// The digits of text from `at`, `count` of them; nothing where one is no digit.
std::optional<int> number(const std::wstring& text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + (text[i] - L'0');
  }
  return value;
}

// The UTC FILETIME of the text's moment; nothing where it is no time.
std::optional<std::uint64_t> utcOf(const std::wstring& text) {
  if (text.size() != kLength || text[14] != L'.' || (text[21] != L'+' && text[21] != L'-'))
    return std::nullopt;
  const auto year = number(text, 0, 4), month = number(text, 4, 2), day = number(text, 6, 2),
             hour = number(text, 8, 2), minute = number(text, 10, 2), second = number(text, 12, 2),
             microseconds = number(text, 15, 6), offset = number(text, 22, 3);
  if (!year || !month || !day || !hour || !minute || !second || !microseconds || !offset)
    return std::nullopt;
  const SYSTEMTIME wall{static_cast<WORD>(*year),   static_cast<WORD>(*month),
                        0,                          static_cast<WORD>(*day),
                        static_cast<WORD>(*hour),   static_cast<WORD>(*minute),
                        static_cast<WORD>(*second), 0};
  FILETIME asUtc;
  if (!SystemTimeToFileTime(&wall, &asUtc)) return std::nullopt;
  const std::int64_t ticks =
      static_cast<std::int64_t>(std::uint64_t{asUtc.dwHighDateTime} << 32 | asUtc.dwLowDateTime) +
      *microseconds * kTicksPerMicrosecond -
      (text[21] == L'-' ? -1 : 1) * std::int64_t{*offset} * kTicksPerMinute;
  if (ticks < 0) return std::nullopt;
  return static_cast<std::uint64_t>(ticks);
}

}  // namespace

std::wstring thisComputersTime(const std::wstring& timeWritten) {
  const std::optional<std::uint64_t> utc = utcOf(timeWritten);
  if (!utc) return timeWritten;
  return localCimTime(*utc).value_or(timeWritten);
}

}  // namespace brask
