#include "platform/linux/system/std_threads.h"

#include <system_error>
#include <thread>

#include "platform/linux/errno_text.h"
#include "platform/run_time_error.h"

namespace brask {

void StdThreads::start(std::function<void()> work) {
  try {
    std::thread(std::move(work)).detach();
  } catch (const std::system_error& error) {
    throw RunTimeError(L"Starting a thread", error.code().value(), errnoText(error.code().value()));
  }
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
