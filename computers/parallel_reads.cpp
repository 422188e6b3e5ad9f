#include "computers/parallel_reads.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace brask {
namespace {

using SteadyClock = std::chrono::steady_clock;

// What a read's thread and this one share: written there, read here.
struct Progress {
  std::atomic<bool> answered{false};
  std::atomic<bool> ended{false};
};

enum class State { Waiting, Running, Ended, GivenUp };

}  // namespace

std::vector<bool> readInParallel(Threads& threads, const ParallelReads& limits, std::size_t count,
                                 const std::function<void(std::size_t, const std::function<void()>&)>& read,
                                 const std::function<void(std::size_t)>& done) {
  std::vector<std::shared_ptr<Progress>> progress(count);
  std::vector<State> states(count, State::Waiting);
  std::vector<SteadyClock::time_point> started(count);
  std::size_t next = 0;     // the next read to start
  std::size_t running = 0;  // started, and neither ended nor given up
  std::size_t finished = 0;

  while (finished < count) {
    while (next < count && running < limits.atOnce) {
      // A read given up may still run after this returns: what it shares lives on with it.
      auto shared = std::make_shared<Progress>();
      progress[next] = shared;
      started[next] = SteadyClock::now();
      states[next] = State::Running;
      ++running;
      threads.start([&threads, shared, i = next, readFunction = read] {
        const std::function<void()> answered = [&threads, shared] {
          shared->answered = true;
          threads.wake();
        };
        readFunction(i, answered);
        shared->ended = true;
        threads.wake();
      });
      ++next;
    }

    const std::size_t before = finished;
    auto wakeAt = SteadyClock::time_point::max();
    const auto now = SteadyClock::now();
    for (std::size_t i = 0; i < next; ++i) {
      if (states[i] != State::Running) continue;
      if (progress[i]->ended) {
        states[i] = State::Ended;
      } else if (!progress[i]->answered) {
        const auto deadline = started[i] + limits.firstAnswer;
        if (now >= deadline) {
          states[i] = State::GivenUp;
        } else {
          wakeAt = std::min(wakeAt, deadline);
          continue;
        }
      } else {
        continue;
      }
      --running;
      ++finished;
    }
    if (finished != before) done(finished);
    if (finished == count || (next < count && running < limits.atOnce)) continue;
    const auto wait = wakeAt == SteadyClock::time_point::max()
                          ? limits.firstAnswer
                          : std::chrono::duration_cast<std::chrono::milliseconds>(wakeAt - now) +
                                std::chrono::milliseconds(1);
    threads.wait(wait);
  }

  std::vector<bool> ended(count);
  std::transform(states.begin(), states.end(), ended.begin(),
                 [](State state) { return state == State::Ended; });
  return ended;
}

}  // namespace brask
