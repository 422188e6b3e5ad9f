#include "platform/win32/system/local_clock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace brask {
namespace {

DateTime fromC(std::time_t at) {
  const std::tm* local = std::localtime(&at);
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
          local->tm_hour,        local->tm_min,     local->tm_sec};
}

TEST(LocalClock, IsTheLocalTimeOfTheCRuntime) {
  LocalClock clock;
  const std::time_t before = std::time(nullptr);
  const DateTime now = clock.now();
  const std::time_t after = std::time(nullptr);
  EXPECT_GE(now, fromC(before));
  EXPECT_LE(now, fromC(after));
  EXPECT_TRUE(makeDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second));
}

}  // namespace
}  // namespace brask
