#include "platform/date_picture.h"

namespace brask {
namespace {

std::wstring number(int value, std::size_t minDigits) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < minDigits) text.insert(0, minDigits - text.size(), L'0');
  return text;
}

int hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// The text of one run of `count` equal picture letters.
std::wstring field(wchar_t letter, std::size_t count, const DateTime& at, LocaleApi& locale) {
  const std::size_t digits = count >= 2 ? 2 : 1;
  switch (letter) {
    case L'd':
      if (count <= 2) return number(at.day, digits);
      {
        const int monday0 = (at.dayOfWeek() + 6) % 7;
        return locale.userLocaleText((count == 3 ? lctype::kAbbrevDayName1 : lctype::kDayName1) +
                                     monday0);
      }
    case L'M':
      if (count <= 2) return number(at.month, digits);
      return locale.userLocaleText(
          (count == 3 ? lctype::kAbbrevMonthName1 : lctype::kMonthName1) + at.month - 1);
    case L'y':
      return count >= 3 ? number(at.year, 1) : number(at.year % 100, digits);
    case L'h':
      return number(hour12(at.hour), digits);
    case L'H':
      return number(at.hour, digits);
    case L'm':
      return number(at.minute, digits);
    case L's':
      return number(at.second, digits);
    default: {  // 't'
      const std::wstring designator = locale.userLocaleText(at.hour < 12 ? lctype::kAm : lctype::kPm);
      return count == 1 ? designator.substr(0, 1) : designator;
    }
  }
}

bool isPictureLetter(wchar_t c) {
  return c == L'd' || c == L'M' || c == L'y' || c == L'h' || c == L'H' || c == L'm' || c == L's' ||
         c == L't';
}

std::wstring pictureOr(LocaleApi& locale, std::int32_t lcType, const wchar_t* fallback) {
  std::wstring picture = locale.userLocaleText(lcType);
  return picture.empty() ? fallback : picture;
}

}  // namespace

std::wstring formatPicture(const DateTime& at, std::wstring_view picture, LocaleApi& locale) {
  std::wstring text;
  for (std::size_t i = 0; i < picture.size();) {
    const wchar_t c = picture[i];
    if (c == L'\'') {
      // A quoted literal; two quotes inside it stand for one.
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != L'\'') {
          text += picture[i];
        } else if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
          text += L'\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else if (isPictureLetter(c)) {
      std::size_t count = 1;
      while (i + count < picture.size() && picture[i + count] == c) ++count;
      text += field(c, count, at, locale);
      i += count;
    } else {
      text += c;
      ++i;
    }
  }
  return text;
}

std::wstring shortDateText(const DateTime& at, LocaleApi& locale) {
  return formatPicture(at, pictureOr(locale, lctype::kShortDate, L"dd/MM/yyyy"), locale);
}

std::wstring longTimeText(const DateTime& at, LocaleApi& locale) {
  return formatPicture(at, pictureOr(locale, lctype::kLongTime, L"HH:mm:ss"), locale);
}

std::wstring generalDateText(const DateTime& at, LocaleApi& locale) {
  if (at.isMidnight()) return shortDateText(at, locale);
  return shortDateText(at, locale) + L" " + longTimeText(at, locale);
}

}  // namespace brask
