#include "platform/linux/cim_time.h"

#include <gtest/gtest.h>

#include <ctime>

#include "platform/linux/local_time.h"
#include "scoped_env.h"
#include "utc_time.h"

namespace brask {
namespace {

TEST(CimTime, LocalWallClockWithItsOffsetInEveryZone) {
  const std::uint64_t noon = test::utcMicroseconds(2021, 12, 31, 12, 0, 0) + 42;
  const struct {
    const char* zone;
    std::uint64_t microseconds;
    const wchar_t* cim;
    DateTime wallClock;
  } cases[] = {
      {"UTC", noon, L"20211231120000.000042+000", {2021, 12, 31, 12, 0, 0}},
      {"Pacific/Kiritimati", noon, L"20220101020000.000042+840", {2022, 1, 1, 2, 0, 0}},
      {"Etc/GMT+12", noon, L"20211231000000.000042-720", {2021, 12, 31, 0, 0, 0}},
      {"America/St_Johns", noon, L"20211231083000.000042-210", {2021, 12, 31, 8, 30, 0}},
      {"XYZ-24", noon, L"20220101120000.000042+1440", {2022, 1, 1, 12, 0, 0}},
      {"UTC", 999999, L"19700101000000.999999+000", {1970, 1, 1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const test::ScopedEnv env{{"TZ", c.zone}};
    EXPECT_EQ(cimDateTime(c.microseconds), c.cim) << c.zone;
    EXPECT_EQ(localWallClock(c.microseconds), c.wallClock) << c.zone;
  }
}

// The wall-clock time and offset of every moment as the C library gives them, in zones of
// daylight saving (an hour, and half an hour on Lord Howe Island), of offsets of minutes,
// of leap seconds, of offsets changed for good, and of changes within a quarter of an
// hour; moments a prime number of seconds apart, on both sides of each change.
TEST(CimTime, LocalTimeAsTheCLibraryGivesIt) {
  const std::time_t from = static_cast<std::time_t>(test::utcMicroseconds(2020, 10, 1, 0, 0, 0) / 1000000);
  const std::time_t to = static_cast<std::time_t>(test::utcMicroseconds(2022, 4, 30, 0, 0, 0) / 1000000);
  for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "Asia/Kathmandu",
                           "America/St_Johns", "Pacific/Apia", "right/Europe/London", "UTC",
                           "EST5EDT,M3.2.0/2:07:31,M11.1.0/2:07:31"}) {
    const test::ScopedEnv env{{"TZ", zone}};
    int mismatches = 0;
    for (std::time_t at = from; at < to && mismatches < 5; at += 211) {
      std::tm expected{};
      localtime_r(&at, &expected);
      const LocalTime got = localTime(at);
      const DateTime wallClock{expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday,
                               expected.tm_hour,        expected.tm_min,     expected.tm_sec};
      if (got.wallClock == wallClock && got.utcOffset == expected.tm_gmtoff) continue;
      ++mismatches;
      ADD_FAILURE() << zone << " at " << at << ": " << got.wallClock.hour << ":" << got.wallClock.minute << ":"
                    << got.wallClock.second << " offset " << got.utcOffset << ", not " << expected.tm_hour << ":"
                    << expected.tm_min << ":" << expected.tm_sec << " offset " << expected.tm_gmtoff;
    }
  }
}

TEST(CimTime, BeyondTheYear9999TheDateAndTimeAreNotKnown) {
  const test::ScopedEnv env{{"TZ", "UTC"}};
  const struct {
    std::uint64_t microseconds;
    const wchar_t* cim;
    int year;
  } cases[] = {
      {253402300799999999, L"99991231235959.999999+000", 9999},
      {253402300800000000, L"**************.000000+000", 10000},
      {316536345600000001, L"**************.000001+000", 12000},
      {UINT64_MAX, L"**************.551615+000", 586524},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cimDateTime(c.microseconds), c.cim) << c.microseconds;
    EXPECT_EQ(localWallClock(c.microseconds).year, c.year) << c.microseconds;
  }
}

}  // namespace
}  // namespace brask
