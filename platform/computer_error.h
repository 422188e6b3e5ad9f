// A computer that cannot be read, and how its logs are reached.
#pragma once

#include <string>

#include "platform/run_time_error.h"

namespace brask {

// How a computer's logs are reached, which decides what its reader should check.
enum class Reach {
  EventLogApi,  // the Event Log API's remote protocol
  Wmi,          // Windows Management Instrumentation
  Folder,       // files of a folder on this machine: the code is an error number
};

// A computer that cannot be read: its error code and the system's text for it. Any other
// failure is the run's own.
class ComputerError : public RunTimeError {
 public:
  ComputerError(std::wstring action, long code, std::wstring description, Reach reach)
      : RunTimeError(std::move(action), code, std::move(description)), reach_(reach) {}

  Reach reach() const { return reach_; }

 private:
  Reach reach_;
};

}  // namespace brask
