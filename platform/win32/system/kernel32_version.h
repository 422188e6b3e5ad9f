// GetVersionExA of kernel32 on the record the caller prepared.
#pragma once

#include "platform/version_api.h"

namespace brask {

class Kernel32Version final : public VersionApi {
 public:
  void GetVersionExA(OsVersionInfoA& info) override;
};

}  // namespace brask
