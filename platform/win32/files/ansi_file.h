// The report and bookmark files through CreateFileW and WriteFile: the report in the ANSI
// code page, the bookmark in UTF-8. A file is replaced through a new one made with
// CREATE_NEW under a name of its own in the folder of the file it replaces (the target of a
// link), written through one handle, flushed with FlushFileBuffers, then put in place with
// ReplaceFileW, which keeps the old file's ACL, owner, attributes and streams (MoveFileExW
// where there is no old file). A run's lock is a named mutex, named after the file's full
// path. Spools are temporary files deleted on close.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/file_api.h"

namespace brask {

// A part of a name that no other run chooses: 32 hexadecimal digits of a new GUID, which
// the system draws at random.
std::wstring randomNamePart();

class AnsiFile final : public FileApi {
 public:
  // namePart: the unique part of every new file's name.
  explicit AnsiFile(std::function<std::wstring()> namePart = randomNamePart) : namePart_(std::move(namePart)) {}

  std::unique_ptr<FileLock> lock(const std::wstring& path) override;
  std::unique_ptr<Replacement> replace(const std::wstring& path, Encoding encoding) override;
  std::unique_ptr<Spool> spool(const std::wstring& beside) override;
  std::optional<std::wstring> readText(const std::wstring& path) override;

 private:
  std::function<std::wstring()> namePart_;
};

}  // namespace brask
