#include "computers/watched_source.h"

#include <utility>

namespace brask {

class WatchedObjects final : public EventObjects {
 public:
  WatchedObjects(std::unique_ptr<EventObjects> objects, WatchedSource& source)
      : objects_(std::move(objects)), source_(source) {}

  bool next() override {
    const bool more = objects_->next();
    source_.answered();
    return more;
  }

  PropertyValue property(std::wstring_view name) override {
    PropertyValue value = objects_->property(name);
    source_.answered();
    return value;
  }

 private:
  std::unique_ptr<EventObjects> objects_;
  WatchedSource& source_;
};

class WatchedService final : public EventService {
 public:
  WatchedService(std::unique_ptr<EventService> service, WatchedSource& source)
      : service_(std::move(service)), source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    auto objects = std::make_unique<WatchedObjects>(service_->ExecQuery(queryText, wanted), source_);
    source_.answered();
    source_.queried();
    return objects;
  }

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    LogMark mark = service_->mark(queryText, saved);
    source_.answered();
    source_.queried();
    return mark;
  }

 private:
  std::unique_ptr<EventService> service_;
  WatchedSource& source_;
};

void WatchedSource::queried() {
  if (queried_) std::exchange(queried_, nullptr)();
}

std::unique_ptr<EventService> WatchedSource::connect() {
  auto service = std::make_unique<WatchedService>(source_.connect(), *this);
  answered();
  return service;
}

}  // namespace brask
