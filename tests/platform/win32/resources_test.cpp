// The resources of brask.exe, whose path BRASK_EXE names: version, manifest and icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "child_process.h"

namespace brask {
namespace {

std::wstring programPath() {
  const char* path = std::getenv("BRASK_EXE");
  return path ? test::wineDosPath(path) : std::wstring();
}

// The project version as a file version, "1.0.0.0", as the build worked it out.
std::string projectFileVersion() {
  const char* version = std::getenv("BRASK_FILE_VERSION");
  return version ? version : "";
}

// The processor brask.exe is built for, which is this test's own, as its manifest names it.
#ifdef _WIN64
constexpr char kManifestArchitecture[] = "amd64";
#else
constexpr char kManifestArchitecture[] = "x86";
#endif

// The program loaded as data, for its resources.
class ProgramResources : public testing::Test {
 protected:
  void SetUp() override {
    path_ = programPath();
    ASSERT_FALSE(path_.empty()) << "BRASK_EXE is not set";
    module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::string resource(LPCWSTR type, LPCWSTR name) const {
    const HRSRC found = FindResourceW(module_, name, type);
    if (!found) return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

  // The version resource as GetFileVersionInfoW reads it; empty when there is none.
  std::vector<char> versionInfo() const {
    const DWORD size = GetFileVersionInfoSizeW(path_.c_str(), nullptr);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoW(path_.c_str(), 0, size, info.data())) return {};
    return info;
  }

  // One value of the US English string table, or "(none)".
  static std::wstring versionText(std::vector<char>& info, const std::wstring& name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) {
      return L"(none)";
    }
    return text;
  }

  std::wstring path_;
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, TheFileDescriptionNamesWhatTheProgramDoes) {
  std::vector<char> info = versionInfo();
  ASSERT_FALSE(info.empty());
  EXPECT_EQ(
      versionText(info, L"FileDescription"),
      L"Windows Event Viewer - Reports from 1 to 20 of the last events or between two dates.");
}

TEST_F(ProgramResources, TheVersionIsTheProjectVersion) {
  const std::string expected = projectFileVersion();
  ASSERT_FALSE(expected.empty()) << "BRASK_FILE_VERSION is not set";
  std::vector<char> info = versionInfo();
  ASSERT_FALSE(info.empty());
  const std::wstring wide(expected.begin(), expected.end());
  EXPECT_EQ(versionText(info, L"FileVersion"), wide);
  EXPECT_EQ(versionText(info, L"ProductVersion"), wide);
}

TEST_F(ProgramResources, TheManifestAsksForWhatTheProgramNeeds) {
  const std::string manifest = resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  const struct {
    std::string text;
    bool present;
  } cases[] = {
      {"name=\"Zelvo.BRASK\" version=\"" + projectFileVersion() + "\" processorArchitecture=\"" +
           kManifestArchitecture + "\"",
       true},
      {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", true},
      // Only an elevated process may create the report in the root of the system drive.
      {"level=\"requireAdministrator\"", true},
      {"level=\"asInvoker\"", false},
      {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
       true},
      {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", true},   // Windows 7
      {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", false},  // Windows 8.1
      {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", false},  // Windows 10 and 11
  };
  for (const auto& c : cases) {
    EXPECT_EQ(manifest.find(c.text) != std::string::npos, c.present) << c.text;
  }
}

TEST_F(ProgramResources, TheIconIs32By32In16ColoursWithAMask) {
  const std::string group = resource(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(101));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u + 14u);
  EXPECT_EQ(static_cast<unsigned char>(group[4]), 1) << "one image";
  EXPECT_EQ(static_cast<unsigned char>(group[6]), 32) << "width";
  EXPECT_EQ(static_cast<unsigned char>(group[7]), 32) << "height";
  EXPECT_EQ(static_cast<unsigned char>(group[8]), 16) << "colours";

  const auto icon = static_cast<HICON>(
      LoadImageW(module_, MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ASSERT_NE(icon, nullptr);
  ICONINFO parts{};
  ASSERT_TRUE(GetIconInfo(icon, &parts));
  EXPECT_NE(parts.hbmMask, nullptr);
  BITMAP mask{};
  GetObjectW(parts.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(parts.hbmMask);
  DeleteObject(parts.hbmColor);
  DestroyIcon(icon);
}

}  // namespace
}  // namespace brask
