// A failure below the seam (event query, report file, starting a program, locale calls):
// what failed, the platform's code and its description. The Run driver catches it in one
// place, restores the user's short-date format and shows the run-time error box.
#pragma once

#include <stdexcept>
#include <string>

namespace brask {

class RunTimeError : public std::runtime_error {
 public:
  RunTimeError(std::wstring action, long code, std::wstring description);

  const std::wstring& action() const { return action_; }
  long code() const { return code_; }
  const std::wstring& description() const { return description_; }

 private:
  std::wstring action_;
  long code_;
  std::wstring description_;
};

// Codes of the run-time errors that the portable code raises itself.
inline constexpr long kTypeMismatch = 13;
inline constexpr long kOutOfMemory = 7;
inline constexpr long kInternalError = 51;

// The text of the run-time error box, for example
//   Run-time error '13':
//
//   Reading the event time "2009": Type mismatch
// Codes beyond 16 bits (HRESULTs) are also shown in hexadecimal.
std::wstring runTimeErrorText(const RunTimeError& error);

// The same on one line, for standard error:
//   Run-time error '13': Reading the event time "2009": Type mismatch
std::wstring runTimeErrorLine(const RunTimeError& error);

// The title of every message box of the program.
inline constexpr const wchar_t* kProgramTitle = L"BRASK";

}  // namespace brask
