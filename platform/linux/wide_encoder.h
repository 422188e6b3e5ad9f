// Wide text to the bytes of a character set through iconv; a character that the set
// cannot represent becomes '?'.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace brask {

class WideEncoder {
 public:
  explicit WideEncoder(const std::string& codeset);
  ~WideEncoder();
  WideEncoder(const WideEncoder&) = delete;
  WideEncoder& operator=(const WideEncoder&) = delete;

  std::string operator()(std::wstring_view text);

 private:
  iconv_t cd_;
  // The set writes ASCII as ASCII: text of ASCII alone needs no conversion.
  bool asciiAsIs_ = false;
};

}  // namespace brask
