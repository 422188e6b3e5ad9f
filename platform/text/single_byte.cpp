#include "platform/text/single_byte.h"

namespace brask {

std::wstring fromSingleByte(std::string_view bytes) {
  std::wstring text;
  for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return text;
}

std::string toSingleByte(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) bytes += static_cast<unsigned long>(c) <= 0xFF ? static_cast<char>(c) : '?';
  return bytes;
}

}  // namespace brask
