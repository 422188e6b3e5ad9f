// The event logs through Windows Management Instrumentation: the locator connects to
// root\cimv2 on the local computer with impersonation, or to \\NAME\root\cimv2 on another
// as the current user with the proxy security Microsoft documents for remote WMI; ExecQuery
// runs the WQL text semi-synchronously (asynchronous calls would need the other computer to
// connect back), the result is walked once, and properties are read by name. Each failing
// HRESULT is thrown as a RunTimeError with the code and its description.
#pragma once

#include <string>

#include "platform/event_source.h"

namespace brask {

class WmiEventSource final : public EventSource {
 public:
  // computer: another computer's name; empty for this one.
  explicit WmiEventSource(std::wstring computer = {}) : computer_(std::move(computer)) {}

  // COM is initialised on the calling thread for as long as the connection, or a result of
  // it, lives; both must go on that thread.
  std::unique_ptr<EventService> connect() override;

 private:
  std::wstring computer_;
};

}  // namespace brask
