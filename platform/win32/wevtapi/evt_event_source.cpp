#include "platform/win32/wevtapi/evt_event_source.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/log_query.h"
#include "platform/win32/wevtapi/evt_objects.h"

namespace brask {

// A connection holds nothing of its own: a session, where one is needed, is the source's.
class EvtService final : public EventService {
 public:
  explicit EvtService(EvtEventSource& source) : source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const LogName log = logOfQuery(queryText);
    const wchar_t* logChannel = log == LogName::System        ? L"System"
                                : log == LogName::Application ? L"Application"
                                                              : nullptr;
    const EvtTarget& target = source_.target_;
    EvtChannel channel{nullptr, logChannel, std::nullopt};
    if (logChannel && target.collector) {
      channel.path = target.collector->c_str();
      channel.origin = EventOrigin{target.forwardedBy, logChannel};
    } else if (logChannel && !target.computer.empty()) {
      channel.session = source_.session();
    }
    return std::make_unique<EvtObjects>(source_.api_, channel,
                                        levelSelectionFor(wanted, source_.spelling_),
                                        source_.renderer_, source_.messages_, source_.spelling_);
  }

  // Where a log stands is read by the bookmark's run.
  LogMark mark(const std::wstring&, const std::optional<LogPosition>&) override {
    throw RunTimeError(L"Reading where the log stands", kInternalError, L"Not supported here");
  }

 private:
  EvtEventSource& source_;
};

std::unique_ptr<EvtEventSource> EvtEventSource::open(EventTypeNames spelling,
                                                     const std::vector<LCID>& languages,
                                                     EvtTarget target) {
  const std::optional<Wevtapi> api = loadWevtapi();
  if (!api) return nullptr;
  return std::make_unique<EvtEventSource>(*api, std::move(spelling), languages, std::move(target));
}

EvtEventSource::EvtEventSource(const Wevtapi& api, EventTypeNames spelling,
                               const std::vector<LCID>& languages, EvtTarget target)
    : api_(api),
      spelling_(std::move(spelling)),
      target_(std::move(target)),
      messages_(api_, languages, target_.collector.has_value()) {}

EVT_HANDLE EvtEventSource::session() {
  if (session_) return session_.get();
  // As the user running the program, who is never asked for a password.
  EVT_RPC_LOGIN login{target_.computer.data(), nullptr, nullptr, nullptr, EvtRpcLoginAuthNegotiate};
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE session = api_.openSession(EvtRpcLogin, &login, 0, 0);
  const DWORD error = session ? ERROR_SUCCESS : GetLastError();
  session_ = EvtHandle(api_, session);
  if (!session_) throwEvtFailure(L"Opening a session on " + target_.computer, error);
  return session_.get();
}

std::unique_ptr<EventService> EvtEventSource::connect() { return std::make_unique<EvtService>(*this); }

}  // namespace brask
