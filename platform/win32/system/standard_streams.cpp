#include "platform/win32/system/standard_streams.h"

#include "platform/win32/system/ansi_file.h"

namespace brask {
namespace {

// The stream's handle; where the starter gave none, the parent's console, attached once.
HANDLE streamHandle(DWORD stream) {
  const HANDLE given = GetStdHandle(stream);
  if (given && given != INVALID_HANDLE_VALUE) return given;
  static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
  if (!attached) return nullptr;
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return nullptr;
  SetStdHandle(stream, console);
  return console;
}

}  // namespace

bool writeStandard(DWORD stream, std::wstring_view text) {
  const HANDLE handle = streamHandle(stream);
  if (!handle) return false;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
  }
  const std::string bytes = toAnsiCodePage(text);
  return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
}

}  // namespace brask
