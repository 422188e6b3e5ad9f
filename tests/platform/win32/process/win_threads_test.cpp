// The threads of reads and the wait of the window's thread: woken, timed out, joined; while
// it waits the thread handles its messages, sets input aside and ends the wait with
// RunCancelled on WM_QUIT.
#include "platform/win32/process/win_threads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace brask {
namespace {

using namespace std::chrono_literals;

// A window of this thread that records the messages it is given.
class RecordingWindow {
 public:
  RecordingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BraskRecordingWindow";
    RegisterClassW(&windowClass);
    handle_ = CreateWindowExW(0, windowClass.lpszClassName, L"recording", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    received().clear();
  }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;
  ~RecordingWindow() { DestroyWindow(handle_); }

  HWND handle() const { return handle_; }
  static std::vector<UINT>& received() {
    static std::vector<UINT> messages;
    return messages;
  }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_KEYDOWN || message == WM_CHAR || message == WM_SYSCHAR ||
        message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) {
      received().push_back(message);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND handle_;
};

// How long the call took, in milliseconds.
template <class Call>
long long timed(Call call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

TEST(WinThreads, AWaitEndsWhenWokenOrWhenItsTimeIsUp) {
  WinThreads threads;
  threads.wake();
  EXPECT_LT(timed([&] { threads.wait(10s); }), 2000) << "a wake before the wait ends it at once";
  const long long waited = timed([&] { threads.wait(200ms); });
  EXPECT_GE(waited, 180);
  EXPECT_LT(waited, 2000);
  threads.start([&] {
    Sleep(100);
    threads.wake();
  });
  EXPECT_LT(timed([&] { threads.wait(10s); }), 5000) << "a thread's wake ends the wait";
  EXPECT_TRUE(threads.join(5s));
}

TEST(WinThreads, JoinWaitsForEveryThreadAtMostAsLongAsItIsTold) {
  WinThreads threads;
  EXPECT_TRUE(threads.join(0ms)) << "no thread started";
  const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  threads.start([release] { WaitForSingleObject(release, INFINITE); });
  threads.start([] {});
  const long long waited = timed([&] { EXPECT_FALSE(threads.join(300ms)) << "a thread still runs"; });
  EXPECT_GE(waited, 280);
  SetEvent(release);
  EXPECT_TRUE(threads.join(5s));
  CloseHandle(release);
}

// A message sent from another thread is answered only by a thread that handles its
// messages: the window's caption read by a reading thread, as the system reads it to tell
// whether the window still responds.
TEST(WinThreads, AWaitAnswersMessagesSentFromOtherThreads) {
  WinThreads threads;
  RecordingWindow window;
  const HWND handle = window.handle();
  bool answered = false;
  threads.start([&] {
    wchar_t caption[32] = {};
    DWORD_PTR length = 0;
    answered = SendMessageTimeoutW(handle, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(caption), SMTO_BLOCK, 5000,
                                   &length) != 0 &&
               std::wstring(caption) == L"recording";
    threads.wake();
  });
  threads.wait(20s);
  ASSERT_TRUE(threads.join(10s));
  EXPECT_TRUE(answered) << "the window did not answer while its thread waited";
}

// Posted messages are handled, input is set aside: the window takes no click or key while a
// run waits.
TEST(WinThreads, AWaitHandlesPostedMessagesAndSetsInputAside) {
  WinThreads threads;
  RecordingWindow window;
  threads.handleMessagesOf(window.handle());
  const struct {
    UINT message;
    bool handled;
  } cases[] = {
      {WM_USER + 1, true}, {WM_KEYDOWN, false},     {WM_CHAR, false},      {WM_SYSCHAR, false},
      {WM_LBUTTONDOWN, false}, {WM_MOUSEMOVE, false}, {WM_USER + 2, true},
  };
  for (const auto& c : cases) PostMessageW(window.handle(), c.message, 'R', 0);
  threads.wake();
  threads.wait(5s);
  std::vector<UINT> expected;
  for (const auto& c : cases) {
    if (c.handled) expected.push_back(c.message);
  }
  EXPECT_EQ(RecordingWindow::received(), expected);
}

TEST(WinThreads, WmQuitEndsAWaitWithRunCancelled) {
  WinThreads threads;
  PostQuitMessage(0);
  EXPECT_THROW(threads.wait(10s), RunCancelled);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was handled twice";
}

}  // namespace
}  // namespace brask
