// How the records of saved event logs map onto the event logs: the log a file's channel
// names, the Type a record's level and keywords give, the fields of its XML that libevtx
// has no function for, and its time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event_source.h"
#include "platform/event_type_names.h"
#include "platform/linux/log_query.h"

namespace brask {

// What a source notes of a record when it first reads it: the class of its level, or why
// it is passed over.
enum class RecordClass : std::uint8_t {
  Unread,
  Critical,
  Error,
  Warning,
  Information,
  Unreadable,
};

// Level 1 is Critical, 2 Error, 3 Warning; 0, 4, 5, the levels above them that providers
// define, and a level that cannot be read are Information.
RecordClass levelClass(std::optional<int> level);

// Spelled as the event logs of the detected language and generation spell it (Critical is
// Error where the generation has none); keywords marking an audit success or failure
// make the Type "Audit Success" or "Audit Failure", whatever the level.
const std::wstring& recordType(RecordClass levelClass, std::uint64_t keywords,
                               const EventTypeNames& spelling);

// The records a listing may keep: the level classes spelled as the wanted type, and those
// written, in local wall-clock time, before `writtenBefore` (when given).
struct EvtxSelection {
  std::uint8_t classes = 0;  // a bit for each RecordClass; Unread always, since it may be any
  std::optional<DateTime> writtenBefore;

  bool allows(RecordClass recordClass) const {
    return (classes >> static_cast<int>(recordClass) & 1) != 0;
  }
};

EvtxSelection evtxSelectionFor(const EventsWanted& wanted, const EventTypeNames& spelling);

// A FILETIME (100 ns since 1601) as microseconds since 1970; 0 for times before 1970.
std::uint64_t unixMicroseconds(std::uint64_t fileTime);

// The log of a channel named Application or System, in any letter case; Other for the rest.
LogName logOfChannel(std::string_view channel);

// What the properties need of a record's XML, as libevtx renders it.
struct RecordDetails {
  std::optional<std::int64_t> task;
  std::uint64_t keywords = 0;
  // Its event data ends in a Binary element, which libevtx counts as its last string.
  bool binaryLast = false;
};

RecordDetails recordDetails(std::string_view xml);

// The text of an element of the XML's System part; nothing when missing or empty.
std::optional<std::string> systemValue(std::string_view xml, std::string_view element);

}  // namespace brask
