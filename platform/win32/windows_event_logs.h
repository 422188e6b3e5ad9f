// The event logs as this Windows has them: through the Event Log API where Windows has it
// (Vista and later), else through WMI (XP and 2003). Where the API is present but its first
// query fails without an error code or as not implemented (Wine's stub), WMI serves the
// whole run instead; any other failure stays a run-time error.
// Another computer's logs are read the same way where they live: through the API's remote
// protocol, else through WMI where this Windows lacks the API or the other computer does not
// serve the protocol (Windows XP and 2003, whose first query fails with RPC_S_UNKNOWN_IF or
// EPT_S_NOT_REGISTERED). Every failure of another computer is a ComputerError.
#pragma once

#include <memory>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"

namespace brask {

class WindowsEventLogs final : public EventSource {
 public:
  // computer: another computer's name; empty for this one.
  explicit WindowsEventLogs(EventTypeNames spelling, std::wstring computer = {});
  ~WindowsEventLogs() override;

  std::unique_ptr<EventService> connect() override;

 private:
  friend class WindowsEventService;

  // The query through the API, else through WMI, its failures as they come.
  std::unique_ptr<EventObjects> query(const std::wstring& queryText, const EventsWanted& wanted);

  std::wstring computer_;
  std::unique_ptr<EventSource> api_;  // none once WMI serves
  std::unique_ptr<EventSource> wmi_;  // made when it first serves
  bool queried_ = false;              // a query of the API has succeeded
};

}  // namespace brask
