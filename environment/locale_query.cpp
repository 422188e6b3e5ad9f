#include "environment/locale_query.h"

#include <string>

namespace brask {

std::wstring fromSingleByte(std::string_view bytes) {
  std::wstring text;
  for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return text;
}

std::string toSingleByte(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) bytes += static_cast<char>(c);
  return bytes;
}

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
