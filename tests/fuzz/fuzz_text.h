// Fuzzer input as the wide text the system handles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brask::fuzz {

// The bytes read as UTF-8 where they form a sequence of it (of any code point, surrogates
// and overlong forms included), each other byte as the character of that value.
std::wstring wideText(std::string_view bytes);
std::wstring wideText(const std::uint8_t* data, std::size_t size);

// The text cut at its first count - 1 line feeds: count parts, the last one holding the
// rest with its line feeds; parts beyond the text are empty.
std::vector<std::wstring> lines(std::wstring_view text, std::size_t count);

// Every line of the text.
std::vector<std::wstring> everyLine(std::wstring_view text);

}  // namespace brask::fuzz
