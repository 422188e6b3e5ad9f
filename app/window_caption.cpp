#include "app/window_caption.h"

#include "app/control_table.h"

namespace brask {

std::wstring windowCaption(const std::vector<std::wstring>& computers) {
  std::wstring caption = kWindow.caption;
  switch (computers.size()) {
    case 0:
      return caption;
    case 1:
      return caption + L" - " + computers[0];
    case 2:
      return caption + L" - " + computers[0] + L" and " + computers[1];
    default:
      return caption + L" - " + computers[0] + L", " + computers[1] + L" and " +
             std::to_wstring(computers.size() - 2) + L" more";
  }
}

std::wstring readingCaption(std::size_t read, std::size_t total) {
  return std::wstring(kWindow.caption) + L" - " + std::to_wstring(read) + L" of " +
         std::to_wstring(total) + L" computers read";
}

}  // namespace brask
