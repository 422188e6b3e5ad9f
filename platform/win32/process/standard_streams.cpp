#include "platform/win32/process/standard_streams.h"

#include <string>

#include "platform/run_time_error.h"
#include "platform/win32/files/code_page_text.h"

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

bool writeAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool writeStandard(DWORD stream, std::wstring_view text) {
  const HANDLE handle = streamHandle(stream);
  if (!handle) return false;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    DWORD written = 0;
    return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
  }
  // No console attached: GetConsoleOutputCP answers 0.
  const UINT console = GetConsoleOutputCP();
  try {
    return writeAll(handle, toCodePage(text, console != 0 ? console : GetOEMCP()));
  } catch (const RunTimeError&) {
    // Text the system cannot convert is not written; the exit code still says how it went.
    return false;
  }
}

}  // namespace brask
