#include "platform/linux/system/emulated_version.h"

#include <gtest/gtest.h>

#include <cstring>

#include "scoped_env.h"

namespace brask {
namespace {

// The record as the version detection prepares it.
OsVersionInfoA prepared() {
  OsVersionInfoA info{};
  info.dwOSVersionInfoSize = sizeof info;
  std::memset(info.szCSDVersion, ' ', sizeof info.szCSDVersion);
  return info;
}

TEST(EmulatedVersion, AnswersBraskWindowsVersion) {
  const struct {
    std::optional<std::string> value;
    std::uint32_t platform, major, minor;
  } cases[] = {
      {std::nullopt, 2, 6, 2},  // the default
      {"", 2, 6, 2},
      {"2.5.1", 2, 5, 1},
      {"1.4.90", 1, 4, 90},
      {"2.10.0", 2, 10, 0},
      {"0.0.0", 0, 0, 0},
      {"2.06.02", 2, 6, 2},
      {"4294967295.1.2", 4294967295u, 1, 2},
      // Malformed: the record stays as prepared, so platform id 0.
      {"2.6", 0, 0, 0},
      {"2.6.2.1", 0, 0, 0},
      {"2.6.", 0, 0, 0},
      {".6.2", 0, 0, 0},
      {"2..2", 0, 0, 0},
      {"2.6.x", 0, 0, 0},
      {" 2.6.2", 0, 0, 0},
      {"2.6.2 ", 0, 0, 0},
      {"-2.6.2", 0, 0, 0},
      {"+2.6.2", 0, 0, 0},
      {"4294967296.6.2", 0, 0, 0},
      {"Windows 7", 0, 0, 0},
  };
  for (const auto& c : cases) {
    const test::ScopedEnv env{{"BRASK_WINDOWS_VERSION", c.value}};
    OsVersionInfoA info = prepared();
    EmulatedVersion().GetVersionExA(info);
    const std::string shown = c.value.value_or("(unset)");
    EXPECT_EQ(info.dwPlatformId, c.platform) << shown;
    EXPECT_EQ(info.dwMajorVersion, c.major) << shown;
    EXPECT_EQ(info.dwMinorVersion, c.minor) << shown;
    EXPECT_EQ(info.dwBuildNumber, 0u) << shown;
    EXPECT_EQ(info.dwOSVersionInfoSize, sizeof info) << shown;
    EXPECT_EQ(std::string(info.szCSDVersion, sizeof info.szCSDVersion), std::string(128, ' '))
        << shown;
  }
}

TEST(EmulatedVersion, RefusesARecordOfAnotherSize) {
  const test::ScopedEnv env{{"BRASK_WINDOWS_VERSION", "2.6.1"}};
  OsVersionInfoA info = prepared();
  info.dwOSVersionInfoSize = 156;
  EmulatedVersion().GetVersionExA(info);
  EXPECT_EQ(info.dwPlatformId, 0u);
  EXPECT_EQ(info.dwMajorVersion, 0u);
}

}  // namespace
}  // namespace brask
