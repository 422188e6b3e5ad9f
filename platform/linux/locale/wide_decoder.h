// The bytes of a character set to wide text through iconv; a byte that starts no valid
// character becomes U+FFFD, and so does a sequence that decodes past U+10FFFF (glibc reads
// UTF-8 up to U+7FFFFFFF), which no Unicode text, nor a Windows string, can hold.
#pragma once

#include <string>
#include <string_view>

#include "platform/linux/locale/iconv_text.h"

namespace brask {

class WideDecoder : public IconvText<char, wchar_t> {
 public:
  explicit WideDecoder(const std::string& codeset);

  std::wstring operator()(std::string_view bytes);
};

}  // namespace brask
