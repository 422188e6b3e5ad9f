// The single-byte text of the locale functions' A forms, one byte a character.
#pragma once

#include <string>
#include <string_view>

namespace brask {

std::wstring fromSingleByte(std::string_view bytes);
// A character beyond one byte becomes '?'.
std::string toSingleByte(std::wstring_view text);

}  // namespace brask
