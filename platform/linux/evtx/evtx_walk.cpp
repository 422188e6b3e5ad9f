#include "platform/linux/evtx/evtx_walk.h"

#include "platform/event_log/file_time.h"
#include "platform/linux/cim_time.h"

namespace brask {

std::optional<std::uint64_t> EvtxWalk::reach() {
  for (int position = 0; position < end_; ++position) {
    const int index = records_.indexAt(position);
    if (const std::optional<EvtxRecord> newest = records_.read(index))
      return records_.timeOf(index, *newest);
  }
  return std::nullopt;
}

bool EvtxWalk::next() {
  while (++position_ < end_) {
    index_ = records_.indexAt(position_);
    if (!selection_.allows(records_.classOf(index_))) continue;
    const std::optional<EvtxRecord> record = records_.read(index_);
    if (!record || !selection_.allows(records_.classOf(index_))) continue;
    if (after_ && record->identifier() <= *after_) continue;
    if (selection_.writtenBefore &&
        localWallClock(unixMicroseconds(records_.timeOf(index_, *record))) >=
            *selection_.writtenBefore) {
      continue;
    }
    return true;
  }
  return false;
}

}  // namespace brask
