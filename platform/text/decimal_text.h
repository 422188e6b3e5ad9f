// Whole numbers as decimal text, without grouping: the one conversion of numbers to text
// in the report, quicker than the C library's wide formatting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brask {

// Appends the number in decimal digits, a minus sign in front when negative; zeros are
// put in front until the number's text is minDigits long.
void appendDecimal(std::wstring& text, std::int64_t value, std::size_t minDigits = 1);

// The number's text alone.
std::wstring decimalText(std::int64_t value, std::size_t minDigits = 1);

}  // namespace brask
