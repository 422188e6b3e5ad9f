#include "platform/text/date_picture.h"

#include "platform/text/decimal_text.h"

namespace brask {
namespace {

int hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// Appends the text of one run of `count` equal picture letters.
void appendField(std::wstring& text, wchar_t letter, std::size_t count, const DateTime& at,
                 LocaleApi& locale) {
  const std::size_t digits = count >= 2 ? 2 : 1;
  switch (letter) {
    case L'd':
      if (count <= 2) return appendDecimal(text, at.day, digits);
      {
        const int monday0 = (at.dayOfWeek() + 6) % 7;
        text += locale.userLocaleText((count == 3 ? lctype::kAbbrevDayName1 : lctype::kDayName1) +
                                      monday0);
        return;
      }
    case L'M':
      if (count <= 2) return appendDecimal(text, at.month, digits);
      text += locale.userLocaleText((count == 3 ? lctype::kAbbrevMonthName1 : lctype::kMonthName1) +
                                    at.month - 1);
      return;
    case L'y':
      return count >= 3 ? appendDecimal(text, at.year) : appendDecimal(text, at.year % 100, digits);
    case L'h':
      return appendDecimal(text, hour12(at.hour), digits);
    case L'H':
      return appendDecimal(text, at.hour, digits);
    case L'm':
      return appendDecimal(text, at.minute, digits);
    case L's':
      return appendDecimal(text, at.second, digits);
    default: {  // 't'
      const std::wstring designator = locale.userLocaleText(at.hour < 12 ? lctype::kAm : lctype::kPm);
      text += count == 1 ? designator.substr(0, 1) : designator;
      return;
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
      appendField(text, c, count, at, locale);
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
