#include "environment/locale_query.h"

#include <string>

#include "platform/text/single_byte.h"

namespace brask {

std::wstring GetUserLocaleInfo(LocaleApi& locale, std::int32_t dwLocaleID, std::int32_t dwLCType) {
  const int size = locale.GetLocaleInfoA(dwLocaleID, dwLCType, nullptr, 0);
  if (size <= 0) return {};
  std::string buffer(static_cast<std::size_t>(size), ' ');
  const int count = locale.GetLocaleInfoA(dwLocaleID, dwLCType, buffer.data(), size);
  if (count <= 0 || count > size) return {};
  return fromSingleByte(std::string_view(buffer).substr(0, static_cast<std::size_t>(count - 1)));
}

void getLanguage(LocaleApi& locale, std::wstring& strLang1) {
  strLang1 = GetUserLocaleInfo(locale, locale.GetSystemDefaultLCID(), lctype::kEnglishLanguage);
}

}  // namespace brask
