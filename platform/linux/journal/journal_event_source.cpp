#include "platform/linux/journal/journal_event_source.h"

#include "platform/event_log/log_query.h"
#include "platform/run_time_error.h"
#include "platform/linux/journal/journal_mapping.h"
#include "platform/linux/journal/journal_objects.h"

namespace brask {
namespace {

// A connection holds nothing open of its own: its queries walk the source's journal.
class JournalService : public EventService {
 public:
  JournalService(const EventTypeNames& spelling, JournalFiles& files)
      : spelling_(spelling), files_(files) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    return std::make_unique<JournalObjects>(files_, logOfQuery(queryText), spelling_,
                                            selectionFor(wanted, spelling_));
  }

  // Where a log stands is read by the bookmark's run.
  LogMark mark(const std::wstring&, const std::optional<LogPosition>&) override {
    throw RunTimeError(L"Reading where the log stands", kInternalError, L"Not supported here");
  }

 private:
  const EventTypeNames& spelling_;
  JournalFiles& files_;
};

}  // namespace

JournalEventSource::JournalEventSource(EventTypeNames spelling,
                                       std::optional<std::string> directory,
                                       std::optional<HostChoice> hosts)
    : spelling_(std::move(spelling)), files_(std::move(directory), std::move(hosts)) {}

std::unique_ptr<EventService> JournalEventSource::connect() {
  return std::make_unique<JournalService>(spelling_, files_);
}

}  // namespace brask
