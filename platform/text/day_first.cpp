#include "platform/text/day_first.h"

#include <array>
#include <climits>

#include "platform/text/blanks.h"

namespace brask {
namespace {

// A whole number in decimal digits with optional blanks around it.
std::optional<int> readPart(std::wstring_view part) {
  part = trimBlanks(part);
  if (part.empty()) return std::nullopt;
  long long value = 0;
  for (wchar_t c : part) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<int>(value);
}

// Splits text into N parts at the separator and reads each as a whole number; a
// separator left in the last part makes it fail as a number.
template <std::size_t N>
std::optional<std::array<int, N>> readParts(std::wstring_view text, wchar_t separator) {
  std::array<int, N> values{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t end = i + 1 < N ? text.find(separator) : text.size();
    if (end == std::wstring_view::npos) return std::nullopt;
    const auto value = readPart(text.substr(0, end));
    if (!value) return std::nullopt;
    values[i] = *value;
    text.remove_prefix(i + 1 < N ? end + 1 : end);
  }
  return values;
}

}  // namespace

std::optional<DateTime> readDayFirstDate(std::wstring_view text) {
  const auto parts = readParts<3>(text, L'/');
  if (!parts) return std::nullopt;
  return makeDateTime((*parts)[2], (*parts)[1], (*parts)[0]);
}

std::optional<DateTime> readDayFirstDateTime(std::wstring_view text) {
  const std::size_t blank = text.rfind(L' ');
  if (blank == std::wstring_view::npos) return std::nullopt;
  const auto date = readParts<3>(text.substr(0, blank), L'/');
  const auto time = readParts<3>(text.substr(blank + 1), L':');
  if (!date || !time) return std::nullopt;
  return makeDateTime((*date)[2], (*date)[1], (*date)[0], (*time)[0], (*time)[1], (*time)[2]);
}

}  // namespace brask
