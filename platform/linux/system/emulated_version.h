// GetVersionExA answered from BRASK_WINDOWS_VERSION=PLATFORM.MAJOR.MINOR, by default 2.6.2
// (what current Windows reports to a program without a compatibility manifest). A value
// that is not three whole numbers joined by full stops leaves the record as it was
// prepared, so that it answers platform id 0, as a failed query does.
#pragma once

#include "platform/version_api.h"

namespace brask {

class EmulatedVersion : public VersionApi {
 public:
  // Fills in the platform id, the major and the minor version only; like Windows it
  // refuses a record whose size field is not that of the record.
  void GetVersionExA(OsVersionInfoA& info) override;
};

}  // namespace brask
