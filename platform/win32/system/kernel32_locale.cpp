#include "platform/win32/system/kernel32_locale.h"

#include <windows.h>

namespace brask {

std::int32_t Kernel32Locale::GetSystemDefaultLCID() {
  return static_cast<std::int32_t>(::GetSystemDefaultLCID());
}

int Kernel32Locale::GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer,
                                   int size) {
  return ::GetLocaleInfoA(static_cast<LCID>(locale), static_cast<LCTYPE>(lcType), buffer, size);
}

void Kernel32Locale::SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) {
  ::SetLocaleInfoA(static_cast<LCID>(locale), static_cast<LCTYPE>(lcType), text);
}

std::wstring Kernel32Locale::userLocaleText(std::int32_t lcType) {
  const auto type = static_cast<LCTYPE>(lcType);
  const int size = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (size == 0) return {};
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  const int count = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), size);
  if (count == 0) return {};
  text.resize(static_cast<std::size_t>(count - 1));
  return text;
}

}  // namespace brask
