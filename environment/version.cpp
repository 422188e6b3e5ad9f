#include "environment/version.h"

#include <cstring>

namespace brask {
namespace {

const wchar_t* versionName(const OsVersionInfoA& info) {
  switch (info.dwPlatformId) {
    case 1:  // the Windows 95 family: only the minor version tells them apart
      switch (info.dwMinorVersion) {
        case 0: return L"Windows 95";
        case 10: return L"Windows 98";
        case 90: return L"Windows Millennium";
        default: return nullptr;
      }
    case 2:  // the NT family
      switch (info.dwMajorVersion) {
        case 3: return L"Windows NT 3.51";
        case 4: return L"Windows NT 4.0";
        case 5:
          switch (info.dwMinorVersion) {
            case 0: return L"Windows 2000";
            case 1: return L"Windows XP";
            case 2: return L"Windows 2003";
            default: return nullptr;
          }
        case 6:
          switch (info.dwMinorVersion) {
            case 0: return L"Windows Vista";
            case 1: return L"Windows 2008";
            case 2: return L"Windows 7";
            default: return nullptr;
          }
        default: return nullptr;
      }
    default:
      return L"Failed";
  }
}

}  // namespace

void getVersion(VersionApi& version, std::wstring& strVersion) {
  OsVersionInfoA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  std::memset(info.szCSDVersion, ' ', sizeof info.szCSDVersion);
  version.GetVersionExA(info);
  if (const wchar_t* name = versionName(info)) strVersion = name;
}

}  // namespace brask
