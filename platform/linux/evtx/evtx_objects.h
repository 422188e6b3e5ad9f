// The result of a query on saved event logs: the records of one log's files, newest
// first, each read as an event of the event logs. Each file's written and recovered
// records are walked back on their own, and the walks merged by written time; a walk is
// first started when the merge reaches the time of its newest record, so that a query
// that ends near the newest records reads only the newest files. The files are the
// source's, kept open between queries: one query's result is walked at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/event_log/event_levels.h"
#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/linux/evtx/evtx_folder.h"
#include "platform/linux/evtx/evtx_walk.h"
#include "platform/linux/evtx/record_xml.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/linux/newest_first.h"

namespace brask {

class EvtxObjects : public EventObjects {
 public:
  // after: a bookmark's record identifier; only the records above it are delivered.
  EvtxObjects(const std::vector<EvtxLogFile*>& files, const EventTypeNames& spelling,
              LevelSelection selection, std::optional<std::uint64_t> after = std::nullopt);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;

 private:
  // What the current record's XML tells, read the first time a property needs it.
  const RecordDetails& details();
  PropertyValue message();

  const EventTypeNames& spelling_;
  LevelSelection selection_;
  NewestFirst<EvtxWalk> merge_;
  EvtxWalk* current_ = nullptr;
  std::optional<EvtxRecord> record_;  // current_'s record
  std::optional<RecordDetails> details_;
  WideDecoder utf8_{"UTF-8"};
};

}  // namespace brask
