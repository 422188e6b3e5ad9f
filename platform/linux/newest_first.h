// Walks merged newest first. Each walk steps back through one file, its key (a time) never
// growing; the merge stands on the walk whose entry has the latest key, of equal keys the
// walk added first, so that the order does not depend on which walks a selection started.
// A walk waits unstarted until the merge comes down to its reach, the latest key it may
// deliver: a listing that ends near the newest entries starts only the newest files' walks.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace brask {

template <typename Walk>
class NewestFirst {
 public:
  using Start = std::function<std::unique_ptr<Walk>()>;

  // Every walk is added before the first step.
  void add(std::uint64_t reach, Start start) {
    waiting_.push_back({reach, waiting_.size(), std::move(start)});
  }

  // Steps the walk the merge stands on, then stands on the latest entry; null at the end.
  Walk* next() {
    if (!started_) {
      std::stable_sort(waiting_.begin(), waiting_.end(),
                       [](const Pending& a, const Pending& b) { return a.reach < b.reach; });
      started_ = true;
    }
    if (current_ && !walks_[*current_].walk->next()) walks_.erase(walks_.begin() + *current_);
    current_.reset();
    for (std::size_t i = 0; i < walks_.size(); ++i) {
      if (later(i)) current_ = i;
    }
    // A walk not started yet may hold a later entry when its reach is not older.
    while (!waiting_.empty() &&
           (!current_ || waiting_.back().reach >= walks_[*current_].walk->key())) {
      Pending pending = std::move(waiting_.back());
      waiting_.pop_back();
      std::unique_ptr<Walk> walk = pending.start();
      if (!walk->next()) continue;
      walks_.push_back({pending.order, std::move(walk)});
      if (later(walks_.size() - 1)) current_ = walks_.size() - 1;
    }
    return current_ ? walks_[*current_].walk.get() : nullptr;
  }

 private:
  struct Pending {
    std::uint64_t reach;
    std::size_t order;  // of adding
    Start start;
  };
  struct Running {
    std::size_t order;
    std::unique_ptr<Walk> walk;  // standing on its next entry
  };

  bool later(std::size_t index) const {
    if (!current_) return true;
    const Running& walk = walks_[index];
    const Running& best = walks_[*current_];
    return walk.walk->key() > best.walk->key() ||
           (walk.walk->key() == best.walk->key() && walk.order < best.order);
  }

  std::vector<Pending> waiting_;  // once started, the one that reaches latest last
  bool started_ = false;
  std::vector<Running> walks_;
  std::optional<std::size_t> current_;
};

}  // namespace brask
