// The event logs of many computers: other computers read where they live, and the folders
// and collector logs that gather many computers' events on this one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/computer_error.h"
#include "platform/event_source.h"

namespace brask {

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
