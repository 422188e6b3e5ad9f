#include "platform/text/decimal_text.h"

#include <charconv>

namespace brask {

void appendDecimal(std::wstring& text, std::int64_t value, std::size_t minDigits) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  if (length < minDigits) text.append(minDigits - length, L'0');
  for (const char* digit = digits; digit != end; ++digit) text += static_cast<wchar_t>(*digit);
}

std::wstring decimalText(std::int64_t value, std::size_t minDigits) {
  std::wstring text;
  appendDecimal(text, value, minDigits);
  return text;
}

}  // namespace brask
