// Reading numbers from the texts the user typed.
#pragma once

#include <string_view>

namespace brask {

// True when the whole text, blanks before and after aside, reads as one number in the
// user's notation: an optional sign and at least one digit, among which the decimal
// separator (once) and, before it, the digit-grouping separator may stand.
bool isNumeric(std::wstring_view text, std::wstring_view decimalSeparator,
               std::wstring_view groupingSeparator);

// The number that leads the text: blanks, tabs and line feeds anywhere are skipped; an
// optional sign, digits with the full stop as the only decimal point and an optional
// exponent (E or D) are read up to the first character that cannot continue them; &H and
// &O read a hexadecimal or octal integer. 0 when no number leads; a number too large for
// a double reads as the largest double of its sign.
double leadingValue(std::wstring_view text);

}  // namespace brask
