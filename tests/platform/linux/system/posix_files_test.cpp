#include "platform/linux/system/posix_files.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

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

void put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// How many files written aside are left in the folder or below it.
std::size_t leftovers(const fs::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename().string().ends_with(".new")) ++count;
  }
  return count;
}

// The names in the folder.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class PosixFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("brask_files_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The path as the logic builds it: the drive, a backslash and the name.
  std::wstring reportPath() const { return dir_.wstring() + L"\\BRASK.txt"; }
  fs::path report() const { return dir_ / "BRASK.txt"; }

  // Writes a whole report through a replacement.
  void writeReport(PosixFiles& files, const std::wstring& text) {
    const auto replacement = files.replace(reportPath(), Encoding::SystemCodePage);
    replacement->write(text);
    replacement->commit();
  }

  fs::path dir_;
};

// What stands at the report's path before the run, and what the run leaves.
TEST_F(PosixFilesTest, EachKindOfTarget) {
  const test::ScopedEnv env{{"LC_ALL", "en_US.UTF-8"}};
  const struct Case {
    const char* name;
    std::function<void(const fs::path& report, const fs::path& dir)> make;
    const wchar_t* refusal;  // the end of the message; none: replaced
    const char* linkedFile;  // a file the report links to, which takes the new report
  } cases[] = {
      {"absent", [](const fs::path&, const fs::path&) {}, nullptr, nullptr},
      {"file",
       [](const fs::path& r, const fs::path&) {
         put(r, "yesterday");
         fs::permissions(r, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
       },
       nullptr, nullptr},
      {"link to a file",
       [](const fs::path& r, const fs::path& d) {
         fs::create_directory(d / "kept");
         put(d / "kept" / "real.txt", "yesterday");
         fs::create_symlink("kept/real.txt", r);
       },
       nullptr, "kept/real.txt"},
      {"link to nothing", [](const fs::path& r, const fs::path& d) { fs::create_symlink(d / "new.txt", r); },
       nullptr, "new.txt"},
      {"FIFO", [](const fs::path& r, const fs::path&) { ASSERT_EQ(::mkfifo(r.c_str(), 0600), 0); },
       L"is a FIFO, not a file", nullptr},
      {"folder", [](const fs::path& r, const fs::path&) { fs::create_directory(r); },
       L"is a folder, not a file", nullptr},
      {"socket",
       [](const fs::path& r, const fs::path&) {
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         r.string().copy(address.sun_path, sizeof address.sun_path - 1);
         ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
         ::close(fd);
       },
       L"is a socket, not a file", nullptr},
      {"link to a device", [](const fs::path& r, const fs::path&) { fs::create_symlink("/dev/full", r); },
       L"\"/dev/full\" is a character device, not a file", nullptr},
  };
  for (const Case& c : cases) {
    SetUp();
    c.make(report(), dir_);
    PosixFiles files;
    const std::vector<std::string> before = namesIn(dir_);
    if (c.refusal) {
      try {
        files.replace(reportPath(), Encoding::SystemCodePage);
        ADD_FAILURE() << c.name << ": not refused";
      } catch (const RunTimeError& error) {
        EXPECT_TRUE(error.description().ends_with(c.refusal)) << c.name;
        EXPECT_NE(error.action().find(L"BRASK.txt"), std::wstring::npos) << c.name;
      }
      EXPECT_EQ(namesIn(dir_), before) << c.name << ": nothing made";
      continue;
    }
    const auto mode = fs::exists(report()) ? std::optional(fs::status(report()).permissions()) : std::nullopt;
    writeReport(files, L"today\r\n");
    if (mode) {
      EXPECT_EQ(fs::status(report()).permissions(), *mode) << c.name << ": the mode kept";
    }
    if (c.linkedFile) {
      EXPECT_TRUE(fs::is_symlink(report())) << c.name << ": the link stays";
      EXPECT_EQ(contents(dir_ / c.linkedFile), "today\r\n") << c.name;
    } else {
      EXPECT_EQ(contents(report()), "today\r\n") << c.name;
    }
    EXPECT_EQ(leftovers(dir_), 0u) << c.name << ": nothing left beside it";
  }
}

TEST_F(PosixFilesTest, ANamePlantedWhereTheNewFileGoesIsNeverWrittenThrough) {
  put(report(), "yesterday");
  put(dir_ / "victim", "untouched");
  // Every name a run could choose for its new file, planted as a link to the victim, would
  // take up the whole space of names; a few show that a planted one is passed over.
  for (int i = 0; i < 16; ++i) fs::create_symlink(dir_ / "victim", dir_ / (".BRASK.txt.planted" + std::to_string(i)));
  PosixFiles files;
  writeReport(files, L"today");
  EXPECT_EQ(contents(dir_ / "victim"), "untouched");
  EXPECT_EQ(contents(report()), "today");
  EXPECT_EQ(namesIn(dir_).size(), 18u);
}

TEST_F(PosixFilesTest, TextIsWrittenInTheCharacterSetOfTheLocaleAndTheBookmarkInUtf8) {
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
    PosixFiles files;
    writeReport(files, text);
    EXPECT_EQ(contents(report()), c.bytes) << c.locale;
    // A spool keeps the report's bytes, copied as they are.
    const auto spool = files.spool(reportPath());
    spool->write(text);
    const auto replacement = files.replace(reportPath(), Encoding::SystemCodePage);
    spool->copyTo(*replacement);
    spool->copyTo(*replacement);
    replacement->commit();
    EXPECT_EQ(contents(report()), c.bytes + c.bytes) << c.locale;

    const auto bookmark = files.replace(dir_.wstring() + L"\\bookmark", Encoding::Utf8);
    bookmark->write(text);
    bookmark->commit();
    EXPECT_EQ(files.readText(dir_.wstring() + L"\\bookmark"), text) << c.locale;
  }
}

TEST_F(PosixFilesTest, ReadingRefusesWhatIsNotAFileWithoutWaitingOnIt) {
  PosixFiles files;
  EXPECT_EQ(files.readText(dir_.wstring() + L"/absent"), std::nullopt);
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  EXPECT_THROW(files.readText(dir_.wstring() + L"/fifo"), RunTimeError);
  EXPECT_THROW(files.readText(dir_.wstring()), RunTimeError);
}

TEST_F(PosixFilesTest, TwoWritersNeverMix) {
  // The first holds the lock while it writes; the second waits, then writes its own whole.
  PosixFiles first;
  PosixFiles second;
  auto lock = first.lock(reportPath());
  const auto replacement = first.replace(reportPath(), Encoding::SystemCodePage);
  replacement->write(L"first, ");
  std::atomic<bool> secondDone{false};
  std::thread other([&] {
    const auto held = second.lock(reportPath());
    EXPECT_EQ(contents(report()), "first, whole");
    writeReport(second, L"second, whole");
    secondDone = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(secondDone);
  replacement->write(L"whole");
  replacement->commit();
  // This process may take the lock it holds once more.
  first.lock(reportPath());
  lock.reset();
  other.join();
  EXPECT_EQ(contents(report()), "second, whole");
  EXPECT_EQ(namesIn(dir_), std::vector<std::string>{"BRASK.txt"});
}

TEST_F(PosixFilesTest, AFailureNamesTheFile) {
  PosixFiles files;
  try {
    files.replace(dir_.wstring() + L"\\missing\\BRASK.txt", Encoding::SystemCodePage);
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ENOENT);
    EXPECT_NE(error.action().find(dir_.wstring() + L"/missing/"), std::wstring::npos);
  }
  // A replacement never committed, or refused, leaves the old report whole.
  put(report(), "yesterday");
  {
    const auto replacement = files.replace(reportPath(), Encoding::SystemCodePage);
    replacement->write(L"half a report");
  }
  EXPECT_EQ(contents(report()), "yesterday");
  EXPECT_EQ(namesIn(dir_), std::vector<std::string>{"BRASK.txt"});
  fs::permissions(report(), fs::perms::owner_read);
  const auto replacement = files.replace(reportPath(), Encoding::SystemCodePage);
  replacement->write(L"today");
  EXPECT_THROW(replacement->commit(), RunTimeError) << "a read-only report is not replaced, even by root";
  EXPECT_EQ(contents(report()), "yesterday");
}

}  // namespace
}  // namespace brask
