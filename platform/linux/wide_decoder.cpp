#include "platform/linux/wide_decoder.h"

#include <algorithm>
#include <cerrno>

#include "platform/linux/errno_text.h"
#include "platform/run_time_error.h"

namespace brask {

WideDecoder::WideDecoder(const std::string& codeset) : cd_(iconv_open("WCHAR_T", codeset.c_str())) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) {
    const int error = errno;
    throw RunTimeError(L"Converting text from " + std::wstring(codeset.begin(), codeset.end()),
                       error, errnoText(error));
  }
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);
  const std::wstring text = (*this)(ascii);
  asciiAsIs_ = std::equal(text.begin(), text.end(), ascii.begin(), ascii.end());
}

WideDecoder::~WideDecoder() { iconv_close(cd_); }

std::wstring WideDecoder::operator()(std::string_view bytes) {
  if (asciiAsIs_ &&
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::wstring(bytes.begin(), bytes.end());
  }
  std::wstring text;
  wchar_t chunk[1024];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    char* out = reinterpret_cast<char*>(chunk);
    std::size_t outLeft = sizeof chunk;
    const std::size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
    text.append(chunk, reinterpret_cast<wchar_t*>(out));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut short at the end.
    text += L'\uFFFD';
    ++in;
    --inLeft;
  }
  return text;
}

}  // namespace brask
