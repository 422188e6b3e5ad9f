#include "platform/text/blanks.h"

namespace brask {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring_view trimBlanks(std::wstring_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace brask
