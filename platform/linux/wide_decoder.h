// The bytes of a character set to wide text through iconv; a byte that starts no valid
// character becomes U+FFFD.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace brask {

class WideDecoder {
 public:
  explicit WideDecoder(const std::string& codeset);
  ~WideDecoder();
  WideDecoder(const WideDecoder&) = delete;
  WideDecoder& operator=(const WideDecoder&) = delete;

  std::wstring operator()(std::string_view bytes);

 private:
  iconv_t cd_;
  // The set writes ASCII as ASCII: text of ASCII alone needs no conversion.
  bool asciiAsIs_ = false;
};

}  // namespace brask
