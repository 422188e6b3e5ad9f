// The name of the running Windows version.
#pragma once

#include <string>

#include "platform/version_api.h"

namespace brask {

// Writes one of "Windows 95", "Windows 98", "Windows Millennium", "Windows NT 3.51",
// "Windows NT 4.0", "Windows 2000", "Windows XP", "Windows 2003", "Windows Vista",
// "Windows 2008", "Windows 7" or "Failed" into strVersion; leaves it as it was for a
// version that has no name.
void getVersion(VersionApi& version, std::wstring& strVersion);

}  // namespace brask
