#include "platform/event_log/event_data_xml.h"

namespace brask {
namespace {

template <typename Char>
bool same(std::basic_string_view<Char> text, std::string_view ascii) {
  if (text.size() != ascii.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != static_cast<Char>(ascii[i])) return false;
  }
  return true;
}

template <typename Char>
bool endsWith(std::basic_string_view<Char> text, std::string_view ascii) {
  return text.size() >= ascii.size() && same(text.substr(text.size() - ascii.size()), ascii);
}

template <typename Char>
std::size_t find(std::basic_string_view<Char> text, std::string_view ascii) {
  for (std::size_t at = 0; at + ascii.size() <= text.size(); ++at) {
    if (same(text.substr(at, ascii.size()), ascii)) return at;
  }
  return std::basic_string_view<Char>::npos;
}

template <typename Char>
bool endsInBinaryOf(std::basic_string_view<Char> xml) {
  const std::size_t end = find(xml, "</EventData>");
  if (end == std::basic_string_view<Char>::npos) return false;
  std::basic_string_view<Char> before = xml.substr(0, end);
  while (!before.empty() && (before.back() == ' ' || before.back() == '\t' ||
                             before.back() == '\r' || before.back() == '\n')) {
    before.remove_suffix(1);
  }
  return endsWith(before, "</Binary>") || endsWith(before, "<Binary/>");
}

}  // namespace

bool endsInBinary(std::string_view xml) { return endsInBinaryOf(xml); }
bool endsInBinary(std::wstring_view xml) { return endsInBinaryOf(xml); }

}  // namespace brask
