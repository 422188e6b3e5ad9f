// A computer's event logs, watched: each call that returns is an answer of the computer,
// told through `answered`, and the first query or mark that returns is told through
// `queried`. Calls go on to the computer's own logs on the read's thread.
#pragma once

#include <functional>
#include <memory>

#include "platform/event_source.h"

namespace brask {

class WatchedSource final : public EventSource {
 public:
  WatchedSource(EventSource& source, std::function<void()> answered, std::function<void()> queried)
      : source_(source), answered_(std::move(answered)), queried_(std::move(queried)) {}

  std::unique_ptr<EventService> connect() override;

 private:
  friend class WatchedService;
  friend class WatchedObjects;

  void answered() const { answered_(); }
  void queried();

  EventSource& source_;
  std::function<void()> answered_;
  std::function<void()> queried_;  // none once called
};

}  // namespace brask
