// The process environment and starting other programs.
#pragma once

#include <string>

namespace brask {

class Process {
 public:
  virtual ~Process() = default;
  // The value of an environment variable; empty when it is not set.
  virtual std::wstring environmentVariable(const std::wstring& name) = 0;
  // Starts a command line with a normal, activated window; throws RunTimeError on failure.
  virtual void startProgram(const std::wstring& commandLine) = 0;
};

}  // namespace brask
