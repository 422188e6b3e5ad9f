#include "platform/linux/system/posix_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/run_time_error.h"
#include "scoped_env.h"

namespace brask {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class PosixFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("brask_files_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The path as the logic builds it: the drive, a backslash and the name.
  std::wstring reportPath() const { return dir_.wstring() + L"\\BRASK.txt"; }
  fs::path written() const { return dir_ / "BRASK.txt"; }

  fs::path dir_;
};

TEST_F(PosixFilesTest, OutputTruncatesAndAppendAppends) {
  const test::ScopedEnv env{{"LC_ALL", "en_US.UTF-8"}};
  PosixFiles files;
  files.write(reportPath(), OpenMode::Append, L"created by append\r\n");
  EXPECT_EQ(contents(written()), "created by append\r\n");
  files.write(reportPath(), OpenMode::Output, L"header\r\n");
  EXPECT_EQ(contents(written()), "header\r\n");
  files.write(reportPath(), OpenMode::Append, L"record\r\n");
  files.write(reportPath(), OpenMode::Append, L"");
  EXPECT_EQ(contents(written()), "header\r\nrecord\r\n");
  files.write(reportPath(), OpenMode::Output, L"");
  EXPECT_EQ(contents(written()), "");
}

TEST_F(PosixFilesTest, TextIsWrittenInTheCharacterSetOfTheLocale) {
  const std::wstring text = L"Gr\u00fc\u00dfe \u20ac \u65e5";
  const struct {
    const char* locale;
    std::string bytes;
  } cases[] = {
      {"en_US.UTF-8",
       "Gr\xc3\xbc\xc3\x9f"
       "e \xe2\x82\xac \xe6\x97\xa5"},
      {"de_DE.ISO-8859-1",
       "Gr\xfc\xdf"
       "e ? ?"},
      {"de_DE@euro",
       "Gr\xfc\xdf"
       "e \xa4 ?"},
      {"C", "Gr??e ? ?"},
  };
  for (const auto& c : cases) {
    const test::ScopedEnv env{{"LC_ALL", c.locale}};
    PosixFiles().write(reportPath(), OpenMode::Output, text);
    EXPECT_EQ(contents(written()), c.bytes) << c.locale;
  }
}

TEST_F(PosixFilesTest, AFailureNamesTheFile) {
  PosixFiles files;
  const std::wstring path = dir_.wstring() + L"\\missing\\BRASK.txt";
  try {
    files.write(path, OpenMode::Output, L"x");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ENOENT);
    EXPECT_EQ(error.description(), L"No such file or directory");
    EXPECT_EQ(error.action(), L"Opening the report file " + dir_.wstring() + L"/missing/BRASK.txt");
  }
  EXPECT_THROW(files.write(dir_.wstring(), OpenMode::Append, L"x"), RunTimeError) << "a directory";
  EXPECT_THROW(files.write(L"/dev/full", OpenMode::Append, L"x"), RunTimeError) << "a full device";
}

}  // namespace
}  // namespace brask
