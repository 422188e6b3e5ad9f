#include "report/listings.h"

#include "report/event_record.h"
#include "report/report_blocks.h"

namespace brask {

std::wstring queryText(const std::wstring& logName) {
  return L"Select * from Win32_NTLogEvent where Logfile = " + logName;
}

void listLastEvents(const Listing& listing, const std::wstring& typeName, std::int16_t n,
                    const std::wstring& logName) {
  const auto service = listing.events.connect();
  const auto events = service->ExecQuery(queryText(logName), {typeName, std::nullopt, listing.after});
  std::int16_t count = 0;
  while (count < n && events->next()) {
    if (!isOfType(*events, typeName)) continue;
    const DateTime written = eventDate(*events);
    writeEventRecord(listing.report, *events, logName, written, listing.locale);
    ++count;
  }
}

void listEventsBetween(const Listing& listing, const std::wstring& typeName, const DateTime& from,
                       const DateTime& to, const std::wstring& logName) {
  const DateTime end = nextMidnight(to);
  const auto service = listing.events.connect();
  const auto events = service->ExecQuery(queryText(logName), {typeName, end, listing.after});
  bool written = false;
  bool older = false;
  while (events->next()) {
    if (!isOfType(*events, typeName)) continue;
    const DateTime date = eventDate(*events);
    if (date < from) {
      older = true;
      break;
    }
    if (date < end) {
      writeEventRecord(listing.report, *events, logName, date, listing.locale);
      written = true;
    }
  }
  if (!written && (older || listing.after)) writeNoEvents(listing.report, logName, typeName, from, to, listing.locale);
}

void writeSections(const Listing& listing, const std::vector<Section>& sections,
                   const ListSection& list, const StartLog& startLog) {
  std::optional<std::wstring> log;
  std::optional<LogPosition> after;
  for (const Section& section : sections) {
    if (startLog && section.logName != log) {
      log = section.logName;
      after = startLog(listing.events, listing.report, section.logName);
    }
    writeBanner(listing.report, section.logName, section.typeName);
    list({listing.events, listing.locale, listing.report, after}, section);
  }
}

}  // namespace brask
