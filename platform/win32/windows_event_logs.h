// The event logs as this Windows has them: through the Event Log API where Windows has it
// (Vista and later), else through WMI (XP and 2003). Where the API is present but its first
// query fails without an error code or as not implemented (Wine's stub), WMI serves the
// whole run instead; any other failure stays a run-time error.
#pragma once

#include <memory>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"

namespace brask {

class WindowsEventLogs final : public EventSource {
 public:
  explicit WindowsEventLogs(EventTypeNames spelling);
  ~WindowsEventLogs() override;

  std::unique_ptr<EventService> connect() override;

 private:
  friend class WindowsEventService;

  std::unique_ptr<EventSource> api_;  // none once WMI serves
  std::unique_ptr<EventSource> wmi_;  // made when it first serves
  bool queried_ = false;              // a query of the API has succeeded
};

}  // namespace brask
