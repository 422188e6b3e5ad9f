// The event logs through Windows Management Instrumentation: one connection per computer and
// thread for all its queries (platform/win32/wmi/wmi_connection.h), each WQL text run
// semi-synchronously (asynchronous calls would need the other computer to connect back),
// the result walked once, and properties read by name (platform/win32/wmi/wmi_objects.h).
// With a bookmark's position, the query keeps only the rows whose RecordNumber is above it;
// where a log stands is its newest row's RecordNumber, and its oldest follows from the
// number of records the log holds, which a classic log numbers without a gap. Another
// computer's calls are bounded: each row waits at most the call limit, and cancel() ends the
// call in progress and refuses every later one. Each failing HRESULT is thrown as a
// RunTimeError with the code and its description.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/win32/call_limit.h"
#include "platform/win32/wmi/wmi_cancellation.h"
#include "platform/win32/wmi/wmi_connection.h"

namespace brask {

class WmiEventSource final : public EventSource {
 public:
  // computer: another computer's name; empty for this one. Types are spelled as `spelling`.
  explicit WmiEventSource(EventTypeNames spelling, std::wstring computer = {},
                          std::chrono::milliseconds callLimit = kCallLimit,
                          WmiClient client = comWmiClient());

  // COM is initialised on the calling thread for as long as its connection, or a result of
  // it, lives.
  std::unique_ptr<EventService> connect() override;
  // From any thread.
  void cancel() override { cancellation_->cancel(); }

 private:
  // The connection of the calling thread, made at its first query.
  std::shared_ptr<WmiConnection> connection();

  EventTypeNames spelling_;
  std::wstring computer_;
  long timeout_;  // of each row
  WmiClient client_;
  std::shared_ptr<WmiCancellation> cancellation_;
  std::shared_ptr<WmiConnection> connection_;

  friend class WmiService;
};

}  // namespace brask
