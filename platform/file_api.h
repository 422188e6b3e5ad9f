// The report file: one open, write and close per block of text.
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
};

}  // namespace brask
