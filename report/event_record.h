// One event of the query result: its date, and its four-line record in the report.
#pragma once

#include <string>

#include "platform/date_time.h"
#include "platform/event_source.h"
#include "platform/locale_api.h"
#include "report/report_file.h"

namespace brask {

// A property value as text: numbers in decimal without grouping, missing as empty.
std::wstring propertyText(const PropertyValue& value);
void appendProperty(std::wstring& text, const PropertyValue& value);

// True when the event's Type is exactly the type name; a missing Type never matches.
bool isOfType(EventObjects& event, const std::wstring& typeName);

// The event's TimeWritten (yyyymmddHHMMSS.ffffff+ooo) as the wall-clock time it states;
// the fraction and the UTC offset are ignored. Throws RunTimeError for a value that is
// missing or does not name a valid date-time.
DateTime eventDate(EventObjects& event);

// Appends the event's record: log name and date, type and category, event code and
// source, and the message on one line.
void writeEventRecord(ReportFile& report, EventObjects& event, const std::wstring& logName,
                      const DateTime& written, LocaleApi& locale);

}  // namespace brask
