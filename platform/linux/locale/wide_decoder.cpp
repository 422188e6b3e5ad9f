#include "platform/linux/locale/wide_decoder.h"

#include <algorithm>
#include <cstdint>

namespace brask {

WideDecoder::WideDecoder(const std::string& codeset)
    : IconvText("WCHAR_T", codeset.c_str(),
                L"Converting text from " + std::wstring(codeset.begin(), codeset.end()), L'\uFFFD') {}

std::wstring WideDecoder::operator()(std::string_view bytes) {
  std::wstring text = IconvText::operator()(bytes);
  std::replace_if(
      text.begin(), text.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) > 0x10FFFF; },
      L'\uFFFD');
  return text;
}

}  // namespace brask
