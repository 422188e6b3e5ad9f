#include "platform/linux/evtx/evtx_walk.h"

#include "platform/event_log/file_time.h"
#include "platform/linux/cim_time.h"

namespace brask {

std::optional<std::uint64_t> EvtxWalk::reach() {
  for (int position = 0; position < records_.size(); ++position) {
    if (const std::optional<EvtxRecord> newest = records_.read(records_.indexAt(position)))
      return newest->written();
  }
  return std::nullopt;
}

bool EvtxWalk::next() {
  while (++position_ < records_.size()) {
    index_ = records_.indexAt(position_);
    if (!selection_.allows(records_.classOf(index_))) continue;
    const std::optional<EvtxRecord> record = records_.read(index_);
    if (!record || !selection_.allows(records_.classOf(index_))) continue;
    written_ = record->written();
    if (selection_.writtenBefore &&
        localWallClock(unixMicroseconds(written_)) >= *selection_.writtenBefore) {
      continue;
    }
    return true;
  }
  return false;
}

}  // namespace brask
