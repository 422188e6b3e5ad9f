#include "platform/win32/files/code_page_text.h"

#include <climits>

#include "platform/win32/system_error.h"

namespace brask {

std::string toCodePage(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) throw RunTimeError(L"Converting the text", kOutOfMemory, L"Out of memory");
  const int length = static_cast<int>(text.size());
  // UTF-8, which current Windows can make the ANSI code page, takes no default character.
  const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
  const char* defaultChar = utf8 ? nullptr : "?";
  const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, defaultChar, nullptr);
  if (size == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the text", error);
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, defaultChar, nullptr) == 0) {
    const DWORD error = GetLastError();
    throw systemError(L"Converting the text", error);
  }
  return bytes;
}

std::wstring fromCodePage(std::string_view bytes, UINT codePage, DWORD flags) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length == 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace brask
