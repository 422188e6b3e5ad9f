// The process environment and starting programs: GetEnvironmentVariableW, CreateProcessW.
#pragma once

#include "platform/process.h"

namespace brask {

class WinProcess final : public Process {
 public:
  std::wstring environmentVariable(const std::wstring& name) override;
  // Starts the command line with a normal, activated window and lets it run on its own.
  void startProgram(const std::wstring& commandLine) override;
};

}  // namespace brask
