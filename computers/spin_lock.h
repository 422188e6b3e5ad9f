// A lock for the moments when a read's thread and the report's writer share a part. Both
// builds' standard libraries have std::atomic, but MinGW-w64's win32 thread model has no
// std::mutex. The part is held only to write one block, so a waiter rarely spins long.
#pragma once

#include <atomic>
#include <thread>

namespace brask {

class SpinLock {
 public:
  void lock() {
    while (held_.exchange(true, std::memory_order_acquire)) std::this_thread::yield();
  }
  void unlock() { held_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> held_{false};
};

}  // namespace brask
