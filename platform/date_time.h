// A calendar date-time to the second, in local wall-clock time, with no time zone.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace brask {

struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend auto operator<=>(const DateTime&, const DateTime&) = default;

  bool isMidnight() const { return hour == 0 && minute == 0 && second == 0; }
  DateTime midnight() const { return {year, month, day, 0, 0, 0}; }
  // Day of the week, 0 = Sunday.
  int dayOfWeek() const;
};

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// The date-time when every field names an existing calendar day and time of day within
// the years kMinYear to kMaxYear; nothing otherwise.
std::optional<DateTime> makeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                                     int second = 0);

// Midnight at the start of the day after the given date-time's day.
DateTime nextMidnight(const DateTime& at);

// The date-time read as UTC, in seconds since 1970-01-01 00:00:00 (negative before it), on
// the proleptic Gregorian calendar; and the UTC date-time of such a count, back to the year 0.
std::int64_t secondsSince1970(const DateTime& utc);
DateTime utcDateTime(std::int64_t secondsSince1970);

}  // namespace brask
