#include "fuzz_text.h"

namespace brask::fuzz {
namespace {

// The length of the UTF-8 sequence that a lead byte starts; 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC0 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  return 0;
}

// Takes the text up to the next line feed, and the line feed.
std::wstring takeLine(std::wstring_view& text) {
  const std::size_t end = text.find(L'\n');
  std::wstring line(text.substr(0, end));
  text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
  return line;
}

}  // namespace

std::wstring wideText(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = sequenceLength(lead);
    bool whole = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; whole && k < length; ++k) {
      whole = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
    }
    if (!whole || length == 1) {
      text += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    }
    text += static_cast<wchar_t>(code);
    i += length;
  }
  return text;
}

std::wstring wideText(const std::uint8_t* data, std::size_t size) {
  return wideText(std::string_view(reinterpret_cast<const char*>(data), size));
}

std::vector<std::wstring> lines(std::wstring_view text, std::size_t count) {
  std::vector<std::wstring> parts;
  for (std::size_t i = 0; i + 1 < count; ++i) parts.push_back(takeLine(text));
  parts.emplace_back(text);
  return parts;
}

std::vector<std::wstring> everyLine(std::wstring_view text) {
  std::vector<std::wstring> all;
  while (!text.empty()) all.push_back(takeLine(text));
  return all;
}

}  // namespace brask::fuzz
