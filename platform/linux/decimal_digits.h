// Whole numbers as the environment and the journal write them: one to ten decimal digits
// and nothing else, no sign and no blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brask {

// The number the digits write; nothing for any other text.
std::optional<std::uint64_t> readDecimalDigits(std::string_view text);

}  // namespace brask
