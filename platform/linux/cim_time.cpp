#include "platform/linux/cim_time.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "platform/linux/local_time.h"

namespace brask {
namespace {

// Writes value as exactly `count` decimal digits at text, returning the end.
wchar_t* digits(wchar_t* text, long value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) text[i] = static_cast<wchar_t>(L'0' + value % 10);
  return text + count;
}

std::time_t secondsOf(std::uint64_t microseconds) {
  return static_cast<std::time_t>(microseconds / 1000000);
}

}  // namespace

DateTime localWallClock(std::uint64_t microseconds) { return localDateTime(secondsOf(microseconds)); }

std::wstring cimDateTime(std::uint64_t microseconds) {
  const std::tm local = localFields(secondsOf(microseconds));
  const long offsetMinutes = local.tm_gmtoff / 60;
  const long year = local.tm_year + 1900L;
  wchar_t text[26];
  wchar_t* end = text;
  if (year > 9999) {
    // Four digits cannot hold the year: the date and time are written as not known, with
    // the asterisks of the DMTF form, and read as no date at all rather than a wrong one.
    end = std::fill_n(text, 14, L'*');
  } else {
    end = digits(end, year, 4);
    end = digits(end, local.tm_mon + 1, 2);
    end = digits(end, local.tm_mday, 2);
    end = digits(end, local.tm_hour, 2);
    end = digits(end, local.tm_min, 2);
    end = digits(end, local.tm_sec, 2);
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
