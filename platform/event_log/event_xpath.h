// The query of the Windows Event Log API for what a listing may keep: an XPath over the
// events' System part that selects the levels spelled as the wanted type and, in date
// mode, the events created before the bound's UTC limit (a day past it), so that the
// event service filters and the program reads only what it may write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_log/event_levels.h"

namespace brask {

// The events that one computer's log forwarded to a log that gathers many (a Windows Event
// Collector's): their Computer one of the spellings of its name there, their Channel the
// log's.
struct EventOrigin {
  std::vector<std::wstring> computer;  // its spellings
  std::wstring channel;
};

// "*" when the selection keeps every event, else for example
// *[System[(Level=1 or Level=2) and TimeCreated[@SystemTime<'2009-08-12T00:00:00.000Z']]].
// With recordBelow, only the events whose EventRecordID is below it: the rest of a walk
// that has delivered that record, in the log's order. With recordAbove, only those whose
// EventRecordID is above it: the events new since a bookmark's position. With an origin,
// only its events: the Computer is left out of the test where a spelling cannot be quoted or
// there are too many for one query, and the reader must then pass over other computers'
// events itself.
std::wstring eventXPath(const LevelSelection& selection,
                        std::optional<std::uint64_t> recordBelow = std::nullopt,
                        const EventOrigin* origin = nullptr,
                        std::optional<std::uint64_t> recordAbove = std::nullopt);

}  // namespace brask
