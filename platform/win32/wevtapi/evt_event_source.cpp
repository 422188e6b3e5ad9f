#include "platform/win32/wevtapi/evt_event_source.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/log_query.h"
#include "platform/event_log/record_marks.h"
#include "platform/win32/wevtapi/evt_objects.h"

namespace brask {

// A connection holds nothing of its own: a session, where one is needed, is the source's.
class EvtService final : public EventService {
 public:
  explicit EvtService(EvtEventSource& source) : source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const EvtChannel channel = source_.channelOf(queryText);
    // A position that is no number is that of a log cleared since: every event is new.
    const std::optional<std::uint64_t> after =
        wanted.after ? recordOfPosition(*wanted.after) : std::nullopt;
    return std::make_unique<EvtObjects>(source_.reading(), channel,
                                        levelSelectionFor(wanted, source_.spelling_), after);
  }

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    return evtMark(source_.reading(), source_.channelOf(queryText), saved);
  }

 private:
  EvtEventSource& source_;
};

std::unique_ptr<EvtEventSource> EvtEventSource::open(EventTypeNames spelling,
                                                     const std::vector<LCID>& languages,
                                                     EvtTarget target,
                                                     std::chrono::milliseconds callLimit) {
  const std::optional<Wevtapi> api = loadWevtapi();
  if (!api) return nullptr;
  return std::make_unique<EvtEventSource>(*api, std::move(spelling), languages, std::move(target),
                                          callLimit);
}

EvtEventSource::EvtEventSource(const Wevtapi& api, EventTypeNames spelling,
                               const std::vector<LCID>& languages, EvtTarget target,
                               std::chrono::milliseconds callLimit)
    : api_(api),
      spelling_(std::move(spelling)),
      target_(std::move(target)),
      // This computer's own logs, a collector's among them, are waited for as long as they take.
      timeout_(target_.computer.empty() ? INFINITE : static_cast<DWORD>(callLimit.count())),
      cancellation_(api_),
      messages_(api_, cancellation_, languages, target_.collector.has_value()) {}

EVT_HANDLE EvtEventSource::session() {
  if (session_) return session_.get();
  const std::wstring action = L"Opening a session on " + target_.computer;
  cancellation_.check(action);
  // As the user running the program, who is never asked for a password.
  EVT_RPC_LOGIN login{target_.computer.data(), nullptr, nullptr, nullptr, EvtRpcLoginAuthNegotiate};
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE session = api_.openSession(EvtRpcLogin, &login, 0, 0);
  const DWORD error = session ? ERROR_SUCCESS : GetLastError();
  session_ = WatchedEvtHandle(cancellation_, EvtHandle(api_, session));
  if (!session_) throwEvtFailure(action, error);
  return session_.get();
}

EvtChannel EvtEventSource::channelOf(const std::wstring& queryText) {
  const LogName log = logOfQuery(queryText);
  const wchar_t* logChannel = log == LogName::System        ? L"System"
                              : log == LogName::Application ? L"Application"
                                                            : nullptr;
  EvtChannel channel{nullptr, logChannel, std::nullopt};
  if (logChannel && target_.collector) {
    channel.path = target_.collector->c_str();
    channel.origin = EventOrigin{target_.forwardedBy, logChannel};
  } else if (logChannel && !target_.computer.empty()) {
    channel.session = session();
  }
  return channel;
}

EvtReading EvtEventSource::reading() {
  return EvtReading{api_, renderer_, messages_, spelling_, cancellation_, timeout_};
}

std::unique_ptr<EventService> EvtEventSource::connect() { return std::make_unique<EvtService>(*this); }

}  // namespace brask
