// The report file: every block of output is one open, its prints and one close. Each
// print writes its item followed by CR LF.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/file_api.h"

namespace brask {

class ReportFile {
 public:
  ReportFile(FileApi& files, std::wstring path) : files_(files), path_(std::move(path)) {}

  // Creates the file anew (or truncates it) and prints the items.
  void create(std::initializer_list<std::wstring_view> items);
  // Appends the items at the end of the file, creating it when missing.
  void append(std::initializer_list<std::wstring_view> items);
  // Appends text whose items are printed already, each ending in CR LF.
  void appendPrinted(std::wstring_view text);

 private:
  FileApi& files_;
  std::wstring path_;
};

inline constexpr std::wstring_view kCrLf = L"\r\n";

}  // namespace brask
