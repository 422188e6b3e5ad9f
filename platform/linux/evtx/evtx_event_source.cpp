#include "platform/linux/evtx/evtx_event_source.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/event_log/event_levels.h"
#include "platform/event_log/log_query.h"
#include "platform/linux/evtx/evtx_objects.h"

namespace brask {
namespace {

// A record identifier as a bookmark keeps it: decimal digits; nothing for any other text.
std::optional<std::uint64_t> recordIdentifier(std::wstring_view position) {
  if (position.empty() || position.size() > 19) return std::nullopt;
  std::uint64_t identifier = 0;
  for (wchar_t c : position) {
    if (c < L'0' || c > L'9') return std::nullopt;
    identifier = identifier * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  return identifier;
}

// Where a log's files stand, as the Windows event log would say: the identifiers of their
// newest and oldest records, against a saved identifier.
LogMark markOf(const std::vector<EvtxLogFile*>& files, const std::optional<LogPosition>& saved) {
  std::optional<std::pair<std::uint64_t, std::uint64_t>> range;
  for (EvtxLogFile* file : files) {
    for (EvtxRecords* records : {&file->written, &file->recovered}) {
      if (const auto identifiers = records->identifiers()) {
        range = range ? std::pair(std::max(range->first, identifiers->first),
                                  std::min(range->second, identifiers->second))
                      : *identifiers;
      }
    }
  }
  LogMark mark;
  if (range) mark.newest = std::to_wstring(range->first);
  if (!saved) return mark;
  const std::optional<std::uint64_t> identifier = recordIdentifier(*saved);
  if (!identifier || !range || range->first < *identifier) {
    mark.since = SinceSaved::Cleared;
  } else if (range->second > *identifier + 1) {
    mark.since = SinceSaved::Overwritten;
  }
  return mark;
}

// A connection holds nothing open of its own: its queries walk the source's files.
class EvtxService : public EventService {
 public:
  EvtxService(const EventTypeNames& spelling, EvtxFolder& folder)
      : spelling_(spelling), folder_(folder) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    const LogName log = logOfQuery(queryText);
    return std::make_unique<EvtxObjects>(
        filesOf(log), spelling_, levelSelectionFor(wanted, spelling_),
        wanted.after ? recordIdentifier(*wanted.after) : std::nullopt);
  }

  LogMark mark(const std::wstring& queryText, const std::optional<LogPosition>& saved) override {
    return markOf(filesOf(logOfQuery(queryText)), saved);
  }

 private:
  std::vector<EvtxLogFile*> filesOf(LogName log) {
    return log == LogName::Other ? std::vector<EvtxLogFile*>() : folder_.filesOf(log);
  }

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
