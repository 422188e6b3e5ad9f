// Text of one character set to text of another through iconv, in units of In and Out:
// text of ASCII alone is copied as it is when both sets write ASCII alike, and a unit
// that starts nothing the conversion can take becomes the replacement character.
#pragma once

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <type_traits>

namespace brask {

// The conversion descriptor from one set to another; a run-time error naming the action
// when iconv has no such conversion.
iconv_t openIconv(const char* to, const char* from, const std::wstring& action);

template <typename In, typename Out>
class IconvText {
 public:
  IconvText(const char* to, const char* from, const std::wstring& action, Out replacement)
      : cd_(openIconv(to, from, action)), replacement_(replacement) {
    std::basic_string<In> ascii;
    for (int c = 1; c < 0x80; ++c) ascii += static_cast<In>(c);
    const std::basic_string<Out> converted = (*this)(ascii);
    asciiAsIs_ = std::equal(converted.begin(), converted.end(), ascii.begin(), ascii.end());
  }
  ~IconvText() { iconv_close(cd_); }
  IconvText(const IconvText&) = delete;
  IconvText& operator=(const IconvText&) = delete;

  std::basic_string<Out> operator()(std::basic_string_view<In> text) {
    if (asciiAsIs_ && std::all_of(text.begin(), text.end(), isAscii)) {
      return std::basic_string<Out>(text.begin(), text.end());
    }
    std::basic_string<Out> converted;
    Out chunk[4096 / sizeof(Out)];
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(In);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
      char* out = reinterpret_cast<char*>(chunk);
      std::size_t outLeft = sizeof chunk;
      const std::size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
      converted.append(chunk, reinterpret_cast<Out*>(out));
      if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut short at the end: the unit is not converted.
      converted += replacement_;
      in += sizeof(In);
      inLeft -= sizeof(In);
    }
    // A set with shift states ends in its initial state.
    char* out = reinterpret_cast<char*>(chunk);
    std::size_t outLeft = sizeof chunk;
    iconv(cd_, nullptr, nullptr, &out, &outLeft);
    converted.append(chunk, reinterpret_cast<Out*>(out));
    return converted;
  }

 private:
  static bool isAscii(In c) { return static_cast<std::make_unsigned_t<In>>(c) < 0x80; }

  iconv_t cd_;
  Out replacement_;
  bool asciiAsIs_ = false;
};

}  // namespace brask
