// One computer's logs as a run with a bookmark reads them. Before a log's first section,
// where the log stands is taken (its newest event of any type, where the next run starts),
// the report says so where the log was cleared or overwritten since the saved position, and
// the log's sections are told to list only the events after that position (all of them, in
// a log cleared since, or one without a saved position).
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/event_source.h"
#include "platform/event_log/log_query.h"
#include "report/report_file.h"

namespace brask {

class LogMarks {
 public:
  explicit LogMarks(std::map<LogName, LogPosition> saved) : saved_(std::move(saved)) {}

  // Before the first section of the log of that name (with its quotes, as sections name
  // it): the position after which its sections list. A log is marked once.
  std::optional<LogPosition> start(EventSource& events, ReportFile& report, const std::wstring& logName);

  // Where each log marked stood: none for a log without events.
  const std::map<LogName, std::optional<LogPosition>>& newest() const { return newest_; }

 private:
  std::map<LogName, LogPosition> saved_;
  std::map<LogName, std::optional<LogPosition>> newest_;
  std::map<LogName, std::optional<LogPosition>> after_;
};

}  // namespace brask
