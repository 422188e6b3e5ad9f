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
  files_.write(path_, OpenMode::Output, L"Caf\u00e9 \u20ac5 \u4e2d\u00df\r\n");
  EXPECT_EQ(bytes(),
            "Caf\xe9 \x80"
            "5 ?\xdf\r\n");
}

TEST_F(AnsiFileTest, OutputTruncatesAndAppendAddsAtTheEnd) {
  files_.write(path_, OpenMode::Output, L"an earlier, longer report\r\n");
  files_.write(path_, OpenMode::Output, L"header\r\n");
  files_.write(path_, OpenMode::Append, L"banner\r\n");
  files_.write(path_, OpenMode::Append, L"");
  files_.write(path_, OpenMode::Append, L"record\r\n");
  EXPECT_EQ(bytes(), "header\r\nbanner\r\nrecord\r\n");
}

TEST_F(AnsiFileTest, AppendCreatesAMissingFile) {
  files_.write(path_, OpenMode::Append, L"first\r\n");
  EXPECT_EQ(bytes(), "first\r\n");
}

TEST_F(AnsiFileTest, AFileThatCannotBeOpenedIsARunTimeErrorWithTheSystemsCode) {
  const std::wstring missingFolder = L"C:\\brask-no-such-folder\\BRASK.txt";
  try {
    files_.write(missingFolder, OpenMode::Output, L"header\r\n");
    ADD_FAILURE() << "the write succeeded";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ERROR_PATH_NOT_FOUND);
    EXPECT_NE(error.action().find(missingFolder), std::wstring::npos);
    EXPECT_NE(error.description(), L"Unknown error");
    EXPECT_FALSE(error.description().empty());
  }
}

}  // namespace
}  // namespace brask
