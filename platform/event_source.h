// The event logs as a query service: connect, run a query text, walk the result once in
// delivery order (a log's events newest first), read a property of the current event by
// name. Every failure is thrown as a RunTimeError.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/date_time.h"

namespace brask {

// What a listing keeps of a query's result: the events whose Type is `type` and, when
// `writtenBefore` is given, that were written before it (local wall-clock time). A source
// may leave out any other event, never one of these, and delivers the rest newest first
// as always; the listing still reads and tests Type and TimeWritten itself. The default
// keeps every event.
struct EventsWanted {
  std::optional<std::wstring> type;
  std::optional<DateTime> writtenBefore;
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
};

class EventSource {
 public:
  virtual ~EventSource() = default;
  virtual std::unique_ptr<EventService> connect() = 0;
};

}  // namespace brask
