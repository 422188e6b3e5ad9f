// A C library date or time format (the D_FMT and T_FMT of a locale, such as "%d.%m.%Y")
// in Windows picture notation (such as "dd.MM.yyyy").
#pragma once

#include <string>
#include <string_view>

namespace brask {

// Conversions without a counterpart in a picture (time zone, day of the year, ...) are
// left out; literal text that holds letters or quotes is quoted.
std::wstring windowsPicture(std::wstring_view format);

}  // namespace brask
