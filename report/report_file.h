// The report file, written through one open file from its header to its end. Each print
// writes its item followed by CR LF.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/file_api.h"

namespace brask {

class ReportFile {
 public:
  explicit ReportFile(TextSink& file) : file_(file) {}

  // Prints the items, each followed by CR LF.
  void append(std::initializer_list<std::wstring_view> items);
  // Writes text whose items are printed already, each ending in CR LF.
  void appendPrinted(std::wstring_view text) { file_.write(text); }

 private:
  TextSink& file_;
};

inline constexpr std::wstring_view kCrLf = L"\r\n";

}  // namespace brask
