#include "report/report_blocks.h"

#include "platform/text/date_picture.h"

namespace brask {
namespace {

constexpr std::wstring_view kRule = L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
constexpr std::wstring_view kComputerRule = L"==================================";

}  // namespace

void writeHeader(ReportFile& report, const std::wstring& version, const std::wstring& language,
                 const DateTime& runAt, LocaleApi& locale, const std::optional<DateTime>& newSince) {
  const std::wstring crLf(kCrLf);
  report.append({L"Zelvo's Event Viewer v01c run on " + version + L" in " + language,
                 L"Report run at " + generalDateText(runAt, locale) + crLf,
                 L"Note: All dates below are in the format dd/mm/yyyy" + crLf});
  if (newSince) {
    report.append({L"Only events new since the run of " + shortDateText(*newSince, locale) + L" " +
                   longTimeText(*newSince, locale) + L" are listed." + crLf});
  }
}

void writeLogCleared(ReportFile& report, std::wstring_view log) {
  report.append({L"The " + std::wstring(log) + L" log was cleared after the last run: all its events are "
                 L"considered new." + std::wstring(kCrLf)});
}

void writeLogOverwritten(ReportFile& report, std::wstring_view log) {
  report.append({L"Some events of the " + std::wstring(log) + L" log were overwritten before this run: the "
                 L"log is too small for the time between runs." + std::wstring(kCrLf)});
}

void writeBanner(ReportFile& report, const std::wstring& logName, const std::wstring& typeName) {
  report.append({kRule, logName + L" Log - " + typeName + L" Type", kRule});
}

void writeNoEvents(ReportFile& report, const std::wstring& logName, const std::wstring& typeName,
                   const DateTime& from, const DateTime& to, LocaleApi& locale) {
  report.append({L"No " + logName + L"log " + typeName + L" events found from " +
                 shortDateText(from, locale) + L" to " + shortDateText(to, locale) +
                 std::wstring(kCrLf)});
}

void writeComputerBanner(ReportFile& report, const std::wstring& name) {
  report.append({kComputerRule, L"Computer: " + name, kComputerRule});
}

std::wstring unreadComputerLine(const std::wstring& name, const std::wstring& reason) {
  return L"Computer " + name + L" could not be read: " + reason;
}

void writeUnreadComputer(ReportFile& report, const std::wstring& name, const std::wstring& reason) {
  report.append({unreadComputerLine(name, reason) + std::wstring(kCrLf)});
}

}  // namespace brask
