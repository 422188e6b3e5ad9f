// One set of a saved event log's records in a query: those of the selection, newest
// first, one at a time, and with a bookmark's record identifier only those above it. A record whose class is known not to be selected is passed over
// unread. The walk keeps the index of its record, not the record: libevtx's records share
// its cache of chunks, and one kept across the reading of others may change under it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/event_log/event_levels.h"
#include "platform/linux/evtx/evtx_records.h"

namespace brask {

class EvtxWalk {
 public:
  EvtxWalk(EvtxRecords& records, const LevelSelection& selection,
           std::optional<std::uint64_t> after = std::nullopt)
      : records_(records), selection_(selection), after_(after),
        end_(after ? records.positionsAbove(*after) : records.size()) {}

  // The event time of the newest record the walk may deliver (FILETIME); nothing when no
  // record can be read.
  std::optional<std::uint64_t> reach();
  // Moves to the next record of the walk; false when there is none.
  bool next();

  // The current record, read again; nothing when it can no longer be read. The class of
  // its level.
  std::optional<EvtxRecord> record() { return records_.read(index_); }
  RecordClass recordClass() const { return records_.classOf(index_); }
  // Where the merge of the walks puts the current record: its event time.
  std::uint64_t key() { return records_.timeOf(index_); }

 private:
  EvtxRecords& records_;
  const LevelSelection& selection_;
  std::optional<std::uint64_t> after_;
  int end_;  // the positions walked are those below it
  int position_ = -1;
  int index_ = 0;
};

}  // namespace brask
