#include "platform/win32/system/ansi_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/run_time_error.h"

namespace brask {
namespace {

class AnsiFileTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"brask_ansi_file_test.txt";
    DeleteFileW(path_.c_str());
  }
  void TearDown() override { DeleteFileW(path_.c_str()); }

  std::string bytes() const {
    std::ifstream in(path_.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::wstring path_;
  AnsiFile files_;
};

TEST_F(AnsiFileTest, TextIsWrittenInTheAnsiCodePageWithAQuestionMarkForWhatItLacks) {
  // The default prefix runs under en_US, whose ANSI code page is Windows-1252.
  ASSERT_EQ(GetACP(), 1252u);
  const auto report = files_.replace(path_, Encoding::SystemCodePage);
  report->write(L"Caf\u00e9 \u20ac5 \u4e2d\u00df\r\n");
  report->commit();
  EXPECT_EQ(bytes(),
            "Caf\xe9 \x80"
            "5 ?\xdf\r\n");
}

TEST_F(AnsiFileTest, AReportIsReplacedWholeOrLeftAsItWas) {
  {
    const auto report = files_.replace(path_, Encoding::SystemCodePage);
    report->write(L"yesterday");
    report->commit();
  }
  {
    const auto report = files_.replace(path_, Encoding::SystemCodePage);
    report->write(L"half of today");
  }  // never committed
  EXPECT_EQ(bytes(), "yesterday");
  const auto spool = files_.spool(path_);
  spool->write(L"spooled ");
  const auto report = files_.replace(path_, Encoding::SystemCodePage);
  report->write(L"today, ");
  spool->copyTo(*report);
  report->commit();
  EXPECT_EQ(bytes(), "today, spooled ");
  EXPECT_EQ(files_.readText(path_), L"today, spooled ");
}

TEST_F(AnsiFileTest, AFileThatCannotBeMadeIsARunTimeErrorWithTheSystemsCode) {
  const std::wstring missingFolder = L"C:\\brask-no-such-folder\\BRASK.txt";
  try {
    files_.replace(missingFolder, Encoding::SystemCodePage);
    ADD_FAILURE() << "the file was made";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ERROR_PATH_NOT_FOUND);
    EXPECT_NE(error.action().find(L"brask-no-such-folder"), std::wstring::npos);
    EXPECT_NE(error.description(), L"Unknown error");
    EXPECT_FALSE(error.description().empty());
  }
  EXPECT_THROW(files_.replace(L"NUL", Encoding::SystemCodePage), RunTimeError) << "a device";
}

}  // namespace
}  // namespace brask
