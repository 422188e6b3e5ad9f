// The blanks that may stand around a typed number: spaces and tabs.
#pragma once

#include <string_view>

namespace brask {

// The text without the blanks at its start and its end.
std::wstring_view trimBlanks(std::wstring_view text);

}  // namespace brask
