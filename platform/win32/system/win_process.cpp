#include "platform/win32/system/win_process.h"

#include <windows.h>

#include "platform/win32/system_error.h"

namespace brask {

std::wstring WinProcess::environmentVariable(const std::wstring& name) {
  const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

void WinProcess::startProgram(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    const DWORD error = GetLastError();
    throw systemError(L"Starting \"" + commandLine + L"\"", error);
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

}  // namespace brask
