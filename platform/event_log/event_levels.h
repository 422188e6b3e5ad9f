// What a Windows event's level and keywords make of its Type, and which levels a listing
// may keep, wherever the event is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"

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

// The Type of a classic event by its language-neutral number, WMI's EventType: 1 Error,
// 2 Warning, 3 Information, 4 Audit Success, 5 Audit Failure, spelled as recordType spells
// them; any other number, or none, is Information. Classic events have no Critical type.
const std::wstring& classicEventType(std::optional<std::int64_t> eventType,
                                     const EventTypeNames& spelling);

// The records a listing may keep: the level classes spelled as the wanted type, and those
// written, in local wall-clock time, before `writtenBefore` (when given).
struct LevelSelection {
  std::uint8_t classes = 0;  // a bit for each RecordClass; Unread always, since it may be any
  std::optional<DateTime> writtenBefore;

  bool allows(RecordClass recordClass) const {
    return (classes >> static_cast<int>(recordClass) & 1) != 0;
  }
};

LevelSelection levelSelectionFor(const EventsWanted& wanted, const EventTypeNames& spelling);

}  // namespace brask
