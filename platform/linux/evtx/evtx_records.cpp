#include "platform/linux/evtx/evtx_records.h"

#include <algorithm>
#include <tuple>

namespace brask {
namespace {

constexpr std::uint64_t kUnknownTime = UINT64_MAX;

}  // namespace

EvtxRecords::EvtxRecords(const EvtxFile& file, RecordSet set, EvtxRecords* written, RecordTest keeps)
    : file_(file),
      set_(set),
      written_(written),
      keeps_(std::move(keeps)),
      classes_(static_cast<std::size_t>(std::max(file.count(set), 0)), RecordClass::Unread),
      times_(classes_.size(), kUnknownTime) {}

int EvtxRecords::size() {
  order();
  return static_cast<int>(set_ == RecordSet::Written ? classes_.size() : byTime_.size());
}

int EvtxRecords::indexAt(int position) {
  order();
  if (set_ == RecordSet::Recovered) return byTime_[static_cast<std::size_t>(position)];
  const int count = static_cast<int>(classes_.size());
  return (oldest_ + count - 1 - position) % count;
}

std::optional<EvtxRecord> EvtxRecords::read(int index) {
  RecordClass& recordClass = classes_[static_cast<std::size_t>(index)];
  if (recordClass == RecordClass::Unreadable) return std::nullopt;
  std::optional<EvtxRecord> record = file_.record(set_, index);
  if (!record || (recordClass == RecordClass::Unread && keeps_ && !keeps_(*record))) {
    recordClass = RecordClass::Unreadable;
    return std::nullopt;
  }
  if (recordClass == RecordClass::Unread) {
    recordClass = levelClass(record->level());
  }
  return record;
}

std::uint64_t EvtxRecords::timeOf(int index, const EvtxRecord& record) {
  std::uint64_t& time = times_[static_cast<std::size_t>(index)];
  if (time == kUnknownTime) time = record.eventTime();
  return time;
}

std::uint64_t EvtxRecords::timeOf(int index) {
  if (times_[static_cast<std::size_t>(index)] != kUnknownTime)
    return times_[static_cast<std::size_t>(index)];
  const std::optional<EvtxRecord> record = read(index);
  return record ? timeOf(index, *record) : 0;
}

int EvtxRecords::positionsAbove(std::uint64_t identifier) {
  const int count = size();
  if (set_ == RecordSet::Recovered) return count;
  // From the newest position, identifiers fall.
  int low = 0;
  int high = count;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    int probe = middle;
    std::optional<EvtxRecord> record;
    while (probe < high && !(record = read(indexAt(probe)))) ++probe;
    if (record && record->identifier() > identifier) {
      low = probe + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> EvtxRecords::identifiers() {
  std::optional<std::pair<std::uint64_t, std::uint64_t>> range;
  const int count = size();
  // Recovered records are in no order of identifiers: each is read.
  const bool ordered = set_ == RecordSet::Written;
  for (int position = 0; position < count && !(ordered && range); ++position) {
    if (const std::optional<EvtxRecord> record = read(indexAt(position))) {
      const std::uint64_t identifier = record->identifier();
      range = range ? std::pair(std::max(range->first, identifier), std::min(range->second, identifier))
                    : std::pair(identifier, identifier);
    }
  }
  for (int position = count - 1; ordered && range && position > 0; --position) {
    if (const std::optional<EvtxRecord> record = read(indexAt(position))) {
      range->second = record->identifier();
      break;
    }
  }
  return range;
}

std::optional<EvtxRecord> EvtxRecords::readFrom(int& from, int to, int shift) {
  const int count = static_cast<int>(classes_.size());
  for (; from < to; ++from) {
    if (std::optional<EvtxRecord> record = read((from + shift) % count)) return record;
  }
  return std::nullopt;
}

void EvtxRecords::order() {
  if (ordered_) return;
  ordered_ = true;
  const int count = static_cast<int>(classes_.size());
  if (set_ == RecordSet::Recovered) {
    std::vector<std::tuple<std::uint64_t, std::uint64_t, int>> kept;  // event time, identifier, index
    for (int index = 0; index < count; ++index) {
      const std::optional<EvtxRecord> record = read(index);
      if (!record) continue;
      // Copied out before the written records are read, which may free this record's values.
      const std::uint64_t identifier = record->identifier();
      const std::uint64_t written = record->written();
      const std::uint64_t time = timeOf(index, *record);
      if (written_ != nullptr && written_->holds(identifier, written)) continue;
      kept.emplace_back(time, identifier, index);
    }
    std::sort(kept.begin(), kept.end(), std::greater<>());
    for (const auto& [time, identifier, index] : kept) byTime_.push_back(index);
    return;
  }
  // Identifiers grow from the oldest record to the end of the file, and on from its start
  // to the newest: the oldest is the first whose identifier is not above the last one's.
  int last = count;
  std::optional<std::uint64_t> lastIdentifier;
  while (last > 0 && !lastIdentifier) {
    if (const std::optional<EvtxRecord> record = read(--last))
      lastIdentifier = record->identifier();
  }
  if (!lastIdentifier) return;
  int low = 0;
  int high = last;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    int probe = middle;
    const std::optional<EvtxRecord> record = readFrom(probe, high, 0);
    if (record && record->identifier() > *lastIdentifier) {
      low = probe + 1;
    } else {
      high = middle;
    }
  }
  oldest_ = low;
}

bool EvtxRecords::holds(std::uint64_t identifier, std::uint64_t written) {
  order();
  // In the order of writing, from the oldest record, identifiers grow.
  int low = 0;
  int high = static_cast<int>(classes_.size());
  while (low < high) {
    const int middle = low + (high - low) / 2;
    int probe = middle;
    const std::optional<EvtxRecord> record = readFrom(probe, high, oldest_);
    if (!record || record->identifier() > identifier) {
      high = middle;
    } else if (record->identifier() < identifier) {
      low = probe + 1;
    } else {
      return record->written() == written;
    }
  }
  return false;
}

}  // namespace brask
