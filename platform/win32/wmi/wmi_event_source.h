// The event logs through Windows Management Instrumentation: the locator connects to
// root\cimv2 on the local computer with impersonation, ExecQuery runs the WQL text, the
// result is walked once, and properties are read by name. Each failing HRESULT is thrown
// as a RunTimeError with the code and its description.
#pragma once

#include "platform/event_source.h"

namespace brask {

class WmiEventSource final : public EventSource {
 public:
  // Initialises COM on the calling thread the first time it is asked to.
  std::unique_ptr<EventService> connect() override;
};

}  // namespace brask
