// The event logs through the Windows Event Log API, where Windows has it (Vista and
// later): a query reads its log's channel newest first, and the XPath it sends lets the
// event service filter by level and, in date mode, by time, and keep only what is new since a
// bookmark's position (an EventRecordID). Type names are spelled as the event logs of the
// detected language and generation spell them. A failure of the query, of the walk or of an
// event's System values is thrown as a RunTimeError with the Windows error code and its text
// (EvtNotWorking where the API does not work at all); a message that cannot be formatted
// falls back to the event's strings. Another computer's EvtNext waits at most the call
// limit, and cancel() ends its calls in progress and refuses every later one.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/win32/call_limit.h"
#include "platform/win32/wevtapi/evt_cancellation.h"
#include "platform/win32/wevtapi/evt_messages.h"
#include "platform/win32/wevtapi/evt_objects.h"
#include "platform/win32/wevtapi/evt_values.h"
#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

// Whose events a source reads: this computer's logs by default.
struct EvtTarget {
  // Another computer, whose logs are read where they live, through a session of its own
  // opened at the first query as the current user.
  std::wstring computer;
  // Else a log of this computer that gathers other computers' events (a Windows Event
  // Collector's), by channel, where a query reads the events that one computer, spelled
  // any of `forwardedBy`, forwarded from the query's log.
  std::optional<std::wstring> collector;
  std::vector<std::wstring> forwardedBy;
};

class EvtEventSource final : public EventSource {
 public:
  // Nothing where the system has no Event Log API. Messages are formatted in the first of
  // the languages that has them.
  static std::unique_ptr<EvtEventSource> open(EventTypeNames spelling,
                                              const std::vector<LCID>& languages = messageLanguages(),
                                              EvtTarget target = {},
                                              std::chrono::milliseconds callLimit = kCallLimit);

  EvtEventSource(const Wevtapi& api, EventTypeNames spelling, const std::vector<LCID>& languages,
                 EvtTarget target = {}, std::chrono::milliseconds callLimit = kCallLimit);

  std::unique_ptr<EventService> connect() override;
  // From any thread: the calls in progress on the session, or on a collector's results, end
  // with ERROR_CANCELLED, and so does every later call.
  void cancel() override { cancellation_.cancel(); }

 private:
  friend class EvtService;

  // The session on the other computer, opened the first time; throws RunTimeError, or
  // EvtNotWorking, when it cannot be.
  EVT_HANDLE session();
  // The channel of the log that the query text names.
  EvtChannel channelOf(const std::wstring& queryText);
  EvtReading reading();

  Wevtapi api_;
  EventTypeNames spelling_;
  EvtTarget target_;
  DWORD timeout_;  // of each EvtNext
  EvtCancellation cancellation_;
  WatchedEvtHandle session_;  // closed with the source
  std::optional<EvtRenderer> renderer_;  // made by the first query that works
  EvtMessages messages_;
};

}  // namespace brask
