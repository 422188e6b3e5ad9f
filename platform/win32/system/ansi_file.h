// The report and bookmark files through CreateFileW and WriteFile: the report in the ANSI
// code page, the bookmark in UTF-8. A file is replaced through a new one made with
// CREATE_NEW under a name of its own in the folder of the file it replaces (the target of a
// link), written through one handle, flushed with FlushFileBuffers, then put in place with
// ReplaceFileW, which keeps the old file's ACL, owner, attributes and streams (MoveFileExW
// where there is no old file). A run's lock is a named mutex, named after the file's full
// path. Spools are temporary files deleted on close.
#pragma once

#include <windows.h>

#include "platform/file_api.h"

namespace brask {

class AnsiFile final : public FileApi {
 public:
  std::unique_ptr<FileLock> lock(const std::wstring& path) override;
  std::unique_ptr<Replacement> replace(const std::wstring& path, Encoding encoding) override;
  std::unique_ptr<Spool> spool(const std::wstring& beside) override;
  std::optional<std::wstring> readText(const std::wstring& path) override;
};

// The text in the ANSI code page (CP_ACP), '?' for every character it cannot represent.
std::string toAnsiCodePage(std::wstring_view text);

// The text in the code page, '?' for every character it cannot represent where the code page
// takes a default character.
std::string toCodePage(std::wstring_view text, UINT codePage);

}  // namespace brask
