#include "computers/computer_names.h"

#include <algorithm>
#include <cwctype>

namespace brask {
namespace {

constexpr std::size_t kLongestName = 255;   // of a DNS name
constexpr std::size_t kLongestLabel = 63;   // of one of its parts

bool isHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool isDottedQuad(std::wstring_view text) {
  int parts = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(L'.', start), text.size());
    const std::wstring_view part = text.substr(start, end - start);
    if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), [](wchar_t c) {
          return c >= L'0' && c <= L'9';
        }) || std::stoi(std::wstring(part)) > 255) {
      return false;
    }
    ++parts;
    if (end == text.size()) return parts == 4;
    start = end + 1;
  }
}

// An IPv6 address in its text form: groups of one to four hexadecimal digits between
// colons, one "::" at most for a run of zero groups, the last two groups perhaps as an IPv4
// address, and perhaps a zone index after "%".
bool isIpv6Address(std::wstring_view text) {
  if (const std::size_t zone = text.find(L'%'); zone != std::wstring_view::npos) {
    if (zone + 1 == text.size()) return false;
    text = text.substr(0, zone);
  }
  const std::size_t gap = text.find(L"::");
  if (gap != std::wstring_view::npos && text.find(L"::", gap + 1) != std::wstring_view::npos)
    return false;
  int groups = 0;
  // Groups of the text between two colons; an empty text has none.
  const auto countGroups = [&groups](std::wstring_view part, bool last) {
    if (part.empty()) return true;
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = std::min(part.find(L':', start), part.size());
      const std::wstring_view group = part.substr(start, end - start);
      if (last && end == part.size() && group.find(L'.') != std::wstring_view::npos) {
        if (!isDottedQuad(group)) return false;
        groups += 2;
        return true;
      }
      if (group.empty() || group.size() > 4 || !std::all_of(group.begin(), group.end(), isHexDigit))
        return false;
      ++groups;
      if (end == part.size()) return true;
      start = end + 1;
    }
  };
  if (gap == std::wstring_view::npos) return countGroups(text, true) && groups == 8;
  return countGroups(text.substr(0, gap), false) && countGroups(text.substr(gap + 2), true) &&
         groups < 8;
}

// A character of a host name: a letter, a digit, "-", "_" or ".", or any character beyond
// ASCII, as NetBIOS and internationalised names have them.
bool isNameCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'-' || c == L'_' || c == L'.' || c >= 0xA0;
}

}  // namespace

std::optional<std::wstring> whyNotAComputerName(std::wstring_view name) {
  if (name.empty()) return L"it is empty";
  if (name.size() > kLongestName) return L"it is longer than 255 characters";
  for (const wchar_t c : name) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return L"it holds a control character";
  }
  for (const wchar_t c : name) {
    if (std::iswspace(static_cast<std::wint_t>(c)) || c == 0xA0) return L"it holds a blank";
  }
  if (name.find_first_of(L"\\/") != std::wstring_view::npos) return L"it is a path";
  if (name.find(L':') != std::wstring_view::npos) {
    if (isIpv6Address(name)) return std::nullopt;
    return L"it is not an IPv6 address";
  }
  if (name == L".") return std::nullopt;
  if (name.front() == L'-') return L"it starts with \"-\", as no computer name does";
  for (const wchar_t c : name) {
    if (!isNameCharacter(c)) return L"it holds the character \"" + std::wstring(1, c) + L"\"";
  }
  // Parts between dots, of which the last may be empty: a fully qualified name's root.
  const std::wstring_view labels = name.back() == L'.' ? name.substr(0, name.size() - 1) : name;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(labels.find(L'.', start), labels.size());
    if (end == start) return L"it has an empty part between dots";
    if (end - start > kLongestLabel) return L"a part of it between dots is longer than 63 characters";
    if (end == labels.size()) return std::nullopt;
    start = end + 1;
  }
}

std::wstring comparableName(std::wstring_view name) {
  std::wstring comparable(name);
  if (comparable.size() > 1 && comparable.back() == L'.') comparable.pop_back();
  for (wchar_t& c : comparable) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return comparable;
}

bool namesThisComputer(std::wstring_view name, const std::vector<std::wstring>& ownNames) {
  const std::wstring comparable = comparableName(name);
  if (comparable == L"." || comparable == L"localhost") return true;
  return std::any_of(ownNames.begin(), ownNames.end(), [&comparable](const std::wstring& own) {
    return !own.empty() && comparableName(own) == comparable;
  });
}

}  // namespace brask
