// GoogleTest's own customization point, for the MinGW-w64 compiler of the Win32 thread
// model: its C++ library has no std::mutex or std::condition_variable, which GoogleTest's
// Notification is built on. Everything else GoogleTest needs on Windows it builds on Win32
// itself.
#ifndef BRASK_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define BRASK_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>

namespace testing {
namespace internal {

// Lets the threads of GoogleTest's own thread tests start; this project's tests start no
// threads, so a plain wait on a flag does.
class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1

#endif  // BRASK_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
