#include "platform/date_time.h"

namespace brask {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<DateTime> makeDateTime(int year, int month, int day, int hour, int minute,
                                     int second) {
  if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
      day > daysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return std::nullopt;
  }
  return DateTime{year, month, day, hour, minute, second};
}

int DateTime::dayOfWeek() const {
  // Sakamoto's method.
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int y = month < 3 ? year - 1 : year;
  return (y + y / 4 - y / 100 + y / 400 + kOffsets[month - 1] + day) % 7;
}

DateTime nextMidnight(const DateTime& at) {
  DateTime next{at.year, at.month, at.day + 1, 0, 0, 0};
  if (next.day > daysInMonth(next.year, next.month)) {
    next.day = 1;
    if (++next.month > 12) {
      next.month = 1;
      ++next.year;
    }
  }
  return next;
}

std::int64_t secondsSince1970(const DateTime& utc) {
  return daysFromCivil(utc.year, utc.month, utc.day) * kSecondsPerDay + utc.hour * 3600 +
         utc.minute * 60 + utc.second;
}

DateTime utcDateTime(std::int64_t secondsSince1970) {
  std::int64_t days = secondsSince1970 / kSecondsPerDay + 719468;
  std::int64_t secondOfDay = secondsSince1970 % kSecondsPerDay;
  if (secondOfDay < 0) {
    secondOfDay += kSecondsPerDay;
    --days;
  }
  const std::int64_t era = days / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month,
          static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1),
          static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
          static_cast<int>(secondOfDay % 60)};
}

}  // namespace brask
