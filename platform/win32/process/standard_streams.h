// Text for the standard output or error of a program without a console of its own: the
// handle its starter gave it (a file or a pipe), else the console of the program that
// started it, through AttachConsole(ATTACH_PARENT_PROCESS).
#pragma once

#include <windows.h>

#include <string_view>

namespace brask {

// Writes the text to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE: to a console as it is
// (WriteConsoleW); to a file or pipe in the code page that Windows' own console tools write
// there, and cmd's `type` and `more` and PowerShell read back: the output code page of the
// console attached (GetConsoleOutputCP), else the OEM code page. False where there is
// nowhere to write, or the write failed (a closed stream).
bool writeStandard(DWORD stream, std::wstring_view text);

}  // namespace brask
