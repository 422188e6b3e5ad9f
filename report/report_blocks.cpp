#include "report/report_blocks.h"

#include "platform/text/date_picture.h"

namespace brask {
namespace {

constexpr std::wstring_view kRule = L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
constexpr std::wstring_view kComputerRule = L"==================================";

}  // namespace

void writeHeader(ReportFile& report, const std::wstring& version, const std::wstring& language,
                 const DateTime& runAt, LocaleApi& locale) {
  const std::wstring crLf(kCrLf);
  report.append({L"Zelvo's Event Viewer v01c run on " + version + L" in " + language,
                 L"Report run at " + generalDateText(runAt, locale) + crLf,
                 L"Note: All dates below are in the format dd/mm/yyyy" + crLf});
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
