#include "bookmarks/log_marks.h"

#include "report/listings.h"
#include "report/report_blocks.h"

namespace brask {

std::optional<LogPosition> LogMarks::start(EventSource& events, ReportFile& report, const std::wstring& logName) {
  const std::wstring query = queryText(logName);
  const LogName log = logOfQuery(query);
  if (const auto marked = after_.find(log); marked != after_.end()) return marked->second;

  const auto found = saved_.find(log);
  const std::optional<LogPosition> saved = found == saved_.end() ? std::nullopt : std::optional(found->second);
  const LogMark mark = events.connect()->mark(query, saved);
  newest_[log] = mark.newest;
  std::optional<LogPosition>& after = after_[log];
  if (!saved) return after;
  if (mark.since == SinceSaved::Cleared) {
    writeLogCleared(report, logNameText(log));
    return after;
  }
  if (mark.since == SinceSaved::Overwritten) writeLogOverwritten(report, logNameText(log));
  return after = saved;
}

}  // namespace brask
