#include "platform/event_log/property_name.h"

#include <string>

#include "platform/run_time_error.h"

namespace brask {
namespace {

wchar_t asciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

}  // namespace

bool samePropertyName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

void throwUnknownProperty(std::wstring_view name) {
  throw RunTimeError(L"Reading the event property " + std::wstring(name), 438,
                     L"Object doesn't support this property or method");
}

}  // namespace brask
