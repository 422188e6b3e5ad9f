#include "platform/linux/wide_encoder.h"

#include <algorithm>
#include <cerrno>

#include "platform/linux/errno_text.h"
#include "platform/run_time_error.h"

namespace brask {

WideEncoder::WideEncoder(const std::string& codeset) : cd_(iconv_open(codeset.c_str(), "WCHAR_T")) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) {
    const int error = errno;
    throw RunTimeError(L"Converting text to " + std::wstring(codeset.begin(), codeset.end()), error,
                       errnoText(error));
  }
  std::wstring ascii;
  for (wchar_t c = 1; c < 0x80; ++c) ascii += c;
  const std::string bytes = (*this)(ascii);
  asciiAsIs_ = std::equal(bytes.begin(), bytes.end(), ascii.begin(), ascii.end());
}

WideEncoder::~WideEncoder() { iconv_close(cd_); }

std::string WideEncoder::operator()(std::wstring_view text) {
  if (asciiAsIs_ && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; })) {
    return std::string(text.begin(), text.end());
  }
  std::string bytes;
  char chunk[4096];
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(wchar_t);
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    char* out = chunk;
    std::size_t outLeft = sizeof chunk;
    const std::size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
    bytes.append(chunk, out);
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: a character the set cannot hold, or no character at all.
    bytes += '?';
    in += sizeof(wchar_t);
    inLeft -= sizeof(wchar_t);
  }
  char* out = chunk;
  std::size_t outLeft = sizeof chunk;
  iconv(cd_, nullptr, nullptr, &out, &outLeft);
  bytes.append(chunk, out);
  return bytes;
}

}  // namespace brask
