#include "platform/linux/time_picture.h"

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

// The picture of one conversion; unpadded is the glibc '-' flag.
std::wstring_view pictureOf(wchar_t conversion, bool unpadded) {
  switch (conversion) {
    case L'd': return unpadded ? L"d" : L"dd";
    case L'e': return L"d";
    case L'm': return unpadded ? L"M" : L"MM";
    case L'Y': return L"yyyy";
    case L'y': return unpadded ? L"y" : L"yy";
    case L'H': return unpadded ? L"H" : L"HH";
    case L'k': return L"H";
    case L'I': return unpadded ? L"h" : L"hh";
    case L'l': return L"h";
    case L'M': return unpadded ? L"m" : L"mm";
    case L'S': return unpadded ? L"s" : L"ss";
    case L'p':
    case L'P': return L"tt";
    case L'a': return L"ddd";
    case L'A': return L"dddd";
    case L'b':
    case L'h': return L"MMM";
    case L'B': return L"MMMM";
    case L'r': return L"hh:mm:ss tt";
    case L'T': return L"HH:mm:ss";
    case L'R': return L"HH:mm";
    case L'D': return L"MM/dd/yy";
    case L'F': return L"yyyy-MM-dd";
    default: return L"";
  }
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
    for (++i; i < format.size() && std::wstring_view(L"-_0^#").find(format[i]) != std::wstring_view::npos; ++i) {
      unpadded = unpadded || format[i] == L'-';
    }
    while (i < format.size() && format[i] >= L'0' && format[i] <= L'9') ++i;
    if (i < format.size() && (format[i] == L'E' || format[i] == L'O')) ++i;
    if (i >= format.size()) break;
    switch (format[i]) {
      case L'%': literal += L'%'; break;
      case L'n': literal += L'\n'; break;
      case L't': literal += L'\t'; break;
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
