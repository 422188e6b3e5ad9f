#include "report/report_file.h"

namespace brask {
namespace {

std::wstring printed(std::initializer_list<std::wstring_view> items) {
  std::wstring text;
  for (std::wstring_view item : items) {
    text += item;
    text += kCrLf;
  }
  return text;
}

}  // namespace

void ReportFile::create(std::initializer_list<std::wstring_view> items) {
  files_.write(path_, OpenMode::Output, printed(items));
}

void ReportFile::append(std::initializer_list<std::wstring_view> items) {
  files_.write(path_, OpenMode::Append, printed(items));
}

void ReportFile::appendPrinted(std::wstring_view text) {
  files_.write(path_, OpenMode::Append, text);
}

}  // namespace brask
