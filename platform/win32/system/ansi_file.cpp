#include "platform/win32/system/ansi_file.h"

#include <windows.h>

#include <climits>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

// Closes the handle however the write ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  // Closes it now, so that a failing close can be reported.
  bool close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::string toAnsiCodePage(std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX)
    throw RunTimeError(L"Converting the report text", kOutOfMemory, L"Out of memory");
  const int length = static_cast<int>(text.size());
  // The UTF-8 code page, which current Windows can make the ANSI one, takes no default
  // character; it represents every character anyway.
  const char* defaultChar = GetACP() == CP_UTF8 ? nullptr : "?";
  const int size =
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, defaultChar, nullptr);
  if (size == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the report text", error);
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, defaultChar,
                          nullptr) == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the report text", error);
  }
  return bytes;
}

void AnsiFile::write(const std::wstring& path, OpenMode mode, std::wstring_view text) {
  const std::string bytes = toAnsiCodePage(text);
  const bool append = mode == OpenMode::Append;
  FileHandle file(CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    throw systemError(L"Opening \"" + path + L"\"", error);
  }
  DWORD written = 0;
  if (!bytes.empty() &&
      !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    const DWORD error = GetLastError();
    throw systemError(L"Writing \"" + path + L"\"", error);
  }
  if (!file.close()) {
    const DWORD error = GetLastError();
    throw systemError(L"Closing \"" + path + L"\"", error);
  }
}

void AnsiFile::replace(const std::wstring& from, const std::wstring& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
  const DWORD error = GetLastError();
  throw systemError(L"Replacing \"" + to + L"\"", error);
}

void AnsiFile::remove(const std::wstring& path) { DeleteFileW(path.c_str()); }

}  // namespace brask
