#include "platform/win32/system/win_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/run_time_error.h"

namespace brask {
namespace {

TEST(WinProcess, EnvironmentVariables) {
  WinProcess process;
  EXPECT_EQ(process.environmentVariable(L"SystemDrive"), L"C:");
  ASSERT_TRUE(SetEnvironmentVariableW(L"BRASK_TEST_VALUE", L"a value with blanks"));
  EXPECT_EQ(process.environmentVariable(L"BRASK_TEST_VALUE"), L"a value with blanks");
  ASSERT_TRUE(SetEnvironmentVariableW(L"BRASK_TEST_VALUE", nullptr));
  EXPECT_EQ(process.environmentVariable(L"BRASK_TEST_VALUE"), L"");
}

TEST(WinProcess, StartsACommandLineThatRunsOnItsOwn) {
  WinProcess process;
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring marker = std::wstring(folder) + L"brask_started.txt";
  DeleteFileW(marker.c_str());
  process.startProgram(L"cmd /c echo started> \"" + marker + L"\"");
  // The program runs on its own: wait for what it leaves behind.
  const DWORD deadline = GetTickCount() + 30000;
  while (GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() < deadline) {
    Sleep(50);
  }
  EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(marker.c_str());
}

TEST(WinProcess, AProgramThatCannotBeStartedIsARunTimeError) {
  WinProcess process;
  try {
    process.startProgram(L"brask-no-such-program C:\\BRASK.txt");
    ADD_FAILURE() << "the program started";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.code(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(error.action(), L"Starting \"brask-no-such-program C:\\BRASK.txt\"");
    EXPECT_FALSE(error.description().empty());
  }
}

}  // namespace
}  // namespace brask
