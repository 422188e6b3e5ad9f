// Threads through the C++ standard library: each started detached and counted until it
// ends, the waiting thread woken through a condition variable.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/threads.h"

namespace brask {

class StdThreads final : public Threads {
 public:
  void start(std::function<void()> work) override;
  void wake() override;
  void wait(std::chrono::milliseconds atMost) override;
  bool join(std::chrono::milliseconds atMost) override;

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
  bool wake_ = false;  // a wake not yet taken by a wait
  std::condition_variable ended_;
  int running_ = 0;
};

}  // namespace brask
