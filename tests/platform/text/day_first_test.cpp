#include "platform/text/day_first.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace brask {
namespace {

std::string shown(const std::optional<DateTime>& at) {
  if (!at) return "nothing";
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at->year, at->month, at->day,
                at->hour, at->minute, at->second);
  return text;
}

struct Case {
  const wchar_t* text;
  std::optional<DateTime> expected;
};

TEST(DayFirst, ReadsDates) {
  static const Case cases[] = {
      {L"10/08/2009", DateTime{2009, 8, 10}},
      {L"10/8/2009", DateTime{2009, 8, 10}},
      {L"1/2/2009", DateTime{2009, 2, 1}},
      {L"31/12/2009", DateTime{2009, 12, 31}},
      {L"1/1/2010", DateTime{2010, 1, 1}},
      // leading zeros
      {L"05/03/2009", DateTime{2009, 3, 5}},
      {L"005/003/02009", DateTime{2009, 3, 5}},
      // blanks around the parts
      {L" 5/3/2009", DateTime{2009, 3, 5}},
      {L"5/3/2009 ", DateTime{2009, 3, 5}},
      {L" 5 / 3 / 2009 ", DateTime{2009, 3, 5}},
      {L"\t5\t/3/2009", DateTime{2009, 3, 5}},
      // days that do not exist
      {L"31/4/2009", std::nullopt},
      {L"30/4/2009", DateTime{2009, 4, 30}},
      {L"31/6/2009", std::nullopt},
      {L"29/2/2009", std::nullopt},
      {L"29/2/2008", DateTime{2008, 2, 29}},
      {L"29/2/2000", DateTime{2000, 2, 29}},
      {L"29/2/1900", std::nullopt},
      {L"0/1/2009", std::nullopt},
      {L"32/1/2009", std::nullopt},
      {L"1/0/2009", std::nullopt},
      {L"1/13/2009", std::nullopt},
      {L"1/1/99", std::nullopt},
      {L"1/1/10000", std::nullopt},
      {L"99999999999/1/2009", std::nullopt},
      {L"4294967301/3/2009", std::nullopt},  // 2^32 + 5
      {L"5/3/4294969305", std::nullopt},     // 2^32 + 2009
      {L"5/3/99999999999999999999999", std::nullopt},
      // other characters in a part
      {L"5x/3/2009", std::nullopt},
      {L"5/3x/2009", std::nullopt},
      {L"5/3/2009x", std::nullopt},
      {L"x5/3/2009", std::nullopt},
      {L"5 3/3/2009", std::nullopt},
      {L"+5/3/2009", std::nullopt},
      {L"-5/3/2009", std::nullopt},
      {L"5.0/3/2009", std::nullopt},
      {L"5,0/3/2009", std::nullopt},
      // empty parts
      {L"", std::nullopt},
      {L"//", std::nullopt},
      {L"/3/2009", std::nullopt},
      {L"5//2009", std::nullopt},
      {L"5/3/", std::nullopt},
      {L" / / ", std::nullopt},
      // separators missing or extra
      {L"5/3", std::nullopt},
      {L"532009", std::nullopt},
      {L"5-3-2009", std::nullopt},
      {L"5/3/2009/", std::nullopt},
      {L"5/3/2009/1", std::nullopt},
      {L"5//3/2009", std::nullopt},
      {L"/5/3/2009", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto read = readDayFirstDate(c.text);
    EXPECT_EQ(shown(read), shown(c.expected)) << "readDayFirstDate(\"" << c.text << "\"): expected "
                                              << shown(c.expected) << ", got " << shown(read);
  }
}

TEST(DayFirst, ReadsDateTimes) {
  static const Case cases[] = {
      {L"10/08/2009 21:02:23", DateTime{2009, 8, 10, 21, 2, 23}},
      {L"1/1/2010 00:00:00", DateTime{2010, 1, 1, 0, 0, 0}},
      {L"31/12/2009 23:59:59", DateTime{2009, 12, 31, 23, 59, 59}},
      {L"10/8/2009 9:05:07", DateTime{2009, 8, 10, 9, 5, 7}},
      {L"05/03/2009 09:05:07", DateTime{2009, 3, 5, 9, 5, 7}},
      {L"29/02/2008 10:00:00", DateTime{2008, 2, 29, 10, 0, 0}},
      {L"29/02/2009 10:00:00", std::nullopt},
      {L"31/04/2009 10:00:00", std::nullopt},
      {L"10/08/2009 24:00:00", std::nullopt},
      {L"10/08/2009 23:60:00", std::nullopt},
      {L"10/08/2009 23:59:60", std::nullopt},
      {L"10/08/2009", std::nullopt},
      {L"10/08/2009 ", std::nullopt},
      {L"10/08/2009 21:02", std::nullopt},
      {L"10/08/2009 21:02:23:00", std::nullopt},
      {L"10/08/2009 21:02:2x", std::nullopt},
      {L"10/08/2009 21::23", std::nullopt},
      {L"10/08/2009 -1:02:23", std::nullopt},
      {L"10/08 21:02:23", std::nullopt},
      {L"10/08/2009T21:02:23", std::nullopt},
      {L"10/08/2009x 21:02:23", std::nullopt},
      {L"", std::nullopt},
      {L" ", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto read = readDayFirstDateTime(c.text);
    EXPECT_EQ(shown(read), shown(c.expected))
        << "readDayFirstDateTime(\"" << c.text << "\"): expected " << shown(c.expected) << ", got "
        << shown(read);
  }
}

}  // namespace
}  // namespace brask
