#include "platform/run_time_error.h"

#include <cstdio>

namespace brask {

RunTimeError::RunTimeError(std::wstring action, long code, std::wstring description)
    : std::runtime_error("run-time error"),
      action_(std::move(action)),
      code_(code),
      description_(std::move(description)) {}

namespace {

std::wstring codeText(long code) {
  std::wstring text = std::to_wstring(code);
  if (code < 0 || code > 0xFFFF) {
    wchar_t hex[16];
    std::swprintf(hex, 16, L" (%08lX)", static_cast<unsigned long>(code) & 0xFFFFFFFFUL);
    text += hex;
  }
  return text;
}

}  // namespace

std::wstring runTimeErrorText(const RunTimeError& error) {
  return L"Run-time error '" + codeText(error.code()) + L"':\n\n" + error.action() + L": " +
         error.description();
}

std::wstring runTimeErrorLine(const RunTimeError& error) {
  return L"Run-time error '" + codeText(error.code()) + L"': " + error.action() + L": " +
         error.description();
}

}  // namespace brask
