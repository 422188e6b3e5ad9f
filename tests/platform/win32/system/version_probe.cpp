// Prints what the version detection names this Windows, and the numbers it was given:
// the second process of the version test, started under each Windows version Wine
// pretends to be. It carries the program's manifest, so it sees what brask.exe sees.
#include <string>

#include "child_process.h"
#include "environment/version.h"
#include "platform/win32/system/kernel32_version.h"

int main() {
  brask::Kernel32Version version;
  std::wstring strVersion;
  brask::getVersion(version, strVersion);
  brask::OsVersionInfoA info{};
  info.dwOSVersionInfoSize = sizeof info;
  version.GetVersionExA(info);
  brask::test::printUtf8(strVersion + L"|" + std::to_wstring(info.dwPlatformId) + L"." +
                         std::to_wstring(info.dwMajorVersion) + L"." +
                         std::to_wstring(info.dwMinorVersion));
  return 0;
}
