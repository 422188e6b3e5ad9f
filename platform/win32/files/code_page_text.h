// Text in one of the system's 8-bit code pages: the ANSI one of the report, the console's
// or the OEM one of the standard streams; and text read from a file's bytes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace brask {

// The text in the code page, '?' for every character it cannot represent where the code
// page takes a default character (UTF-8 takes none: it represents every character).
// Throws RunTimeError when the system cannot convert it.
std::string toCodePage(std::wstring_view text, UINT codePage);

// The bytes read in the code page with MultiByteToWideChar's flags; nothing where they are
// empty or, with MB_ERR_INVALID_CHARS, not valid in it.
std::wstring fromCodePage(std::string_view bytes, UINT codePage, DWORD flags = 0);

}  // namespace brask
