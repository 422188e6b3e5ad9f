// How the program ends after a run, seen from outside: this test program started again as a
// program whose reading thread holds a lock that its exit path takes, as a read given up
// inside RPC or COM may hold the loader's lock that DLLs' detach code takes. It ends with its
// exit code either way: through its exit path once the thread has let go, at once where the
// thread never does. Started with --end-with-the-thread-ended or --end-with-the-thread-stuck,
// the program is that other program. Also here: COM as the program makes it ready.
#include "platform/win32/process/process_end.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/process/com_process.h"
#include "platform/win32/process/win_threads.h"

namespace brask {
namespace {

using namespace std::chrono_literals;

constexpr char kEnded[] = "--end-with-the-thread-ended";
constexpr char kStuck[] = "--end-with-the-thread-stuck";
constexpr int kExitCode = 3;

CRITICAL_SECTION held;

void say(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

// The program under test: a thread takes the lock, and lets go of it unless it is stuck.
int endAfterARun(bool stuck) {
  InitializeCriticalSection(&held);
  WinThreads threads;
  const HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  threads.start([stuck, taken] {
    EnterCriticalSection(&held);
    SetEvent(taken);
    if (stuck) Sleep(INFINITE);
    Sleep(100);
    LeaveCriticalSection(&held);
  });
  WaitForSingleObject(taken, INFINITE);
  std::atexit([] {
    EnterCriticalSection(&held);
    say("the exit path ran\n");
    LeaveCriticalSection(&held);
  });
  say("the run is over\n");
  return endOnceThreadsEnd(threads, kExitCode, 1s);
}

struct Ended {
  bool inTime;
  DWORD exitCode;
  std::string output;
};

// This program started again with the flag, given 20 s to end.
Ended runAgain(const char* flag) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(path, length) + L"\" " + std::wstring(flag, flag + std::strlen(flag));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION child{};
  const BOOL started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
  CloseHandle(writeEnd);
  Ended ended{false, 0, {}};
  if (!started) {
    CloseHandle(readEnd);
    return ended;
  }
  ended.inTime = WaitForSingleObject(child.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended.inTime) TerminateProcess(child.hProcess, 99);
  GetExitCodeProcess(child.hProcess, &ended.exitCode);
  char buffer[512];
  DWORD count = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) && count > 0) ended.output.append(buffer, count);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CloseHandle(readEnd);
  return ended;
}

TEST(ProcessEnd, TheExitCodeStaysWhetherTheThreadsEndedOrNot) {
  const struct {
    const char* flag;
    std::string output;
  } cases[] = {
      {kEnded, "the run is over\nthe exit path ran\n"},
      // Ended at once: the exit path, which would wait for the thread for ever, never runs.
      {kStuck, "the run is over\n"},
  };
  for (const auto& c : cases) {
    const Ended ended = runAgain(c.flag);
    EXPECT_TRUE(ended.inTime) << c.flag << ": did not end";
    EXPECT_EQ(ended.exitCode, static_cast<DWORD>(kExitCode)) << c.flag;
    EXPECT_EQ(ended.output, c.output) << c.flag;
  }
}

TEST(ComProcess, TheMainThreadIsInASingleThreadedApartment) {
  const ComProcess com;
  const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(again, RPC_E_CHANGED_MODE);
  if (SUCCEEDED(again)) CoUninitialize();
}

}  // namespace
}  // namespace brask

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], brask::kEnded) == 0 || std::strcmp(argv[1], brask::kStuck) == 0)) {
    return brask::endAfterARun(std::strcmp(argv[1], brask::kStuck) == 0);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
