// How journal entries map onto the event logs: which log an entry belongs to, and how
// its priority is spelled as an event type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_log/event_type_names.h"
#include "platform/event_log/log_query.h"
#include "platform/event_source.h"

namespace brask {

// The fields of an entry that decide its log and its type.
struct EntryClass {
  bool userUnit = false;  // has _SYSTEMD_USER_UNIT
  bool userUid = false;   // has a _UID of 1000 or more
  bool kernel = false;    // _TRANSPORT=kernel
  int priority = -1;      // the first PRIORITY, 0 to 7; -1 when missing or not a priority
  bool priorityNoted = false;
  bool transportNoted = false;
};

// The priority of a PRIORITY value, 0 to 7; -1 for any other text.
int priorityOf(std::string_view value);

// Notes one "FIELD=value" item of an entry in its class; of repeated PRIORITY fields the
// first counts, as when the field is read alone.
void noteField(EntryClass& entry, std::string_view item);

// The fields that the properties of a written event come from.
struct EventFields {
  std::optional<std::string> facility;    // SYSLOG_FACILITY: Category
  std::optional<std::string> messageId;   // MESSAGE_ID: EventCode
  std::optional<std::string> identifier;  // SYSLOG_IDENTIFIER, _COMM, _SYSTEMD_UNIT: SourceName
  std::optional<std::string> command;
  std::optional<std::string> unit;
  std::optional<std::string> message;  // MESSAGE: Message
};

// Notes one "FIELD=value" item of an entry in its fields; the first of a repeated field
// counts.
void noteField(EventFields& fields, std::string_view item);

// The Application log holds the entries of user units and of users (a _UID of 1000 or
// more) that did not come from the kernel; the System log holds the rest.
LogName logOf(const EntryClass& entry);

// Priorities 0-2 are Critical (Error where the generation has no Critical type), 3 Error,
// 4 Warning, 5-7 Information; an entry without a priority is Information.
const std::wstring& typeName(int priority, const EventTypeNames& spelling);

// A bookmark's place in the journal: the cursor of an entry (sd_journal_get_cursor),
// "s=...;i=...;b=...;m=...;t=...;x=...", whose t= field is the entry's time stamp in hexadecimal.
struct JournalCursor {
  std::string text;
  std::uint64_t time = 0;  // microseconds since 1970
};

// The cursor of a bookmark's position; nothing for text that is no cursor with a time.
std::optional<JournalCursor> readCursor(std::wstring_view position);

// The part of the journal that holds what a listing wants: the entries with one of
// `priorities` (every entry when nothing, since the type then covers entries without a
// priority; none when empty) written, in local wall-clock time, before `writtenBefore`
// (when given), and after the entry of the cursor `after` (when given): in the file that
// holds it, the entries written after it; in the others, and where it is gone, those of its
// time or later. Of every entry, those whose first priority is one of `skipped` are not
// wanted either: the type of entries without a priority covers the rest.
struct JournalSelection {
  std::optional<std::vector<int>> priorities;
  std::optional<DateTime> writtenBefore;
  std::optional<JournalCursor> after = std::nullopt;
  std::vector<int> skipped = {};
};

// Whether what is known of an entry so far, its fields read in part, rules it out of a walk
// of the log that skips those priorities: its first priority is skipped, or it is known to
// be of the other log.
bool ruledOut(const EntryClass& entry, LogName log, const std::vector<int>& skipped);

// The priorities spelled as the wanted type (the older generation's Error covers 0 to 3),
// the wanted bound and the position after which the events are wanted (none where it is no
// cursor).
JournalSelection selectionFor(const EventsWanted& wanted, const EventTypeNames& spelling);

}  // namespace brask
