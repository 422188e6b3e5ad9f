#include "platform/linux/journal/journal_event_source.h"

#include "platform/event_log/log_query.h"
#include "platform/linux/journal/journal_mapping.h"
#include "platform/linux/journal/journal_objects.h"
#include "platform/linux/journal/journal_position.h"

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

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    return journalMark(files_, logOfQuery(queryText), spelling_, saved);
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
