// Threads for work that runs beside the user-interface thread: reading many computers at
// once. The user-interface thread waits to be woken, handling its window's messages
// meanwhile where it has a window.
#pragma once

#include <chrono>
#include <functional>
#include <stdexcept>

namespace brask {

// The user ended the program (closed the window) while a run waited: the run stops where it
// is, leaves the previous report as it was, and the program ends.
class RunCancelled : public std::runtime_error {
 public:
  RunCancelled() : std::runtime_error("run cancelled") {}
};

class Threads {
 public:
  virtual ~Threads() = default;
  // Runs work on a new thread of its own. Throws RunTimeError when no thread can be made.
  virtual void start(std::function<void()> work) = 0;
  // Wakes the thread waiting in wait(); any thread may call it. A wake that comes while
  // nobody waits ends the next wait at once.
  virtual void wake() = 0;
  // Returns once woken, or once atMost has passed. Where the waiting thread has a window, it
  // handles the window's messages meanwhile, and throws RunCancelled once the user has
  // closed it.
  virtual void wait(std::chrono::milliseconds atMost) = 0;
  // Waits until every thread started has ended, at most atMost; whether they all have. A
  // thread still running must not outlive what it uses: the process then ends at once.
  virtual bool join(std::chrono::milliseconds atMost) = 0;
};

}  // namespace brask
