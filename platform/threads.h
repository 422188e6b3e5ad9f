// Threads for work that runs beside the user-interface thread: reading many computers at
// once. A thread is started and not joined; the user-interface thread waits to be woken.
#pragma once

#include <chrono>
#include <functional>

namespace brask {

class Threads {
 public:
  virtual ~Threads() = default;
  // Runs work on a new thread of its own, which is never waited for: one still working
  // when the process ends ends with it. Throws RunTimeError when no thread can be made.
  virtual void start(std::function<void()> work) = 0;
  // Wakes the thread waiting in wait(); any thread may call it. A wake that comes while
  // nobody waits ends the next wait at once.
  virtual void wake() = 0;
  // Returns once woken, or once atMost has passed.
  virtual void wait(std::chrono::milliseconds atMost) = 0;
};

}  // namespace brask
