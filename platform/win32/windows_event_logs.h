// The event logs as this Windows has them: through the Event Log API where Windows has it
// (Vista and later), else through WMI (XP and 2003). Where the API is present but its first
// query or mark fails without an error code or as not implemented (Wine's stub), WMI serves
// the whole run instead; any other failure stays a run-time error.
// Another computer's logs are read the same way where they live: through the API's remote
// protocol, else through WMI where this Windows lacks the API or the other computer does not
// serve the protocol (Windows XP and 2003, whose first query fails with RPC_S_UNKNOWN_IF or
// EPT_S_NOT_REGISTERED). Every failure of another computer is a ComputerError. Its calls are
// bounded by the call limit, and cancel() ends them whichever way it is read.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/win32/call_limit.h"
#include "platform/win32/critical_section.h"
#include "platform/win32/wmi/wmi_connection.h"

namespace brask {

class WindowsEventLogs final : public EventSource {
 public:
  // computer: another computer's name; empty for this one. wmi: how WMI is reached.
  explicit WindowsEventLogs(EventTypeNames spelling, std::wstring computer = {},
                            std::chrono::milliseconds callLimit = kCallLimit,
                            WmiClient wmi = comWmiClient());
  ~WindowsEventLogs() override;

  std::unique_ptr<EventService> connect() override;
  // From any thread: to whichever of the two serves, and to WMI should it serve later.
  void cancel() override;

 private:
  friend class WindowsEventService;

  // The call on a connection of the API, else of WMI, its failures as they come.
  template <typename Call>
  auto serve(const Call& call);

  EventTypeNames spelling_;
  std::wstring computer_;
  std::chrono::milliseconds callLimit_;
  WmiClient wmiClient_;
  CriticalSection lock_;  // over the sources and cancelled_, between the read and cancel()
  bool cancelled_ = false;
  std::unique_ptr<EventSource> api_;  // none once WMI serves
  std::unique_ptr<EventSource> wmi_;  // made when it first serves
  bool queried_ = false;              // a call to the API has succeeded
};

}  // namespace brask
