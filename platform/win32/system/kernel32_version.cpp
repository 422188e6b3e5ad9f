#include "platform/win32/system/kernel32_version.h"

#include <windows.h>

#include <cstring>

namespace brask {

static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionInfoA));

void Kernel32Version::GetVersionExA(OsVersionInfoA& info) {
  // The record goes in exactly as prepared (size, blanks in the service-pack text) and
  // comes back as the system filled it in.
  OSVERSIONINFOA record;
  std::memcpy(&record, &info, sizeof record);
  ::GetVersionExA(&record);
  std::memcpy(&info, &record, sizeof record);
}

}  // namespace brask
