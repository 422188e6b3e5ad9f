// The platform's version query, in the terms of GetVersionExA.
#pragma once

#include <cstdint>

namespace brask {

// Byte for byte the OSVERSIONINFOA record.
struct OsVersionInfoA {
  std::uint32_t dwOSVersionInfoSize;
  std::uint32_t dwMajorVersion;
  std::uint32_t dwMinorVersion;
  std::uint32_t dwBuildNumber;
  std::uint32_t dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfoA) == 148);

class VersionApi {
 public:
  virtual ~VersionApi() = default;
  // Fills in the record; a query that fails leaves it as it was prepared.
  virtual void GetVersionExA(OsVersionInfoA& info) = 0;
};

}  // namespace brask
