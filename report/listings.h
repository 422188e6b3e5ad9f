// The two listings of one section: the latest events of a type, and the events of a type
// between two dates. Each queries the log afresh.
#pragma once

#include <cstdint>
#include <functional>
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
};

// The query text for a log name with its quotes, such as 'System'.
std::wstring queryText(const std::wstring& logName);

// Writes the n newest events of the type in the log, newest first.
void listLastEvents(const Listing& listing, const std::wstring& typeName, std::int16_t n,
                    const std::wstring& logName);

// Writes the events of the type written from midnight of the From day to the end of the
// To day, newest first. The listing ends at the first event of the type older than From;
// when that comes before any record, it writes the no-events line instead.
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

// Writes each section's banner, then has `list` list its events.
void writeSections(const Listing& listing, const std::vector<Section>& sections,
                   const ListSection& list);

}  // namespace brask
