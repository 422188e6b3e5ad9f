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

#include "child_process.h"
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

TEST(ProcessEnd, TheExitCodeStaysWhetherTheThreadsEndedOrNot) {
  const struct {
    const char* flag;
    std::string output;
  } cases[] = {
      {kEnded, "the run is over\nthe exit path ran\n"},
      // Ended at once: the exit path, which would wait for the thread for ever, never runs.
      {kStuck, "the run is over\n"},
  };
  wchar_t path[MAX_PATH];
  const std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  for (const auto& c : cases) {
    const auto ended =
        test::runChild(L"\"" + program + L"\" " + std::wstring(c.flag, c.flag + std::strlen(c.flag)), 20000);
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
