#include "platform/event_log/cim_text.h"

#include <algorithm>
#include <cstdlib>

namespace brask {
namespace {

// Writes value as exactly `count` decimal digits at text, returning the end.
wchar_t* digits(wchar_t* text, long value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) text[i] = static_cast<wchar_t>(L'0' + value % 10);
  return text + count;
}

}  // namespace

std::wstring cimText(const DateTime& local, std::uint32_t microseconds, long offsetMinutes) {
  wchar_t text[26];
  wchar_t* end = text;
  if (local.year > 9999) {
    // Four digits cannot hold the year: the date and time are written as not known, with
    // the asterisks of the DMTF form, and read as no date at all rather than a wrong one.
    end = std::fill_n(text, 14, L'*');
  } else {
    end = digits(end, local.year, 4);
    end = digits(end, local.month, 2);
    end = digits(end, local.day, 2);
    end = digits(end, local.hour, 2);
    end = digits(end, local.minute, 2);
    end = digits(end, local.second, 2);
  }
  *end++ = L'.';
  end = digits(end, static_cast<long>(microseconds % 1000000), 6);
  *end++ = offsetMinutes < 0 ? L'-' : L'+';
  // Three digits of minutes, a fourth for the rare offsets of a day.
  const long offset = std::labs(offsetMinutes);
  end = digits(end, offset, offset >= 1000 ? 4 : 3);
  return std::wstring(text, end);
}

}  // namespace brask
