// The report file on POSIX: backslashes in the path become slashes, and the text is
// written in the character set of the user's LC_CTYPE locale ('?' for what it cannot
// represent). Every failure is a RunTimeError naming the file.
#pragma once

#include "platform/file_api.h"
#include "platform/linux/locale/wide_encoder.h"

namespace brask {

class PosixFiles : public FileApi {
 public:
  // Reads the user's LC_CTYPE locale from the environment now.
  PosixFiles();
  void write(const std::wstring& path, OpenMode mode, std::wstring_view text) override;
  // rename(), which replaces a read-only file too: such a file is refused first, as
  // Windows refuses it.
  void replace(const std::wstring& from, const std::wstring& to) override;
  void remove(const std::wstring& path) override;

 private:
  // The path with slashes, in bytes.
  std::string posixPath(const std::wstring& path);

  WideEncoder encoder_;
  WideEncoder pathEncoder_{"UTF-8"};
  // The last path written to, with slashes, and in bytes: a run writes one file many times.
  std::wstring path_;
  std::wstring slashed_;
  std::string posixPath_;
};

}  // namespace brask
