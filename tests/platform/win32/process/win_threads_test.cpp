// The wait of the window's thread handles its messages and sets input aside. (A message sent
// from a reading thread answered during a run, and WM_QUIT's RunCancelled: the window's
// tests; threads joined or not: the process's end.)
#include "platform/win32/process/win_threads.h"

#include <gtest/gtest.h>

#include <vector>

namespace brask {
namespace {

using namespace std::chrono_literals;

std::vector<UINT> received;  // by the window below, in order

LRESULT CALLBACK recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER || message == WM_KEYDOWN || message == WM_CHAR || message == WM_SYSCHAR ||
      message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) {
    received.push_back(message);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Posted messages are handled, input is set aside: the window takes no click or key while a
// run waits.
TEST(WinThreads, AWaitHandlesPostedMessagesAndSetsInputAside) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = recording;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"BraskRecordingWindow";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"recording", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                      100, nullptr, nullptr, windowClass.hInstance, nullptr);
  received.clear();
  WinThreads threads;
  threads.handleMessagesOf(window);
  const struct {
    UINT message;
    bool handled;
  } cases[] = {
      {WM_USER + 1, true}, {WM_KEYDOWN, false},     {WM_CHAR, false},      {WM_SYSCHAR, false},
      {WM_LBUTTONDOWN, false}, {WM_MOUSEMOVE, false}, {WM_USER + 2, true},
  };
  for (const auto& c : cases) PostMessageW(window, c.message, 'R', 0);
  threads.wake();
  threads.wait(5s);
  DestroyWindow(window);
  std::vector<UINT> expected;
  for (const auto& c : cases) {
    if (c.handled) expected.push_back(c.message);
  }
  EXPECT_EQ(received, expected);
}

}  // namespace
}  // namespace brask
