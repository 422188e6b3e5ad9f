#include "platform/run_time_error.h"

#include <cstdio>

namespace brask {

RunTimeError::RunTimeError(std::wstring action, long code, std::wstring description)
    : std::runtime_error("run-time error"),
      action_(std::move(action)),
      code_(code),
      description_(std::move(description)) {}

std::wstring runTimeErrorText(const RunTimeError& error) {
  std::wstring code = std::to_wstring(error.code());
  if (error.code() < 0 || error.code() > 0xFFFF) {
    wchar_t hex[16];
    std::swprintf(hex, 16, L" (%08lX)", static_cast<unsigned long>(error.code()) & 0xFFFFFFFFUL);
    code += hex;
  }
  return L"Run-time error '" + code + L"':\n\n" + error.action() + L": " + error.description();
}

}  // namespace brask
