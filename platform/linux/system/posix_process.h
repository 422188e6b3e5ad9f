// The environment and the viewer. SystemDrive, when unset, is the user's home directory
// ($HOME, else the password database): the report then goes there. The command line
// "notepad <path>" opens the path with xdg-open, found on PATH and started detached in a
// session of its own.
#pragma once

#include "platform/process.h"

namespace brask {

class PosixProcess : public Process {
 public:
  std::wstring environmentVariable(const std::wstring& name) override;
  void startProgram(const std::wstring& commandLine) override;
};

}  // namespace brask
