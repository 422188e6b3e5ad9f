// Text for the standard output or error of a program without a console of its own: the
// handle its starter gave it (a file or a pipe), else the console of the program that
// started it, through AttachConsole(ATTACH_PARENT_PROCESS).
#pragma once

#include <windows.h>

#include <string_view>

namespace brask {

// Writes the text to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE: to a console as it is, to a
// file or pipe in the ANSI code page. False where there is nowhere to write, or the write
// failed (a closed stream).
bool writeStandard(DWORD stream, std::wstring_view text);

}  // namespace brask
