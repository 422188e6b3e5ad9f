#include "platform/linux/system/std_threads.h"

#include <system_error>
#include <thread>

#include "platform/linux/errno_text.h"
#include "platform/run_time_error.h"

namespace brask {

void StdThreads::start(std::function<void()> work) {
  {
    const std::lock_guard lock(mutex_);
    ++running_;
  }
  try {
    std::thread([this, work = std::move(work)]() mutable {
      work();
      // What the work holds goes before the thread counts as ended: nothing of it is
      // destroyed after join() has said every thread ended.
      work = nullptr;
      const std::lock_guard lock(mutex_);
      --running_;
      ended_.notify_all();
    }).detach();
  } catch (const std::system_error& error) {
    const std::lock_guard lock(mutex_);
    --running_;
    throw RunTimeError(L"Starting a thread", error.code().value(), errnoText(error.code().value()));
  }
}

bool StdThreads::join(std::chrono::milliseconds atMost) {
  std::unique_lock lock(mutex_);
  return ended_.wait_for(lock, atMost, [this] { return running_ == 0; });
}

void StdThreads::wake() {
  {
    const std::lock_guard lock(mutex_);
    wake_ = true;
  }
  woken_.notify_one();
}

void StdThreads::wait(std::chrono::milliseconds atMost) {
  std::unique_lock lock(mutex_);
  woken_.wait_for(lock, atMost, [this] { return wake_; });
  wake_ = false;
}

}  // namespace brask
