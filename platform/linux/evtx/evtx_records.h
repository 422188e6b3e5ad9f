// One set of a saved event log's records, written or recovered, newest first, with what
// was learnt of each record at its first reading (the class of its level), so that later
// queries pass over records of other classes without reading them again: one byte a
// record, and of those whose time was needed that time: eight more. libevtx gives the written records in the order of the file's chunks, which in a
// log that has wrapped around holds the newest chunks before the oldest: their order of
// writing, by record identifier, is found by a binary search for where it wraps. The
// recovered records, few and in no order, are put in order by time once, without those
// that the written records hold already (the same identifier and time).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/event_log/event_levels.h"
#include "platform/linux/evtx/evtx_file.h"

namespace brask {

// Whether a record is one of those a source reads.
using RecordTest = std::function<bool(const EvtxRecord&)>;

class EvtxRecords {
 public:
  // written: the file's written records, against which recovered ones are told apart.
  // keeps: the records read, when not all are; the others are passed over as records that
  // cannot be read are.
  EvtxRecords(const EvtxFile& file, RecordSet set, EvtxRecords* written = nullptr,
              RecordTest keeps = nullptr);

  // The number of positions, and the index of the record at a position, newest first.
  int size();
  int indexAt(int position);

  RecordClass classOf(int index) const { return classes_[static_cast<std::size_t>(index)]; }
  // The record at an index, noting its class; nothing when it cannot be read.
  std::optional<EvtxRecord> read(int index);
  // The event time (EvtxRecord::eventTime) of the record at an index, noted at its first
  // reading: of the record in hand, or of one read for it; 0 when it cannot be read.
  std::uint64_t timeOf(int index, const EvtxRecord& record);
  std::uint64_t timeOf(int index);

  // For a bookmark. Of the written records, the number of positions, from the newest, before
  // the first record whose identifier is not above `identifier`; of the recovered records,
  // every position.
  int positionsAbove(std::uint64_t identifier);
  // The identifiers of the newest and of the oldest record that can be read; nothing when
  // none can.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> identifiers();

 private:
  void order();
  // Whether the written records hold one with this identifier and time.
  bool holds(std::uint64_t identifier, std::uint64_t written);
  // The first record that can be read at an index from `from` to before `to`, each index
  // counted on by `shift` around the end, and that index (`to` when none can).
  std::optional<EvtxRecord> readFrom(int& from, int to, int shift);

  const EvtxFile& file_;
  RecordSet set_;
  EvtxRecords* written_;
  RecordTest keeps_;
  std::vector<RecordClass> classes_;
  std::vector<std::uint64_t> times_;  // kUnknownTime until needed
  bool ordered_ = false;
  int oldest_ = 0;           // written records: the index where the order of writing begins
  std::vector<int> byTime_;  // recovered records: the indexes of those kept, newest first
};

}  // namespace brask
