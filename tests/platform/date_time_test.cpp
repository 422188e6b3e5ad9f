#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>

namespace brask {
namespace {

std::string shown(const DateTime& at) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day,
                at.hour, at.minute, at.second);
  return text;
}

std::string shown(const std::optional<DateTime>& at) { return at ? shown(*at) : "nothing"; }

TEST(DateTime, LeapYears) {
  static const struct {
    int year;
    bool leap;
  } cases[] = {
      {2008, true}, {2009, false}, {2000, true}, {1900, false}, {2100, false},
      {2400, true}, {1600, true},  {2004, true}, {100, false},  {9996, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isLeapYear(c.year), c.leap)
        << "isLeapYear(" << c.year << "): expected " << c.leap << ", got " << isLeapYear(c.year);
  }
}

TEST(DateTime, DaysInMonth) {
  static const int common[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) {
    const int expected2009 = common[month - 1];
    const int expected2008 = month == 2 ? 29 : common[month - 1];
    EXPECT_EQ(daysInMonth(2009, month), expected2009)
        << "daysInMonth(2009, " << month << "): expected " << expected2009 << ", got "
        << daysInMonth(2009, month);
    EXPECT_EQ(daysInMonth(2008, month), expected2008)
        << "daysInMonth(2008, " << month << "): expected " << expected2008 << ", got "
        << daysInMonth(2008, month);
  }
}

TEST(DateTime, Validity) {
  static const struct {
    int year, month, day, hour, minute, second;
    bool valid;
  } cases[] = {
      {2009, 8, 10, 21, 2, 23, true},
      {2009, 2, 28, 0, 0, 0, true},
      {2009, 2, 29, 0, 0, 0, false},  // common year
      {2008, 2, 29, 0, 0, 0, true},   // leap year
      {2000, 2, 29, 0, 0, 0, true},   // divisible by 400
      {1900, 2, 29, 0, 0, 0, false},  // divisible by 100 only
      {2009, 2, 30, 0, 0, 0, false},
      {2009, 4, 30, 0, 0, 0, true},
      {2009, 4, 31, 0, 0, 0, false},
      {2009, 6, 31, 0, 0, 0, false},
      {2009, 9, 31, 0, 0, 0, false},
      {2009, 11, 31, 0, 0, 0, false},
      {2009, 12, 31, 0, 0, 0, true},
      {2009, 1, 31, 0, 0, 0, true},
      {2009, 1, 32, 0, 0, 0, false},
      {2009, 1, 0, 0, 0, 0, false},
      {2009, 0, 1, 0, 0, 0, false},
      {2009, 13, 1, 0, 0, 0, false},
      {2009, -1, 1, 0, 0, 0, false},
      {2009, 1, -1, 0, 0, 0, false},
      {kMinYear, 1, 1, 0, 0, 0, true},
      {kMinYear - 1, 12, 31, 23, 59, 59, false},
      {kMaxYear, 12, 31, 23, 59, 59, true},
      {kMaxYear + 1, 1, 1, 0, 0, 0, false},
      {0, 1, 1, 0, 0, 0, false},
      {-2009, 1, 1, 0, 0, 0, false},
      {2009, 8, 10, 23, 59, 59, true},
      {2009, 8, 10, 24, 0, 0, false},
      {2009, 8, 10, -1, 0, 0, false},
      {2009, 8, 10, 0, 60, 0, false},
      {2009, 8, 10, 0, -1, 0, false},
      {2009, 8, 10, 0, 0, 60, false},
      {2009, 8, 10, 0, 0, -1, false},
  };
  for (const auto& c : cases) {
    const auto made = makeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
    const DateTime expected{c.year, c.month, c.day, c.hour, c.minute, c.second};
    if (c.valid) {
      EXPECT_TRUE(made && *made == expected) << "makeDateTime(" << shown(expected) << "): expected "
                                             << shown(expected) << ", got " << shown(made);
    } else {
      EXPECT_FALSE(made) << "makeDateTime(" << shown(expected) << "): expected nothing, got "
                         << shown(made);
    }
  }
}

TEST(DateTime, DateAloneIsMidnight) {
  const auto made = makeDateTime(2009, 8, 10);
  const DateTime expected{2009, 8, 10, 0, 0, 0};
  EXPECT_TRUE(made && *made == expected)
      << "makeDateTime(2009, 8, 10): expected " << shown(expected) << ", got " << shown(made);
}

TEST(DateTime, MidnightAndOrder) {
  const DateTime evening{2009, 8, 10, 21, 2, 23};
  const DateTime start{2009, 8, 10, 0, 0, 0};
  EXPECT_EQ(shown(evening.midnight()), shown(start));
  EXPECT_TRUE(start.isMidnight()) << "expected " << shown(start) << " to be midnight";
  EXPECT_FALSE(evening.isMidnight()) << "expected " << shown(evening) << " not to be midnight";
  EXPECT_FALSE((DateTime{2009, 8, 10, 0, 0, 1}.isMidnight())) << "one second past midnight";
  EXPECT_FALSE((DateTime{2009, 8, 10, 0, 1, 0}.isMidnight())) << "one minute past midnight";
  EXPECT_FALSE((DateTime{2009, 8, 10, 1, 0, 0}.isMidnight())) << "one hour past midnight";

  // Fields are ordered from the year down to the second.
  static const DateTime ascending[] = {
      {2008, 12, 31, 23, 59, 59}, {2009, 1, 1, 0, 0, 0},    {2009, 1, 1, 0, 0, 1},
      {2009, 1, 1, 0, 1, 0},      {2009, 1, 1, 1, 0, 0},    {2009, 1, 2, 0, 0, 0},
      {2009, 2, 1, 0, 0, 0},      {2009, 8, 10, 21, 2, 23},
  };
  for (std::size_t i = 0; i + 1 < std::size(ascending); ++i) {
    EXPECT_LT(ascending[i], ascending[i + 1])
        << "expected " << shown(ascending[i]) << " before " << shown(ascending[i + 1]);
  }
}

TEST(DateTime, NextMidnight) {
  static const struct {
    DateTime at;
    DateTime expected;
  } cases[] = {
      {{2009, 8, 10, 21, 2, 23}, {2009, 8, 11, 0, 0, 0}},
      {{2009, 8, 10, 0, 0, 0}, {2009, 8, 11, 0, 0, 0}},  // from midnight: the next day
      {{2009, 1, 31, 12, 0, 0}, {2009, 2, 1, 0, 0, 0}},
      {{2009, 2, 28, 23, 59, 59}, {2009, 3, 1, 0, 0, 0}},
      {{2008, 2, 28, 10, 0, 0}, {2008, 2, 29, 0, 0, 0}},
      {{2008, 2, 29, 10, 0, 0}, {2008, 3, 1, 0, 0, 0}},
      {{2000, 2, 28, 10, 0, 0}, {2000, 2, 29, 0, 0, 0}},
      {{1900, 2, 28, 10, 0, 0}, {1900, 3, 1, 0, 0, 0}},
      {{2009, 4, 30, 8, 0, 0}, {2009, 5, 1, 0, 0, 0}},
      {{2009, 4, 29, 8, 0, 0}, {2009, 4, 30, 0, 0, 0}},
      {{2009, 11, 30, 8, 0, 0}, {2009, 12, 1, 0, 0, 0}},
      {{2009, 12, 30, 8, 0, 0}, {2009, 12, 31, 0, 0, 0}},
      {{2009, 12, 31, 23, 59, 59}, {2010, 1, 1, 0, 0, 0}},
      {{2009, 12, 31, 0, 0, 0}, {2010, 1, 1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const DateTime next = nextMidnight(c.at);
    EXPECT_EQ(next, c.expected) << "nextMidnight(" << shown(c.at) << "): expected "
                                << shown(c.expected) << ", got " << shown(next);
  }
}

TEST(DateTime, DayOfWeek) {
  static const struct {
    DateTime at;
    int expected;  // 0 = Sunday
  } cases[] = {
      {{2009, 8, 10, 21, 2, 23}, 1}, {{2009, 8, 9, 0, 0, 0}, 0},  {{2009, 3, 1, 0, 0, 0}, 0},
      {{2009, 3, 5, 0, 0, 0}, 4},    {{2008, 2, 29, 0, 0, 0}, 5}, {{2010, 1, 1, 0, 0, 0}, 5},
      {{2000, 1, 1, 0, 0, 0}, 6},    {{1970, 1, 1, 0, 0, 0}, 4},  {{1900, 1, 1, 0, 0, 0}, 1},
      {{1600, 2, 29, 0, 0, 0}, 2},   {{100, 3, 1, 0, 0, 0}, 1},   {{9999, 12, 31, 0, 0, 0}, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.at.dayOfWeek(), c.expected) << "dayOfWeek(" << shown(c.at) << "): expected "
                                            << c.expected << ", got " << c.at.dayOfWeek();
  }
}

}  // namespace
}  // namespace brask
