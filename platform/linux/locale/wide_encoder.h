// Wide text to the bytes of a character set through iconv; a character that the set
// cannot represent becomes '?'.
#pragma once

#include <string>

#include "platform/linux/locale/iconv_text.h"

namespace brask {

class WideEncoder : public IconvText<wchar_t, char> {
 public:
  explicit WideEncoder(const std::string& codeset);
};

}  // namespace brask
