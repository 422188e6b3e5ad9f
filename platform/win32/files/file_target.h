// What a path names, for a file that the program replaces or reads whole: the file itself,
// through a symbolic link, and nothing but a regular file.
#pragma once

#include <string>

namespace brask {

struct FileTarget {
  std::wstring path;    // the file's full path, through any links
  bool exists = false;  // false: nothing is there, or its folder is missing
};

// The file at `given`, for `action` ("Writing", "Reading"). A device (NUL, CON, COM1), a pipe,
// a folder and a link to nothing are refused with a RunTimeError that names the path and says
// what it is, before any of them is opened for reading or writing; a pipe is not opened at
// all. Any other failure to look is the system's error.
FileTarget fileTarget(const std::wstring& given, const std::wstring& action);

// GetFullPathNameW of the path; the system's error for `action` on it where there is none.
std::wstring fullPath(const std::wstring& path, const std::wstring& action);

}  // namespace brask
