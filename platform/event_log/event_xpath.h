// The query of the Windows Event Log API for what a listing may keep: an XPath over the
// events' System part that selects the levels spelled as the wanted type and, in date
// mode, the events created before the bound's UTC limit (a day past it), so that the
// event service filters and the program reads only what it may write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/event_log/event_levels.h"

namespace brask {

// "*" when the selection keeps every event, else for example
// *[System[(Level=1 or Level=2) and TimeCreated[@SystemTime<'2009-08-12T00:00:00.000Z']]].
// With recordBelow, only the events whose EventRecordID is below it: the rest of a walk
// that has delivered that record, in the log's order.
std::wstring eventXPath(const LevelSelection& selection,
                        std::optional<std::uint64_t> recordBelow = std::nullopt);

}  // namespace brask
