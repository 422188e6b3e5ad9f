#include "platform/win32/wevtapi/evt_event_source.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/log_query.h"
#include "platform/win32/wevtapi/evt_objects.h"

namespace brask {

// A connection holds nothing of its own: the local event service needs no session.
class EvtService final : public EventService {
 public:
  explicit EvtService(EvtEventSource& source) : source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const LogName log = logOfQuery(queryText);
    const wchar_t* channel = log == LogName::System        ? L"System"
                             : log == LogName::Application ? L"Application"
                                                           : nullptr;
    return std::make_unique<EvtObjects>(source_.api_, channel,
                                        levelSelectionFor(wanted, source_.spelling_),
                                        source_.renderer_, source_.messages_, source_.spelling_);
  }

 private:
  EvtEventSource& source_;
};

std::unique_ptr<EvtEventSource> EvtEventSource::open(EventTypeNames spelling,
                                                     const std::vector<LCID>& languages) {
  const std::optional<Wevtapi> api = loadWevtapi();
  if (!api) return nullptr;
  return std::make_unique<EvtEventSource>(*api, std::move(spelling), languages);
}

EvtEventSource::EvtEventSource(const Wevtapi& api, EventTypeNames spelling,
                               const std::vector<LCID>& languages)
    : api_(api), spelling_(std::move(spelling)), messages_(api_, languages) {}

std::unique_ptr<EventService> EvtEventSource::connect() { return std::make_unique<EvtService>(*this); }

}  // namespace brask
