// Runs another program and collects what it prints: the second process of the tests that
// look at the system from outside the process that changed it.
#pragma once

#include <windows.h>

#include <string>

namespace brask::test {

// The exit code of a child ended for running past its time.
inline constexpr DWORD kPastItsTime = 124;

struct ChildResult {
  DWORD exitCode;
  std::string output;
};

// Runs the command line to its end, its standard output read through a pipe; a child still
// running after `atMost` milliseconds is ended with kPastItsTime.
ChildResult runChild(const std::wstring& commandLine, DWORD atMost = 60000);

// The folder of this test program, with a trailing backslash.
std::wstring ownFolder();

// A Unix path as Wine's Z: drive shows it.
std::wstring wineDosPath(const std::string& unixPath);

// Writes text as UTF-8 to standard output.
void printUtf8(const std::wstring& text);

}  // namespace brask::test
