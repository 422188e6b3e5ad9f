#include "validation/numbers.h"

#include <cfloat>
#include <locale>
#include <sstream>
#include <string>

#include "platform/text/blanks.h"

namespace brask {
namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
  return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

// A whole number in the given base from the digits that lead the text; beyond a double,
// the largest double.
double leadingInteger(std::wstring_view digits, int base) {
  double value = 0;
  for (wchar_t c : digits) {
    int digit;
    if (isDigit(c)) {
      digit = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
      digit = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
      digit = c - L'A' + 10;
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
    if (value > DBL_MAX) return DBL_MAX;
  }
  return value;
}

}  // namespace

bool isNumeric(std::wstring_view text, std::wstring_view decimalSeparator,
               std::wstring_view groupingSeparator) {
  text = trimBlanks(text);
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) text.remove_prefix(1);
  bool digits = false;
  bool decimal = false;
  while (!text.empty()) {
    if (isDigit(text.front())) {
      digits = true;
      text.remove_prefix(1);
    } else if (!decimal && startsWith(text, decimalSeparator)) {
      decimal = true;
      text.remove_prefix(decimalSeparator.size());
    } else if (!decimal && startsWith(text, groupingSeparator)) {
      text.remove_prefix(groupingSeparator.size());
    } else {
      return false;
    }
  }
  return digits;
}

double leadingValue(std::wstring_view text) {
  std::wstring compact;
  for (wchar_t c : text) {
    if (c != L' ' && c != L'\t' && c != L'\n') compact += c;
  }
  std::wstring_view rest = compact;
  if (rest.size() >= 2 && rest[0] == L'&') {
    if (rest[1] == L'H' || rest[1] == L'h') return leadingInteger(rest.substr(2), 16);
    if (rest[1] == L'O' || rest[1] == L'o') return leadingInteger(rest.substr(2), 8);
  }

  // Copy the longest leading run that forms a decimal number, then read it in the classic
  // locale, whatever the process locale says about decimal points.
  std::string number;
  std::size_t i = 0;
  auto take = [&] { number += static_cast<char>(rest[i++]); };
  auto takeDigits = [&] {
    while (i < rest.size() && isDigit(rest[i])) take();
  };
  if (i < rest.size() && (rest[i] == L'+' || rest[i] == L'-')) take();
  takeDigits();
  if (i < rest.size() && rest[i] == L'.') {
    take();
    takeDigits();
  }
  if (i < rest.size() && (rest[i] == L'E' || rest[i] == L'e' || rest[i] == L'D' || rest[i] == L'd')) {
    std::size_t exponent = i + 1;
    if (exponent < rest.size() && (rest[exponent] == L'+' || rest[exponent] == L'-')) ++exponent;
    if (exponent < rest.size() && isDigit(rest[exponent])) {
      number += 'e';
      i++;
      while (i < exponent) take();
      takeDigits();
    }
  }
  std::istringstream stream(number);
  stream.imbue(std::locale::classic());
  double value = 0;
  stream >> value;  // beyond a double: the largest double of that sign; below: 0
  return value;
}

}  // namespace brask
