// The two listings of one section: the latest events of a type, and the events of a type
// between two dates. Each queries the log afresh.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "platform/event_source.h"
#include "platform/locale_api.h"
#include "report/report_file.h"

namespace brask {

struct Listing {
  EventSource& events;
  LocaleApi& locale;
  ReportFile& report;
  // A bookmark's position: only the events after it are listed.
  std::optional<LogPosition> after = std::nullopt;
};

// The query text for a log name with its quotes, such as 'System'.
std::wstring queryText(const std::wstring& logName);

// Writes the n newest events of the type in the log, newest first.
void listLastEvents(const Listing& listing, const std::wstring& typeName, std::int16_t n,
                    const std::wstring& logName);

// Writes the events of the type written from midnight of the From day to the end of the
// To day, newest first. The listing ends at the first event of the type older than From;
// when that comes before any record, it writes the no-events line instead. After a
// bookmark's position the events run out where the new ones do, which ends the listing
// the same way.
void listEventsBetween(const Listing& listing, const std::wstring& typeName, const DateTime& from,
                       const DateTime& to, const std::wstring& logName);

// One section of the report: the log, by its name with quotes (and in date mode a trailing
// blank), and the type, by the name the event logs give it.
struct Section {
  std::wstring logName;
  std::wstring typeName;
};

// Lists a section's events: the latest ones, or those between two dates.
using ListSection = std::function<void(const Listing&, const Section&)>;

// For a bookmark: called before the first section of each log (named as sections name it),
// it may write the report's lines on the log, and returns the position after which the
// log's sections list; nothing to list every event.
using StartLog = std::function<std::optional<LogPosition>(EventSource& events, ReportFile& report,
                                                         const std::wstring& logName)>;

// Writes each section's banner, then has `list` list its events; with startLog, from where
// it says. The sections of a log follow one another.
void writeSections(const Listing& listing, const std::vector<Section>& sections,
                   const ListSection& list, const StartLog& startLog = nullptr);

}  // namespace brask
