// The bytes of a character set to wide text through iconv; a byte that starts no valid
// character becomes U+FFFD.
#pragma once

#include <string>

#include "platform/linux/iconv_text.h"

namespace brask {

class WideDecoder : public IconvText<char, wchar_t> {
 public:
  explicit WideDecoder(const std::string& codeset);
};

}  // namespace brask
