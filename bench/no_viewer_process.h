// The Linux environment, with a viewer that is never started.
#pragma once

#include "platform/process.h"

namespace brask::bench {

class NoViewerProcess : public Process {
 public:
  explicit NoViewerProcess(Process& environment) : environment_(environment) {}

  std::wstring environmentVariable(const std::wstring& name) override;
  void startProgram(const std::wstring&) override {}

 private:
  Process& environment_;
};

}  // namespace brask::bench
