#include "platform/text/date_picture.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "fakes/fakes.h"

namespace brask {
namespace {

using fakes::FakeLocale;

const DateTime kEvening{2009, 8, 10, 21, 2, 23};  // a Monday
const DateTime kMorning{2009, 3, 5, 9, 7, 4};     // a Thursday

struct Case {
  DateTime at;
  const wchar_t* picture;
  const wchar_t* expected;
};

void expectPictures(const Case* begin, const Case* end, LocaleApi& locale) {
  for (const Case* c = begin; c != end; ++c) {
    const std::wstring text = formatPicture(c->at, c->picture, locale);
    EXPECT_EQ(text, c->expected) << "picture \"" << c->picture << "\" at " << c->at.year << "-"
                                 << c->at.month << "-" << c->at.day << " " << c->at.hour << ":"
                                 << c->at.minute << ":" << c->at.second << ": expected \""
                                 << c->expected << "\", got \"" << text << "\"";
  }
}

TEST(DatePicture, Fields) {
  static const Case cases[] = {
      {kEvening, L"d", L"10"},
      {kMorning, L"d", L"5"},
      {kEvening, L"dd", L"10"},
      {kMorning, L"dd", L"05"},
      {kEvening, L"ddd", L"Mon"},
      {kMorning, L"ddd", L"Thu"},
      {kEvening, L"dddd", L"Monday"},
      {kMorning, L"dddd", L"Thursday"},
      {{2009, 8, 9}, L"dddd", L"Sunday"},
      {{2009, 8, 9}, L"ddd", L"Sun"},
      {{2009, 8, 15}, L"dddd", L"Saturday"},
      {kEvening, L"M", L"8"},
      {{2009, 11, 1}, L"M", L"11"},
      {kEvening, L"MM", L"08"},
      {{2009, 11, 1}, L"MM", L"11"},
      {kEvening, L"MMM", L"Aug"},
      {kMorning, L"MMM", L"Mar"},
      {kEvening, L"MMMM", L"August"},
      {kMorning, L"MMMM", L"March"},
      {{2009, 1, 1}, L"MMMM", L"January"},
      {{2009, 12, 1}, L"MMMM", L"December"},
      {{2009, 12, 1}, L"MMM", L"Dec"},
      {kEvening, L"y", L"9"},
      {{2010, 1, 1}, L"y", L"10"},
      {{2000, 1, 1}, L"y", L"0"},
      {kEvening, L"yy", L"09"},
      {{2010, 1, 1}, L"yy", L"10"},
      {{2000, 1, 1}, L"yy", L"00"},
      {kEvening, L"yyyy", L"2009"},
      {{2010, 1, 1}, L"yyyy", L"2010"},
      {kEvening, L"h", L"9"},
      {kMorning, L"h", L"9"},
      {{2009, 1, 1, 0, 0, 0}, L"h", L"12"},
      {{2009, 1, 1, 12, 0, 0}, L"h", L"12"},
      {{2009, 1, 1, 13, 0, 0}, L"h", L"1"},
      {kEvening, L"hh", L"09"},
      {{2009, 1, 1, 0, 0, 0}, L"hh", L"12"},
      {{2009, 1, 1, 22, 0, 0}, L"hh", L"10"},
      {kEvening, L"H", L"21"},
      {kMorning, L"H", L"9"},
      {{2009, 1, 1, 0, 0, 0}, L"H", L"0"},
      {kEvening, L"HH", L"21"},
      {kMorning, L"HH", L"09"},
      {{2009, 1, 1, 0, 0, 0}, L"HH", L"00"},
      {kEvening, L"m", L"2"},
      {kMorning, L"m", L"7"},
      {{2009, 1, 1, 0, 45, 0}, L"m", L"45"},
      {kEvening, L"mm", L"02"},
      {{2009, 1, 1, 0, 45, 0}, L"mm", L"45"},
      {kEvening, L"s", L"23"},
      {kMorning, L"s", L"4"},
      {kEvening, L"ss", L"23"},
      {kMorning, L"ss", L"04"},
      {kEvening, L"t", L"P"},
      {kMorning, L"t", L"A"},
      {kEvening, L"tt", L"PM"},
      {kMorning, L"tt", L"AM"},
      {{2009, 1, 1, 0, 0, 0}, L"tt", L"AM"},
      {{2009, 1, 1, 11, 59, 59}, L"tt", L"AM"},
      {{2009, 1, 1, 12, 0, 0}, L"tt", L"PM"},
      {{2009, 1, 1, 23, 59, 59}, L"tt", L"PM"},
  };
  FakeLocale locale;
  expectPictures(std::begin(cases), std::end(cases), locale);
}

TEST(DatePicture, WholePicturesAndLiterals) {
  static const Case cases[] = {
      {kEvening, L"dd/MM/yyyy", L"10/08/2009"},
      {kEvening, L"M/d/yyyy", L"8/10/2009"},
      {kMorning, L"d.M.yy", L"5.3.09"},
      {kMorning, L"yyyy-MM-dd", L"2009-03-05"},
      {kEvening, L"HH:mm:ss", L"21:02:23"},
      {kEvening, L"h:mm:ss tt", L"9:02:23 PM"},
      {kEvening, L"dddd, MMMM dd, yyyy", L"Monday, August 10, 2009"},
      {kEvening, L"", L""},
      {kEvening, L"/-., :", L"/-., :"},
      // Letters that are not picture letters are copied.
      {kEvening, L"x", L"x"},
      {kEvening, L"Y D", L"Y D"},
      // Quoted literals, two quotes inside one standing for a quote.
      {kEvening, L"'Day' d", L"Day 10"},
      {kEvening, L"'dd MM yyyy' dd", L"dd MM yyyy 10"},
      {kMorning, L"h 'o''clock'", L"9 o'clock"},
      {kEvening, L"'It''s' dddd", L"It's Monday"},
      {kEvening, L"'''quoted'''", L"'quoted'"},
      {kEvening, L"dd'/'MM", L"10/08"},
      {kEvening, L"'ht'HH", L"ht21"},
  };
  FakeLocale locale;
  expectPictures(std::begin(cases), std::end(cases), locale);
}

TEST(DatePicture, NamesComeFromTheLocale) {
  FakeLocale locale;
  locale.user[lctype::kDayName1] = L"Montag";
  locale.user[lctype::kAbbrevDayName1] = L"Mo";
  locale.user[lctype::kMonthName1 + 7] = L"Augustus";
  locale.user[lctype::kAbbrevMonthName1 + 7] = L"aug";
  locale.user[lctype::kAm] = L"vm";
  locale.user[lctype::kPm] = L"nm";
  static const Case cases[] = {
      {kEvening, L"dddd", L"Montag"}, {kEvening, L"ddd", L"Mo"}, {kEvening, L"MMMM", L"Augustus"},
      {kEvening, L"MMM", L"aug"},     {kEvening, L"tt", L"nm"},  {kMorning, L"tt", L"vm"},
      {kMorning, L"t", L"v"},
  };
  expectPictures(std::begin(cases), std::end(cases), locale);
}

TEST(DatePicture, ShortDateLongTimeAndGeneralDate) {
  static const struct {
    const char* shortDate;
    const wchar_t* longTime;
    DateTime at;
    const wchar_t* shortText;
    const wchar_t* timeText;
    const wchar_t* generalText;
  } cases[] = {
      {"dd/MM/yyyy", L"HH:mm:ss", kEvening, L"10/08/2009", L"21:02:23", L"10/08/2009 21:02:23"},
      {"M/d/yyyy", L"h:mm:ss tt", kEvening, L"8/10/2009", L"9:02:23 PM", L"8/10/2009 9:02:23 PM"},
      {"dd-MM-yyyy", L"HH:mm:ss", kMorning, L"05-03-2009", L"09:07:04", L"05-03-2009 09:07:04"},
      // Midnight: the general form is the date alone.
      {"dd/MM/yyyy",
       L"HH:mm:ss",
       {2009, 8, 10, 0, 0, 0},
       L"10/08/2009",
       L"00:00:00",
       L"10/08/2009"},
      {"M/d/yyyy", L"h:mm:ss tt", {2010, 1, 1, 0, 0, 0}, L"1/1/2010", L"12:00:00 AM", L"1/1/2010"},
      {"dd/MM/yyyy",
       L"HH:mm:ss",
       {2009, 8, 10, 0, 0, 1},
       L"10/08/2009",
       L"00:00:01",
       L"10/08/2009 00:00:01"},
      {"dd/MM/yyyy",
       L"HH:mm:ss",
       {2009, 8, 10, 0, 1, 0},
       L"10/08/2009",
       L"00:01:00",
       L"10/08/2009 00:01:00"},
      {"dd/MM/yyyy",
       L"HH:mm:ss",
       {2009, 8, 10, 12, 0, 0},
       L"10/08/2009",
       L"12:00:00",
       L"10/08/2009 12:00:00"},
  };
  for (const auto& c : cases) {
    FakeLocale locale(c.shortDate);
    locale.user[lctype::kLongTime] = c.longTime;
    const std::wstring shortText = shortDateText(c.at, locale);
    const std::wstring timeText = longTimeText(c.at, locale);
    const std::wstring generalText = generalDateText(c.at, locale);
    EXPECT_EQ(shortText, c.shortText)
        << "shortDateText under \"" << c.shortDate << "\": expected \"" << c.shortText
        << "\", got \"" << shortText << "\"";
    EXPECT_EQ(timeText, c.timeText) << "longTimeText under \"" << c.longTime << "\": expected \""
                                    << c.timeText << "\", got \"" << timeText << "\"";
    EXPECT_EQ(generalText, c.generalText)
        << "generalDateText under \"" << c.shortDate << "\" and \"" << c.longTime
        << "\": expected \"" << c.generalText << "\", got \"" << generalText << "\"";
  }
}

TEST(DatePicture, ShortDateFollowsTheFormatInForce) {
  FakeLocale locale("M/d/yyyy");
  EXPECT_EQ(shortDateText(kEvening, locale), L"8/10/2009");
  locale.SetLocaleInfoA(locale.lcid, lctype::kShortDate, "dd/MM/yyyy");
  const std::wstring text = shortDateText(kEvening, locale);
  EXPECT_EQ(text, L"10/08/2009") << "after forcing dd/MM/yyyy: expected \"10/08/2009\", got \""
                                 << text << "\"";
}

}  // namespace
}  // namespace brask
