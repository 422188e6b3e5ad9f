// The numeric test and the leading value of any text. Input: the decimal separator, a
// line feed, the grouping separator, a line feed, then the text.
#include <cfloat>
#include <cmath>
#include <cwchar>

#include "fuzz_check.h"
#include "fuzz_text.h"
#include "validation/numbers.h"

namespace brask::fuzz {
namespace {

std::wstring withoutBlanks(std::wstring_view text) {
  std::wstring kept;
  for (wchar_t c : text) {
    if (c != L' ' && c != L'\t' && c != L'\n') kept += c;
  }
  return kept;
}

// What the C library reads from a plain decimal text, beyond a double its largest value.
double cLibraryValue(const std::wstring& text) {
  const double value = std::wcstod(text.c_str(), nullptr);
  if (std::isinf(value)) return std::copysign(DBL_MAX, value);
  return value;
}

}  // namespace
}  // namespace brask::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  using namespace brask::fuzz;
  const std::vector<std::wstring> parts = lines(wideText(data, size), 3);
  const std::wstring& decimal = parts[0];
  const std::wstring& grouping = parts[1];
  const std::wstring& text = parts[2];

  const double value = leadingValue(text);
  FUZZ_CHECK(std::isfinite(value));
  // Blanks, tabs and line feeds count nowhere in the text.
  FUZZ_CHECK(leadingValue(withoutBlanks(text)) == value);

  if (isNumeric(text, decimal, grouping)) {
    FUZZ_CHECK(isNumeric(L" \t" + text + L"\t ", decimal, grouping));
  }
  // A sign, digits and one full stop: the value the C library reads.
  if (isNumeric(text, L".", L"")) FUZZ_CHECK(value == cLibraryValue(text));
  return 0;
}
