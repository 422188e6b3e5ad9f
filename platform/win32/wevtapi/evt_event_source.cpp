#include "platform/win32/wevtapi/evt_event_source.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/event_xpath.h"
#include "platform/event_log/log_query.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wevtapi/evt_objects.h"

namespace brask {

// A connection holds nothing of its own: the local event service needs no session.
class EvtService final : public EventService {
 public:
  explicit EvtService(EvtEventSource& source) : source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const LogName log = logOfQuery(queryText);
    if (!source_.renderer_) source_.renderer_.emplace(source_.api_);
    EvtHandle results;
    if (log != LogName::Other) {
      const std::wstring xpath = eventXPath(levelSelectionFor(wanted, source_.spelling_));
      results = EvtHandle(source_.api_,
                          source_.api_.query(nullptr, log == LogName::System ? L"System" : L"Application",
                                             xpath.c_str(), EvtQueryChannelPath | EvtQueryReverseDirection));
      if (!results) throw lastError(L"Running the query \"" + queryText + L"\"");
    }
    return std::make_unique<EvtObjects>(source_.api_, std::move(results), *source_.renderer_,
                                        source_.messages_, source_.spelling_);
  }

 private:
  EvtEventSource& source_;
};

std::unique_ptr<EvtEventSource> EvtEventSource::open(EventTypeNames spelling) {
  const std::optional<Wevtapi> api = loadWevtapi();
  if (!api) return nullptr;
  return std::make_unique<EvtEventSource>(*api, std::move(spelling));
}

EvtEventSource::EvtEventSource(const Wevtapi& api, EventTypeNames spelling)
    : api_(api), spelling_(std::move(spelling)), messages_(api_) {}

std::unique_ptr<EventService> EvtEventSource::connect() { return std::make_unique<EvtService>(*this); }

}  // namespace brask
