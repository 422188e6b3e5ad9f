#include "platform/linux/journal_event_source.h"

#include "platform/linux/journal_mapping.h"
#include "platform/linux/journal_objects.h"
#include "platform/linux/log_query.h"

namespace brask {
namespace {

// A connection holds nothing open: the journal is opened by the query.
class JournalService : public EventService {
 public:
  JournalService(const EventTypeNames& spelling, const std::optional<std::string>& directory)
      : spelling_(spelling), directory_(directory) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    return std::make_unique<JournalObjects>(directory_, logOfQuery(queryText), spelling_,
                                            selectionFor(wanted, spelling_));
  }

 private:
  const EventTypeNames& spelling_;
  const std::optional<std::string>& directory_;
};

}  // namespace

JournalEventSource::JournalEventSource(EventTypeNames spelling,
                                       std::optional<std::string> directory)
    : spelling_(std::move(spelling)), directory_(std::move(directory)) {}

std::unique_ptr<EventService> JournalEventSource::connect() {
  return std::make_unique<JournalService>(spelling_, directory_);
}

}  // namespace brask
