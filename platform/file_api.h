// The report file: one open, write and close per block of text, and a report written aside
// put in place of the old one whole.
#pragma once

#include <string>
#include <string_view>

namespace brask {

enum class OpenMode {
  Output,  // creates the file or truncates it to zero length
  Append,  // creates the file when missing, writes at its end
};

class FileApi {
 public:
  virtual ~FileApi() = default;
  // Opens the file at path, writes text converted to the system's 8-bit code page
  // (characters it cannot represent become '?'), and closes it. Throws RunTimeError.
  virtual void write(const std::wstring& path, OpenMode mode, std::wstring_view text) = 0;
  // Puts the file at `from` in place of the one at `to` in one step, so that `to` is either
  // the old file whole or the new one whole; a read-only file at `to` is not replaced.
  // Throws RunTimeError.
  virtual void replace(const std::wstring& from, const std::wstring& to) = 0;
  // Removes the file, if it is there; failures are not reported.
  virtual void remove(const std::wstring& path) = 0;
};

}  // namespace brask
