// Threads through the C runtime's _beginthreadex, each left to run and counted until it
// ends, the waiting thread woken through an auto-reset event. Windows XP has every function
// used.
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

  void start(std::function<void()> work) override;
  void wake() override;
  void wait(std::chrono::milliseconds atMost) override;
  bool join(std::chrono::milliseconds atMost) override;

 private:
  HANDLE woken_;
  HANDLE allEnded_;      // a manual-reset event, set while no thread runs
  LONG running_ = 0;
};

}  // namespace brask
