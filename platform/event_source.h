// The event logs as a query service: connect, run a query text, walk the result once in
// delivery order (a log's events newest first), read a property of the current event by
// name; and, for a bookmark, where a log stands. Every failure is thrown as a RunTimeError.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/computer_error.h"
#include "platform/date_time.h"

namespace brask {

// A place in a log, as a bookmark keeps it: an event record ID in decimal (Windows, saved
// logs), or a journal cursor.
using LogPosition = std::wstring;

// What a listing keeps of a query's result: the events whose Type is `type` and, when
// `writtenBefore` is given, that were written before it (local wall-clock time). A source
// may leave out any other event, never one of these, and delivers the rest newest first
// as always; the listing still reads and tests Type and TimeWritten itself. The default
// keeps every event.
// `after`, unlike the rest, is the source's to keep: with it, the source delivers only the
// events newer than that position, as mark() reported it (where its event is gone, those
// written after its time).
struct EventsWanted {
  std::optional<std::wstring> type = std::nullopt;
  std::optional<DateTime> writtenBefore = std::nullopt;
  std::optional<LogPosition> after = std::nullopt;
};

// What became of a log since a position a bookmark saved.
enum class SinceSaved {
  Continues,    // the events after it are all there (or there are none)
  Cleared,      // the log's newest event is older than it, or it has none: cleared or replaced since
  Overwritten,  // some events after it are gone: the oldest is newer than the one after it
};

// Where a log stands now.
struct LogMark {
  std::optional<LogPosition> newest;         // of its newest event of any type; none when empty
  SinceSaved since = SinceSaved::Continues;  // of the saved position, where one was given
};

// A property value: missing (null or empty variant), text, or a whole number.
using PropertyValue = std::variant<std::monostate, std::wstring, std::int64_t>;

// The result of a query, walked once from its start.
class EventObjects {
 public:
  virtual ~EventObjects() = default;
  // Moves to the next event; false when the result has run out.
  virtual bool next() = 0;
  // Reads one property of the current event by its name.
  virtual PropertyValue property(std::wstring_view name) = 0;
};

// A connection to the event service, released when destroyed.
class EventService {
 public:
  virtual ~EventService() = default;
  virtual std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                                  const EventsWanted& wanted) = 0;
  // The position of the newest event of the log the query text names, and what became of a
  // saved position of that log since. A position the source cannot read counts as cleared.
  virtual LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) = 0;
};

class EventSource {
 public:
  virtual ~EventSource() = default;
  virtual std::unique_ptr<EventService> connect() = 0;
  // Another computer's logs: ends every call in progress on them, from any thread, each with
  // a ComputerError, so that a computer that stopped answering is given up. Nothing for this
  // computer's logs.
  virtual void cancel() {}
  // Where some of the logs' files could not be read (a folder's file that the user may not
  // read), after the queries so far read the rest: why, as the computer's failure.
  virtual std::optional<ComputerError> unreadPart() { return std::nullopt; }
};

}  // namespace brask
