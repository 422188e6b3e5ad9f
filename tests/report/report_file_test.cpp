#include "report/report_file.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "report/report_blocks.h"

namespace brask::fakes {
namespace {

TEST(ReportFile, EveryItemEndsInCrLfAndEachBlockIsOneWrite) {
  MemoryText file;
  ReportFile report(file);
  report.append({L"a", L"b\r\n"});
  report.append({L"c"});
  report.appendPrinted(L"d\r\n");
  EXPECT_EQ(file.writes, (std::vector<std::wstring>{L"a\r\nb\r\n\r\n", L"c\r\n", L"d\r\n"}));
}

TEST(ReportBlocks, HeaderAndBanner) {
  MemoryText file;
  FakeLocale locale("dd/MM/yyyy");
  ReportFile report(file);
  writeHeader(report, L"Windows XP", L"English", {2009, 8, 10, 21, 2, 23}, locale);
  writeBanner(report, L"'Application' ", L"Error");
  EXPECT_EQ(file.text,
            L"Zelvo's Event Viewer v01c run on Windows XP in English\r\n"
            L"Report run at 10/08/2009 21:02:23\r\n\r\n"
            L"Note: All dates below are in the format dd/mm/yyyy\r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'Application'  Log - Error Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n");
  EXPECT_EQ(file.writes.size(), 2u);
}

TEST(ReportBlocks, RunTimeUsesThePicturesInForce) {
  MemoryText file;
  FakeLocale locale("M/d/yyyy");
  locale.user[lctype::kLongTime] = L"h:mm:ss tt";
  ReportFile report(file);
  writeHeader(report, L"Windows 7", L"English", {2009, 8, 10, 9, 2, 3}, locale);
  EXPECT_NE(file.text.find(L"Report run at 8/10/2009 9:02:03 AM\r\n"),
            std::wstring::npos);
}

}  // namespace
}  // namespace brask::fakes
