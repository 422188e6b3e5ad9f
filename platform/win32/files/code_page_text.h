// Text in one of the system's 8-bit code pages: the ANSI one of the report, the console's
// or the OEM one of the standard streams.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace brask {

// The text in the code page, '?' for every character it cannot represent where the code
// page takes a default character (UTF-8 takes none: it represents every character).
// Throws RunTimeError when the system cannot convert it.
std::string toCodePage(std::wstring_view text, UINT codePage);

}  // namespace brask
