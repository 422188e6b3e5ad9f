// getVersion under the Windows versions Wine can pretend to be, set for the probe program
// alone through Wine's per-program settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "child_process.h"

namespace brask {
namespace {

constexpr wchar_t kProbe[] = L"brask_version_probe.exe";
constexpr wchar_t kProbeSettings[] = L"Software\\Wine\\AppDefaults\\brask_version_probe.exe";

void pretendToBe(const std::wstring& windowsVersion) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProbeSettings, 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const auto size = static_cast<DWORD>((windowsVersion.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(RegSetValueExW(key, L"Version", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(windowsVersion.c_str()), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(Kernel32Version, EachWindowsVersionGetsItsName) {
  const struct {
    const wchar_t* wine;
    const char* expected;
  } cases[] = {
      {L"winxp64", "Windows 2003|2.5.2"},
      {L"winxp", "Windows XP|2.5.1"},
      {L"vista", "Windows Vista|2.6.0"},
      {L"win7", "Windows 2008|2.6.1"},
      {L"win8", "Windows 7|2.6.2"},
      // Current Windows answers 6.2 to a program whose manifest names nothing later.
      {L"win10", "Windows 7|2.6.2"},
  };
  for (const auto& c : cases) {
    pretendToBe(c.wine);
    const auto result = test::runChild(L"\"" + test::ownFolder() + kProbe + L"\"");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, c.expected)
        << "Wine pretending to be " << std::string(c.wine, c.wine + wcslen(c.wine));
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kProbeSettings);
}

}  // namespace
}  // namespace brask
