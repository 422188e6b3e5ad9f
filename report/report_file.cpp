#include "report/report_file.h"

#include <string>

namespace brask {

void ReportFile::append(std::initializer_list<std::wstring_view> items) {
  std::wstring text;
  for (std::wstring_view item : items) {
    text += item;
    text += kCrLf;
  }
  file_.write(text);
}

}  // namespace brask
