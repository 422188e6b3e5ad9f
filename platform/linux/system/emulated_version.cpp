#include "platform/linux/system/emulated_version.h"

#include <array>
#include <optional>
#include <string_view>

#include "platform/linux/decimal_digits.h"
#include "platform/linux/environment_variable.h"

namespace brask {
namespace {

std::optional<std::uint32_t> wholeNumber(std::string_view text) {
  const std::optional<std::uint64_t> value = readDecimalDigits(text);
  if (!value || *value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::optional<std::array<std::uint32_t, 3>> parseVersion(std::string_view text) {
  std::array<std::uint32_t, 3> numbers{};
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::size_t dot = i + 1 < numbers.size() ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    const auto number = wholeNumber(text.substr(0, dot));
    if (!number) return std::nullopt;
    numbers[i] = *number;
    text.remove_prefix(i + 1 < numbers.size() ? dot + 1 : dot);
  }
  return numbers;
}

}  // namespace

void EmulatedVersion::GetVersionExA(OsVersionInfoA& info) {
  if (info.dwOSVersionInfoSize != sizeof(OsVersionInfoA)) return;
  const auto numbers = parseVersion(nonEmptyVariable("BRASK_WINDOWS_VERSION").value_or("2.6.2"));
  if (!numbers) return;
  info.dwPlatformId = (*numbers)[0];
  info.dwMajorVersion = (*numbers)[1];
  info.dwMinorVersion = (*numbers)[2];
}

}  // namespace brask
