// The report file through CreateFileW and WriteFile, its text in the ANSI code page.
#pragma once

#include "platform/file_api.h"

namespace brask {

class AnsiFile final : public FileApi {
 public:
  void write(const std::wstring& path, OpenMode mode, std::wstring_view text) override;
  // MoveFileExW, replacing and written through; Windows refuses to replace a read-only file.
  void replace(const std::wstring& from, const std::wstring& to) override;
  void remove(const std::wstring& path) override;
};

// The text in the ANSI code page (CP_ACP), '?' for every character it cannot represent.
std::string toAnsiCodePage(std::wstring_view text);

}  // namespace brask
