// Where a log of the journal stands, for a bookmark: the cursor of its newest entry, and
// what became of a cursor saved by an earlier run.
#pragma once

#include <systemd/sd-journal.h>

#include <optional>

#include "platform/event_log/event_type_names.h"
#include "platform/event_log/log_query.h"
#include "platform/event_source.h"
#include "platform/linux/journal/journal.h"
#include "platform/linux/journal/journal_mapping.h"

namespace brask {

// Whether the open file holds the cursor's entry. Its matches go; it is left anywhere.
bool holdsCursor(sd_journal* journal, const JournalCursor& cursor);

// The cursor of the log's newest entry of any priority in the files (none without entries),
// and what became of the saved position: cleared where that entry is older than the saved
// cursor's time, where the log has no entry, or where the position is no cursor; overwritten
// where no file holds the saved cursor's entry any more.
LogMark journalMark(JournalFiles& files, LogName log, const EventTypeNames& spelling,
                    const std::optional<LogPosition>& saved);

}  // namespace brask
