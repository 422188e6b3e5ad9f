// The blocks of the report other than event records: the header, the section banner and
// the no-events line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "platform/locale_api.h"
#include "report/report_file.h"

namespace brask {

// Starts the report with its header: program, Windows version and language, the run
// time in the general date form, and the note on the date format; with a bookmark's saved
// positions, the line that says since when events are listed, the local time when they were
// taken in the short-date and long-time pictures.
void writeHeader(ReportFile& report, const std::wstring& version, const std::wstring& language,
                 const DateTime& runAt, LocaleApi& locale,
                 const std::optional<DateTime>& newSince = std::nullopt);

// The banner of one section: the log name and the type name between two rules of tildes.
void writeBanner(ReportFile& report, const std::wstring& logName, const std::wstring& typeName);

// The line that says a date range holds no event of the type.
void writeNoEvents(ReportFile& report, const std::wstring& logName, const std::wstring& typeName,
                   const DateTime& from, const DateTime& to, LocaleApi& locale);

// The line before a log's first section where a bookmark's saved position is newer than
// every event of the log, and the line where some events after it are gone. log: the log's
// own name, "System".
void writeLogCleared(ReportFile& report, std::wstring_view log);
void writeLogOverwritten(ReportFile& report, std::wstring_view log);

// The banner of one computer's block: its name between two rules of equals signs.
void writeComputerBanner(ReportFile& report, const std::wstring& name);

// The line of a computer that could not be read, in place of its sections or after what
// was read of them: "Computer NAME could not be read: " and the reason.
std::wstring unreadComputerLine(const std::wstring& name, const std::wstring& reason);
void writeUnreadComputer(ReportFile& report, const std::wstring& name, const std::wstring& reason);

}  // namespace brask
