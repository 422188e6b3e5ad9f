#include "environment/version.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fakes.h"

namespace brask {
namespace {

using fakes::FakeVersion;

constexpr std::uint32_t kAny = 0xFFFFFFFF;

struct Row {
  std::uint32_t platformId;
  std::uint32_t major;
  std::uint32_t minor;
  const wchar_t* name;  // nullptr: no name, the target keeps its value
};

// Every row of the version table, with several versions for the rows that do not test a
// number.
const Row kRows[] = {
    // The Windows 95 family: only the minor version counts.
    {1, 4, 0, L"Windows 95"},
    {1, 0, 0, L"Windows 95"},
    {1, 7, 0, L"Windows 95"},
    {1, 4, 10, L"Windows 98"},
    {1, 6, 10, L"Windows 98"},
    {1, kAny, 10, L"Windows 98"},
    {1, 4, 90, L"Windows Millennium"},
    {1, 0, 90, L"Windows Millennium"},
    {1, 5, 90, L"Windows Millennium"},
    {1, 4, 1, nullptr},
    {1, 4, 9, nullptr},
    {1, 4, 3, nullptr},
    {1, 4, 11, nullptr},
    {1, 4, 91, nullptr},
    {1, 4, kAny, nullptr},
    // The NT family: majors 3 and 4 without their minor version.
    {2, 3, 51, L"Windows NT 3.51"},
    {2, 3, 0, L"Windows NT 3.51"},
    {2, 3, 10, L"Windows NT 3.51"},
    {2, 3, kAny, L"Windows NT 3.51"},
    {2, 4, 0, L"Windows NT 4.0"},
    {2, 4, 90, L"Windows NT 4.0"},
    {2, 4, 1, L"Windows NT 4.0"},
    // Majors 5 and 6 with their minor version.
    {2, 5, 0, L"Windows 2000"},
    {2, 5, 1, L"Windows XP"},
    {2, 5, 2, L"Windows 2003"},
    {2, 5, 3, nullptr},
    {2, 5, 4, nullptr},
    {2, 5, 10, nullptr},
    {2, 5, kAny, nullptr},
    {2, 6, 0, L"Windows Vista"},
    {2, 6, 1, L"Windows 2008"},
    {2, 6, 2, L"Windows 7"},
    {2, 6, 3, nullptr},
    {2, 6, 4, nullptr},
    {2, 6, kAny, nullptr},
    // Other majors.
    {2, 0, 0, nullptr},
    {2, 1, 0, nullptr},
    {2, 2, 0, nullptr},
    {2, 2, 1, nullptr},
    {2, 7, 0, nullptr},
    {2, 7, 1, nullptr},
    {2, 10, 0, nullptr},
    {2, kAny, 0, nullptr},
    // Other platform ids, whatever the version.
    {0, 0, 0, L"Failed"},
    {0, 5, 1, L"Failed"},
    {0, 6, 1, L"Failed"},
    {3, 0, 0, L"Failed"},
    {3, 5, 1, L"Failed"},
    {3, 4, 10, L"Failed"},
    {4, 6, 2, L"Failed"},
    {kAny, 6, 2, L"Failed"},
};

TEST(GetVersion, EveryRowOfTheTable) {
  for (const Row& row : kRows) {
    // A fresh window's empty target, and a target holding an earlier run's name.
    for (const wchar_t* before : {L"", L"Windows XP", L"Windows 98"}) {
      FakeVersion version;
      version.platformId = row.platformId;
      version.major = row.major;
      version.minor = row.minor;
      std::wstring strVersion = before;
      getVersion(version, strVersion);
      const std::wstring expected = row.name ? row.name : before;
      EXPECT_EQ(strVersion, expected)
          << "platform id " << row.platformId << ", version " << row.major << "." << row.minor
          << ", target \"" << before << "\": expected \"" << expected << "\", got \"" << strVersion
          << "\"";
    }
  }
}

TEST(GetVersion, FailingQueryGivesFailed) {
  for (const wchar_t* before : {L"", L"Windows 7"}) {
    FakeVersion version;
    version.fail = true;
    std::wstring strVersion = before;
    getVersion(version, strVersion);
    EXPECT_EQ(strVersion, L"Failed")
        << "target \"" << before << "\": expected \"Failed\", got \"" << strVersion << "\"";
  }
}

TEST(GetVersion, PreparesTheRecord) {
  FakeVersion version;
  std::wstring strVersion;
  getVersion(version, strVersion);
  ASSERT_TRUE(version.prepared) << "expected one call of GetVersionExA, got none";
  const OsVersionInfoA& record = *version.prepared;
  EXPECT_EQ(record.dwOSVersionInfoSize, 148u)
      << "size: expected 148, got " << record.dwOSVersionInfoSize;
  EXPECT_EQ(record.dwMajorVersion, 0u) << "major: expected 0, got " << record.dwMajorVersion;
  EXPECT_EQ(record.dwMinorVersion, 0u) << "minor: expected 0, got " << record.dwMinorVersion;
  EXPECT_EQ(record.dwBuildNumber, 0u) << "build: expected 0, got " << record.dwBuildNumber;
  EXPECT_EQ(record.dwPlatformId, 0u) << "platform id: expected 0, got " << record.dwPlatformId;
  for (std::size_t i = 0; i < sizeof record.szCSDVersion; ++i) {
    EXPECT_EQ(record.szCSDVersion[i], ' ')
        << "service-pack text byte " << i << ": expected 0x20, got 0x" << std::hex
        << (static_cast<unsigned>(record.szCSDVersion[i]) & 0xFF);
  }
}

}  // namespace
}  // namespace brask
