#include "computers/parallel_reads.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace brask {
namespace {

using SteadyClock = std::chrono::steady_clock;

// What a read's thread and this one share: written there, read here.
struct Progress {
  std::atomic<SteadyClock::rep> lastAnswer{SteadyClock::now().time_since_epoch().count()};
  std::atomic<bool> ended{false};

  SteadyClock::time_point answeredAt() const {
    return SteadyClock::time_point(SteadyClock::duration(lastAnswer.load()));
  }
};

enum class State { Waiting, Running, Cancelling, Finished };

class Reads {
 public:
  Reads(Threads& threads, const ParallelReads& limits, std::size_t count,
        const std::function<void(std::size_t, const std::function<void()>&)>& read,
        const std::function<void(std::size_t)>& cancel,
        const std::function<void(std::size_t, ReadEnd)>& ended)
      : threads_(threads), limits_(limits), read_(read), cancel_(cancel), ended_(ended),
        progress_(count), states_(count, State::Waiting), cancelledAt_(count) {}

  void run() {
    try {
      while (finished_ < states_.size()) {
        startWhatMay();
        const auto wakeAt = look();
        if (finished_ == states_.size()) break;
        if (next_ < states_.size() && running_ < limits_.atOnce) continue;
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wakeAt - SteadyClock::now());
        threads_.wait(std::max(wait, std::chrono::milliseconds(0)) + std::chrono::milliseconds(1));
      }
    } catch (...) {
      // Nothing more is waited for: every read still running is cancelled.
      for (std::size_t i = 0; i < next_; ++i) {
        if (states_[i] == State::Running) cancel_(i);
      }
      throw;
    }
  }

 private:
  void startWhatMay() {
    while (next_ < states_.size() && running_ < limits_.atOnce) {
      // A read given up may still run after this returns: what it shares lives on with it.
      auto shared = std::make_shared<Progress>();
      progress_[next_] = shared;
      states_[next_] = State::Running;
      ++running_;
      threads_.start([&threads = threads_, shared, i = next_, read = read_] {
        const std::function<void()> answered = [shared] {
          shared->lastAnswer = SteadyClock::now().time_since_epoch().count();
        };
        read(i, answered);
        shared->ended = true;
        threads.wake();
      });
      ++next_;
    }
  }

  // Finishes the reads that have ended or run out of time; when to look again.
  SteadyClock::time_point look() {
    auto wakeAt = SteadyClock::time_point::max();
    const auto now = SteadyClock::now();
    for (std::size_t i = 0; i < next_; ++i) {
      const State state = states_[i];
      if (state != State::Running && state != State::Cancelling) continue;
      if (progress_[i]->ended) {
        finish(i, state == State::Running ? ReadEnd::Ended : ReadEnd::Cancelled);
      } else if (state == State::Running) {
        const auto deadline = progress_[i]->answeredAt() + limits_.callLimit;
        if (now < deadline) {
          wakeAt = std::min(wakeAt, deadline);
          continue;
        }
        states_[i] = State::Cancelling;
        cancelledAt_[i] = now;
        cancel_(i);
        wakeAt = std::min(wakeAt, now + limits_.grace);
      } else if (now >= cancelledAt_[i] + limits_.grace) {
        finish(i, ReadEnd::GivenUp);
      } else {
        wakeAt = std::min(wakeAt, cancelledAt_[i] + limits_.grace);
      }
    }
    return wakeAt;
  }

  void finish(std::size_t i, ReadEnd how) {
    states_[i] = State::Finished;
    --running_;
    ++finished_;
    ended_(i, how);
  }

  Threads& threads_;
  const ParallelReads& limits_;
  const std::function<void(std::size_t, const std::function<void()>&)>& read_;
  const std::function<void(std::size_t)>& cancel_;
  const std::function<void(std::size_t, ReadEnd)>& ended_;
  std::vector<std::shared_ptr<Progress>> progress_;
  std::vector<State> states_;
  std::vector<SteadyClock::time_point> cancelledAt_;
  std::size_t next_ = 0;     // the next read to start
  std::size_t running_ = 0;  // started, and not finished
  std::size_t finished_ = 0;
};

}  // namespace

void readInParallel(Threads& threads, const ParallelReads& limits, std::size_t count,
                    const std::function<void(std::size_t, const std::function<void()>&)>& read,
                    const std::function<void(std::size_t)>& cancel,
                    const std::function<void(std::size_t, ReadEnd)>& ended) {
  Reads(threads, limits, count, read, cancel, ended).run();
}

}  // namespace brask
