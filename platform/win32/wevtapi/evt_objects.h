// What queries of a channel through the Event Log API read: where the channel stands, and the
// result of a query, newest first: the channel's events that
// the XPath of a level selection keeps, from EvtNext in batches; each event's System values
// are rendered as it is reached, its message formatted only when it is read. An event whose
// time cannot be read is passed over. A result that goes stale under the walk, as a full log
// overwrites its oldest events, is queried again for the events below the last one reached,
// in the log's order, a few times at most without an event in between; one whose log has
// been cleared, which numbers its events from 1 again, ends the walk with the stale error.
// In a log that gathers many computers' events, a query keeps one computer's events of one
// log, and passes over any other that the event service delivers. With a position to read
// after, the XPath keeps only the events whose EventRecordID is above it. Another computer's
// EvtNext waits at most the reading's time limit (ERROR_TIMEOUT beyond it), and every call
// ends with ERROR_CANCELLED once the reading is cancelled.
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
#include "platform/win32/wevtapi/evt_cancellation.h"
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

// What the queries of one source share: the API, the renderer and messages of its events,
// their spelling, and the cancellation and time limit of its calls.
struct EvtReading {
  const Wevtapi& api;
  // Made by the first query that works: Wine's stub has no render context, and ends the
  // program that asks for one.
  std::optional<EvtRenderer>& renderer;
  EvtMessages& messages;
  const EventTypeNames& spelling;
  EvtCancellation& cancellation;
  DWORD timeout;  // of each EvtNext, in milliseconds; INFINITE for this computer's logs

  EvtRenderer& madeRenderer() const {
    if (!renderer) renderer.emplace(api);
    return *renderer;
  }
};

// Whether the event is of the channel's origin's computer and log, where it has an origin.
bool ofOrigin(const EvtSystemValues& values, const EvtChannel& channel);

// Where a channel stands, for a bookmark: the EventRecordID of its newest and of its oldest
// event, of any level (in a log that gathers many computers' events, of the origin's), each
// the first event of a query in that direction.
enum class LogEnd { Newest, Oldest };

// None where the channel has no event there, or it has no EventRecordID. Throws RunTimeError
// (EvtNotWorking where the API does not work) when the channel cannot be read.
std::optional<std::uint64_t> endRecord(const EvtReading& reading, const EvtChannel& channel,
                                       LogEnd end);

// The newest event's position, and what became of the saved one (platform/event_log/
// record_marks.h); the oldest is read only where it can tell.
LogMark evtMark(const EvtReading& reading, const EvtChannel& channel,
                const std::optional<LogPosition>& saved);

class EvtObjects final : public EventObjects {
 public:
  // Runs the query on the channel, for the events after the record `after` where it is
  // given. Throws RunTimeError, EvtNotWorking among them, when the query fails.
  EvtObjects(const EvtReading& reading, const EvtChannel& channel, const LevelSelection& selection,
             std::optional<std::uint64_t> after = std::nullopt);

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

  EvtReading reading_;
  EvtChannel channel_;
  LevelSelection selection_;
  std::optional<std::uint64_t> after_;
  WatchedEvtHandle results_;
  bool reached_ = false;  // an event of the result has been reached
  std::vector<EvtHandle> batch_;
  std::size_t position_ = 0;  // of the current event in the batch, plus one
  EvtSystemValues values_;
  std::wstring timeWritten_;
};

}  // namespace brask
