// The result of a query through the Event Log API, newest first: the channel's events that
// the XPath of a level selection keeps, from EvtNext in batches; each event's System values
// are rendered as it is reached, its message formatted only when it is read. An event whose
// time cannot be read is passed over. A result that goes stale under the walk, as a full log
// overwrites its oldest events, is queried again for the events below the last one reached,
// in the log's order, a few times at most without an event in between; one whose log has
// been cleared, which numbers its events from 1 again, ends the walk with the stale error.
// In a log that gathers many computers' events, a query keeps one computer's events of one
// log, and passes over any other that the event service delivers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/event_log/event_levels.h"
#include "platform/event_log/event_type_names.h"
#include "platform/event_log/event_xpath.h"
#include "platform/event_source.h"
#include "platform/run_time_error.h"
#include "platform/win32/wevtapi/evt_messages.h"
#include "platform/win32/wevtapi/evt_values.h"
#include "platform/win32/wevtapi/wevtapi.h"

namespace brask {

// The query failed without an error code, or as not implemented: an Event Log API that is
// present but does not work, as Wine's stub.
class EvtNotWorking : public RunTimeError {
 public:
  using RunTimeError::RunTimeError;
};

// Throws the failure of a call that reaches the event service: EvtNotWorking without an
// error code or as not implemented, else a RunTimeError with the code.
[[noreturn]] void throwEvtFailure(const std::wstring& action, DWORD error);

// Where a query reads.
struct EvtChannel {
  EVT_HANDLE session = nullptr;        // another computer's; null for this one
  const wchar_t* path = nullptr;       // none: a result without events
  std::optional<EventOrigin> origin;   // of the events kept, in a log that gathers many
};

class EvtObjects final : public EventObjects {
 public:
  // Runs the query on the channel. Throws RunTimeError, EvtNotWorking among them, when the
  // query fails. The renderer is made once a query has worked: Wine's stub has no render
  // context, and ends the program that asks for one.
  EvtObjects(const Wevtapi& api, const EvtChannel& channel, const LevelSelection& selection,
             std::optional<EvtRenderer>& renderer, EvtMessages& messages,
             const EventTypeNames& spelling);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;

  // How many events EvtNext asks for at a time.
  static constexpr DWORD kBatch = 16;
  // How many times in a row a stale result is queried again.
  static constexpr int kStaleQueries = 5;

 private:
  // Queries the channel, below the last event reached when one was.
  void query();
  // Whether the log has been cleared since the last event reached: its newest event, if it
  // has one, is below it (or cannot say where it is).
  bool cleared();
  // The next batch; false at the end of the results.
  bool fetch();
  PropertyValue message();
  // Whether the event is of the origin's computer and log, where there is one.
  bool ofOrigin(const EvtSystemValues& values) const;

  const Wevtapi& api_;
  EvtChannel channel_;
  LevelSelection selection_;
  std::optional<EvtRenderer>& renderer_;
  EvtMessages& messages_;
  const EventTypeNames& spelling_;
  EvtHandle results_;
  bool reached_ = false;  // an event of the result has been reached
  std::vector<EvtHandle> batch_;
  std::size_t position_ = 0;  // of the current event in the batch, plus one
  EvtSystemValues values_;
  std::wstring timeWritten_;
};

}  // namespace brask
