#include "platform/linux/system/posix_process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/run_time_error.h"
#include "scoped_env.h"

namespace brask {
namespace {

namespace fs = std::filesystem;

TEST(PosixProcess, EnvironmentVariablesAreReadAsUtf8) {
  const test::ScopedEnv env{{"BRASK_TEST_VALUE",
                             "Gr\xc3\xbc\xc3\x9f"
                             "e"},
                            {"BRASK_TEST_UNSET", std::nullopt}};
  PosixProcess process;
  EXPECT_EQ(process.environmentVariable(L"BRASK_TEST_VALUE"), L"Gr\u00fc\u00dfe");
  EXPECT_EQ(process.environmentVariable(L"BRASK_TEST_UNSET"), L"");
}

TEST(PosixProcess, SystemDriveFallsBackToTheHomeDirectory) {
  PosixProcess process;
  {
    const test::ScopedEnv env{{"SystemDrive", "/tmp/drive"}, {"HOME", "/home/somebody"}};
    EXPECT_EQ(process.environmentVariable(L"SystemDrive"), L"/tmp/drive");
  }
  {
    const test::ScopedEnv env{{"SystemDrive", std::nullopt}, {"HOME", "/home/somebody"}};
    EXPECT_EQ(process.environmentVariable(L"SystemDrive"), L"/home/somebody");
  }
  {
    const test::ScopedEnv env{{"SystemDrive", std::nullopt}, {"HOME", std::nullopt}};
    EXPECT_FALSE(process.environmentVariable(L"SystemDrive").empty()) << "the password database";
  }
}

class StartProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("brask_viewer_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A recording xdg-open that writes its arguments, one a line, to a file.
  void installRecordingViewer() {
    std::ofstream(dir_ / "xdg-open")
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" << (dir_ / "args.tmp").string()
        << "\"\nmv \"" << (dir_ / "args.tmp").string() << "\" \"" << (dir_ / "args").string()
        << "\"\n";
    fs::permissions(dir_ / "xdg-open", fs::perms::owner_all);
  }

  std::string recordedArguments() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(dir_ / "args") && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream file(dir_ / "args");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

TEST_F(StartProgramTest, NotepadOpensThePathWithXdgOpen) {
  installRecordingViewer();
  const test::ScopedEnv env{{"PATH", dir_.string() + ":/usr/bin:/bin"}};
  PosixProcess().startProgram(L"notepad /tmp/with blank\\BRASK.txt");
  EXPECT_EQ(recordedArguments(), "/tmp/with blank/BRASK.txt\n");
}

TEST_F(StartProgramTest, AMissingViewerIsAnError) {
  const test::ScopedEnv env{{"PATH", dir_.string()}};
  try {
    PosixProcess().startProgram(L"notepad /tmp/BRASK.txt");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ENOENT);
    EXPECT_EQ(error.action(), L"Starting xdg-open");
  }
  EXPECT_THROW(PosixProcess().startProgram(L"calc"), RunTimeError) << "only notepad is known";
}

}  // namespace
}  // namespace brask
