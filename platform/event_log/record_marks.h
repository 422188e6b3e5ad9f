// A bookmark's place in a log whose events are numbered from the oldest up, as Windows
// numbers them (EventRecordID, WMI's RecordNumber, a saved log's record ID): the number in
// decimal, and what became of a saved one from the log's newest and oldest numbers now.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/event_source.h"

namespace brask {

LogPosition recordPosition(std::uint64_t record);

// The number of a position; nothing for any text but decimal digits that fit 64 bits.
std::optional<std::uint64_t> recordOfPosition(const LogPosition& position);

// newest and oldest: of the log now, none when it is empty. Against the saved position:
// cleared when the newest is below it, or the log is empty, or the position is no number;
// overwritten when the oldest is beyond the one after it.
LogMark recordMark(std::optional<std::uint64_t> newest, std::optional<std::uint64_t> oldest,
                   const std::optional<LogPosition>& saved);

}  // namespace brask
