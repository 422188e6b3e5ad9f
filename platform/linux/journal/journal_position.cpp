#include "platform/linux/journal/journal_position.h"

#include "platform/linux/journal/journal_objects.h"

namespace brask {

bool holdsCursor(sd_journal* journal, const JournalCursor& cursor) {
  sd_journal_flush_matches(journal);
  return sd_journal_seek_cursor(journal, cursor.text.c_str()) >= 0 && sd_journal_next(journal) > 0 &&
         sd_journal_test_cursor(journal, cursor.text.c_str()) > 0;
}

LogMark journalMark(JournalFiles& files, LogName log, const EventTypeNames& spelling,
                    const std::optional<LogPosition>& saved) {
  LogMark mark;
  std::optional<std::uint64_t> newest;
  {
    JournalObjects entries(files, log, spelling);
    if (entries.next()) {
      newest = entries.time();
      if (const std::optional<std::string> cursor = entries.cursor()) {
        mark.newest = LogPosition(cursor->begin(), cursor->end());
      }
    }
  }
  if (!saved) return mark;
  const std::optional<JournalCursor> cursor = readCursor(*saved);
  if (!cursor || !newest || *newest < cursor->time) {
    mark.since = SinceSaved::Cleared;
    return mark;
  }
  mark.since = SinceSaved::Overwritten;
  for (JournalFile& file : files.files()) {
    // A file in time order holds it only between its first and last entries.
    if (file.indexed() && (cursor->time < file.head() || cursor->time > file.tail())) continue;
    sd_journal* journal = file.get();
    if (journal != nullptr && holdsCursor(journal, *cursor)) {
      mark.since = SinceSaved::Continues;
      break;
    }
  }
  return mark;
}

}  // namespace brask
