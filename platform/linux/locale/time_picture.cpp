#include "platform/linux/locale/time_picture.h"

namespace brask {
namespace {

bool needsQuotes(std::wstring_view literal) {
  for (wchar_t c : literal) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'\'') return true;
  }
  return false;
}

void appendLiteral(std::wstring& picture, std::wstring_view literal) {
  if (!needsQuotes(literal)) {
    picture += literal;
    return;
  }
  picture += L'\'';
  for (wchar_t c : literal) {
    picture += c;
    if (c == L'\'') picture += L'\'';
  }
  picture += L'\'';
}

struct Conversion {
  wchar_t letter;
  const wchar_t* picture;
  const wchar_t* unpadded;  // with glibc's '-' flag
};

constexpr Conversion kConversions[] = {
    {L'd', L"dd", L"d"},
    {L'e', L"d", L"d"},
    {L'm', L"MM", L"M"},
    {L'Y', L"yyyy", L"yyyy"},
    {L'y', L"yy", L"y"},
    {L'H', L"HH", L"H"},
    {L'k', L"H", L"H"},
    {L'I', L"hh", L"h"},
    {L'l', L"h", L"h"},
    {L'M', L"mm", L"m"},
    {L'S', L"ss", L"s"},
    {L'p', L"tt", L"tt"},
    {L'P', L"tt", L"tt"},
    {L'a', L"ddd", L"ddd"},
    {L'A', L"dddd", L"dddd"},
    {L'b', L"MMM", L"MMM"},
    {L'h', L"MMM", L"MMM"},
    {L'B', L"MMMM", L"MMMM"},
    {L'r', L"hh:mm:ss tt", L"hh:mm:ss tt"},
    {L'T', L"HH:mm:ss", L"HH:mm:ss"},
    {L'R', L"HH:mm", L"HH:mm"},
    {L'D', L"MM/dd/yy", L"MM/dd/yy"},
    {L'F', L"yyyy-MM-dd", L"yyyy-MM-dd"},
};

// The picture of one conversion; nothing for one without a counterpart.
std::wstring_view pictureOf(wchar_t letter, bool unpadded) {
  for (const Conversion& conversion : kConversions) {
    if (conversion.letter == letter) return unpadded ? conversion.unpadded : conversion.picture;
  }
  return L"";
}

}  // namespace

std::wstring windowsPicture(std::wstring_view format) {
  std::wstring picture;
  std::wstring literal;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != L'%') {
      literal += format[i];
      continue;
    }
    bool unpadded = false;
    for (++i; i < format.size() &&
              std::wstring_view(L"-_0^#").find(format[i]) != std::wstring_view::npos;
         ++i) {
      unpadded = unpadded || format[i] == L'-';
    }
    while (i < format.size() && format[i] >= L'0' && format[i] <= L'9') ++i;
    if (i < format.size() && (format[i] == L'E' || format[i] == L'O')) ++i;
    if (i >= format.size()) break;
    switch (format[i]) {
      case L'%':
        literal += L'%';
        break;
      case L'n':
        literal += L'\n';
        break;
      case L't':
        literal += L'\t';
        break;
      default:
        appendLiteral(picture, literal);
        literal.clear();
        picture += pictureOf(format[i], unpadded);
    }
  }
  appendLiteral(picture, literal);
  return picture;
}

}  // namespace brask
