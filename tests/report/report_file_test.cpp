#include "report/report_file.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "report/report_blocks.h"

namespace brask::fakes {
namespace {

TEST(ReportFile, EveryItemEndsInCrLfAndCreateTruncates) {
  MemoryFiles files;
  ReportFile report(files, L"D:\\BRASK.txt");
  report.create({L"old"});
  report.create({L"a", L"b\r\n"});
  report.append({L"c"});
  EXPECT_EQ(files.files[L"D:\\BRASK.txt"], L"a\r\nb\r\n\r\nc\r\n");
  EXPECT_EQ(files.opens, (std::vector<std::pair<OpenMode, std::wstring>>{
                             {OpenMode::Output, L"D:\\BRASK.txt"},
                             {OpenMode::Output, L"D:\\BRASK.txt"},
                             {OpenMode::Append, L"D:\\BRASK.txt"}}));
}

TEST(ReportBlocks, HeaderAndBanner) {
  MemoryFiles files;
  FakeLocale locale("dd/MM/yyyy");
  ReportFile report(files, L"C:\\BRASK.txt");
  writeHeader(report, L"Windows XP", L"English", {2009, 8, 10, 21, 2, 23}, locale);
  writeBanner(report, L"'Application' ", L"Error");
  EXPECT_EQ(files.files[L"C:\\BRASK.txt"],
            L"Zelvo's Event Viewer v01c run on Windows XP in English\r\n"
            L"Report run at 10/08/2009 21:02:23\r\n\r\n"
            L"Note: All dates below are in the format dd/mm/yyyy\r\n\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            L"'Application'  Log - Error Type\r\n"
            L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n");
  EXPECT_EQ(files.opens.size(), 2u);
}

TEST(ReportBlocks, RunTimeUsesThePicturesInForce) {
  MemoryFiles files;
  FakeLocale locale("M/d/yyyy");
  locale.user[lctype::kLongTime] = L"h:mm:ss tt";
  ReportFile report(files, L"C:\\BRASK.txt");
  writeHeader(report, L"Windows 7", L"English", {2009, 8, 10, 9, 2, 3}, locale);
  EXPECT_NE(files.files[L"C:\\BRASK.txt"].find(L"Report run at 8/10/2009 9:02:03 AM\r\n"),
            std::wstring::npos);
}

}  // namespace
}  // namespace brask::fakes
