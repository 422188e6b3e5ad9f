#include "platform/win32/process/command_line_text.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/files/code_page_text.h"
#include "platform/win32/files/file_handle.h"
#include "platform/win32/system_error.h"

namespace brask {
std::vector<std::wstring> commandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return {};
  std::vector<std::wstring> list(arguments + (count > 0 ? 1 : 0), arguments + count);
  LocalFree(arguments);
  return list;
}

std::wstring readTextFile(const std::wstring& path) {
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    throw systemError(L"Reading " + path, error);
  }
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  for (;;) {
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      const DWORD error = GetLastError();
      throw systemError(L"Reading " + path, error);
    }
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  if (bytes.starts_with("\xFF\xFE")) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    }
    return text;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) return fromCodePage(bytes.substr(3), CP_UTF8, 0);
  // Windows XP knows MB_ERR_INVALID_CHARS for UTF-8 from Service Pack 2 on.
  std::wstring text = fromCodePage(bytes, CP_UTF8, MB_ERR_INVALID_CHARS);
  return text.empty() ? fromCodePage(bytes, CP_ACP, 0) : text;
}

}  // namespace brask
