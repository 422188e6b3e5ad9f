#include "platform/event_log/file_time.h"

#include <charconv>
#include <system_error>
#include <utility>

#include "platform/text/decimal_text.h"

namespace brask {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
// FILETIME of 1970-01-01 00:00:00 UTC.
constexpr std::uint64_t kUnixEpoch = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

// Takes `count` decimal digits from the front of text; nothing when they are not there.
std::optional<int> takeDigits(std::string_view& text, std::size_t count) {
  if (text.size() < count || text[0] == '-' || text[0] == '+') return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + count, value);
  if (error != std::errc() || end != text.data() + count) return std::nullopt;
  text.remove_prefix(count);
  return value;
}

bool takeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::uint64_t unixMicroseconds(std::uint64_t fileTime) {
  return fileTime < kUnixEpoch ? 0 : (fileTime - kUnixEpoch) / 10;
}

std::optional<std::uint64_t> fileTimeOfSystemTime(std::string_view text) {
  const auto year = takeDigits(text, 4);
  if (!year || !takeChar(text, '-')) return std::nullopt;
  const auto month = takeDigits(text, 2);
  if (!month || !takeChar(text, '-')) return std::nullopt;
  const auto day = takeDigits(text, 2);
  if (!day || !takeChar(text, 'T')) return std::nullopt;
  const auto hour = takeDigits(text, 2);
  if (!hour || !takeChar(text, ':')) return std::nullopt;
  const auto minute = takeDigits(text, 2);
  if (!minute || !takeChar(text, ':')) return std::nullopt;
  const auto second = takeDigits(text, 2);
  if (!second || !makeDateTime(*year, *month, *day, *hour, *minute, *second)) return std::nullopt;
  std::int64_t ticks = 0;
  if (takeChar(text, '.')) {
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
      if (digits < 7) ticks = ticks * 10 + (text[digits] - '0');
    }
    if (digits == 0) return std::nullopt;
    for (std::size_t scale = digits; scale < 7; ++scale) ticks *= 10;
    text.remove_prefix(digits);
  }
  if (text != "Z") return std::nullopt;
  const std::int64_t seconds = secondsSince1970(DateTime{*year, *month, *day, *hour, *minute, *second});
  const std::int64_t fileTime =
      seconds * kTicksPerSecond + ticks + static_cast<std::int64_t>(kUnixEpoch);
  if (fileTime < 0) return std::nullopt;
  return static_cast<std::uint64_t>(fileTime);
}

std::wstring utcTimeText(const DateTime& utc, std::int64_t fraction, std::size_t digits) {
  std::wstring text;
  appendDecimal(text, utc.year, 4);
  for (const auto& [separator, value] : {std::pair{L'-', utc.month}, {L'-', utc.day},
                                         {L'T', utc.hour}, {L':', utc.minute}, {L':', utc.second}}) {
    text += separator;
    appendDecimal(text, value, 2);
  }
  text += L'.';
  appendDecimal(text, fraction, digits);
  return text + L'Z';
}

std::wstring systemTimeText(std::uint64_t microseconds) {
  return utcTimeText(utcDateTime(static_cast<std::int64_t>(microseconds / 1000000)),
                     static_cast<std::int64_t>(microseconds / 1000 % 1000), 3);
}

std::wstring fileTimeText(std::uint64_t fileTime) {
  const auto seconds = static_cast<std::int64_t>(fileTime / kTicksPerSecond) -
                       static_cast<std::int64_t>(kUnixEpoch / kTicksPerSecond);
  return utcTimeText(utcDateTime(seconds),
                     static_cast<std::int64_t>(fileTime % kTicksPerSecond) * 100, 9);
}

std::uint64_t utcBoundOf(const DateTime& writtenBefore) {
  const std::int64_t seconds = secondsSince1970(writtenBefore) + kSecondsPerDay;
  return seconds > 0 ? static_cast<std::uint64_t>(seconds) * 1000000 : 0;
}

std::uint64_t utcSurelyBefore(const DateTime& writtenBefore) {
  const std::int64_t seconds = secondsSince1970(writtenBefore) - kSecondsPerDay;
  return seconds > 0 ? static_cast<std::uint64_t>(seconds) * 1000000 : 0;
}

}  // namespace brask
