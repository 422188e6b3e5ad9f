#include "platform/linux/evtx/evtx_event_source.h"

#include "platform/event_log/event_levels.h"
#include "platform/event_log/log_query.h"
#include "platform/run_time_error.h"
#include "platform/linux/evtx/evtx_objects.h"

namespace brask {
namespace {

// A connection holds nothing open of its own: its queries walk the source's files.
class EvtxService : public EventService {
 public:
  EvtxService(const EventTypeNames& spelling, EvtxFolder& folder)
      : spelling_(spelling), folder_(folder) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const LogName log = logOfQuery(queryText);
    return std::make_unique<EvtxObjects>(
        log == LogName::Other ? std::vector<EvtxLogFile*>() : folder_.filesOf(log), spelling_,
        levelSelectionFor(wanted, spelling_));
  }

  // Where a log stands is read by the bookmark's run.
  LogMark mark(const std::wstring&, const std::optional<LogPosition>&) override {
    throw RunTimeError(L"Reading where the log stands", kInternalError, L"Not supported here");
  }

 private:
  const EventTypeNames& spelling_;
  EvtxFolder& folder_;
};

}  // namespace

EvtxEventSource::EvtxEventSource(EventTypeNames spelling, std::string folder,
                                 std::optional<std::wstring> computer)
    : spelling_(std::move(spelling)), folder_(std::move(folder), std::move(computer)) {}

std::unique_ptr<EventService> EvtxEventSource::connect() {
  return std::make_unique<EvtxService>(spelling_, folder_);
}

}  // namespace brask
