// Threads through the C runtime's _beginthreadex, each left to run and counted until it
// ends, the waiting thread woken through an auto-reset event. While it waits, the waiting
// thread handles its messages, so that its window repaints, shows the caption's progress and
// answers the system (which would otherwise call it "Not Responding" after 5 s); a wait is
// no time for input, though: keys and the mouse over the window's client area are set
// aside, and only the frame still moves and closes it. Windows XP has every function used.
#pragma once

#include <windows.h>

#include "platform/threads.h"

namespace brask {

class WinThreads final : public Threads {
 public:
  // A RunTimeError when the event cannot be made.
  WinThreads();
  WinThreads(const WinThreads&) = delete;
  WinThreads& operator=(const WinThreads&) = delete;
  ~WinThreads() override;

  // The dialog whose messages go through IsDialogMessage while a wait handles them, as the
  // main loop's do.
  void handleMessagesOf(HWND dialog) { dialog_ = dialog; }

  void start(std::function<void()> work) override;
  void wake() override;
  // MsgWaitForMultipleObjectsEx on the event and the thread's messages. WM_QUIT, which the
  // window posts when the user closes it during a run, ends the wait with RunCancelled.
  void wait(std::chrono::milliseconds atMost) override;
  bool join(std::chrono::milliseconds atMost) override;

 private:
  HANDLE woken_;
  HANDLE allEnded_;  // a manual-reset event, set while no thread runs
  LONG running_ = 0;
  HWND dialog_ = nullptr;
};

}  // namespace brask
