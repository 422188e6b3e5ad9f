// The command line as Windows gives it: the program's arguments, split as the C runtime
// splits them, and the text of a file of arguments.
#pragma once

#include <string>
#include <vector>

namespace brask {

// The arguments after the program's name.
std::vector<std::wstring> commandLineArguments();

// A file's text: UTF-16 after its byte-order mark, UTF-8 after its mark or where it is
// valid UTF-8, else the ANSI code page (as Notepad saves it). Throws RunTimeError.
std::wstring readTextFile(const std::wstring& path);

}  // namespace brask
