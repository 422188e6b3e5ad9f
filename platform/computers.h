// The event logs of many computers: other computers read where they live, and the folders
// and collector logs that gather many computers' events on this one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_source.h"
#include "platform/run_time_error.h"

namespace brask {

// How a computer's logs are reached, which decides what its reader should check.
enum class Reach {
  EventLogApi,  // the Event Log API's remote protocol
  Wmi,          // Windows Management Instrumentation
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

// The computers whose events this machine's logs gather, each as its logs spell it.
struct GatheredComputers {
  std::vector<std::wstring> names;  // in name order
  std::wstring where;               // the folder or log that gathers them
  // A collector's log: each computer is reported as one even when there is only one.
  bool collector = false;
};

class Computers {
 public:
  virtual ~Computers() = default;
  // The computers that this machine's logs gather; none where the logs are this machine's
  // alone. Throws RunTimeError when the logs cannot be reached.
  virtual std::optional<GatheredComputers> gathered() = 0;
  // The event logs of one computer: one of gathered() by its name there, else any computer
  // by the name given, or this machine for "", "." and its own names. Nothing is reached
  // before the first query, whose failure, and any later one, is a ComputerError for
  // another computer; so is a computer that cannot be asked for at all, thrown here.
  // Several computers' logs are read at once, each on its own thread.
  virtual std::unique_ptr<EventSource> computer(const std::wstring& name) = 0;
};

}  // namespace brask
