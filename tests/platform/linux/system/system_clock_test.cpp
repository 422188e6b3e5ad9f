#include "platform/linux/system/system_clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "scoped_env.h"

namespace brask {
namespace {

DateTime localNow() {
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

TEST(SystemClock, IsTheLocalTimeOfTheProcessToTheSecond) {
  for (const char* zone : {"UTC", "Asia/Kolkata", "America/St_Johns"}) {
    const test::ScopedEnv env{{"TZ", zone}};
    const DateTime before = localNow();
    const DateTime now = SystemClock().now();
    const DateTime after = localNow();
    EXPECT_LE(before, now) << zone;
    EXPECT_LE(now, after) << zone;
  }
}

}  // namespace
}  // namespace brask
