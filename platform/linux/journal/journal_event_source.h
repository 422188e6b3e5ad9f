// The event logs on the systemd journal: the files of one directory (BRASK_JOURNAL_DIR) or
// the local system's and users' journals, opened by the first query and kept open; every
// entry, or those of one chosen host. Type names are spelled as the event logs of the
// detected language and Windows generation spell them.
#pragma once

#include <optional>
#include <string>

#include "platform/event_log/event_type_names.h"
#include "platform/event_source.h"
#include "platform/linux/journal/journal.h"

namespace brask {

class JournalEventSource : public EventSource {
 public:
  JournalEventSource(EventTypeNames spelling, std::optional<std::string> directory,
                     std::optional<HostChoice> hosts = std::nullopt);

  std::unique_ptr<EventService> connect() override;
  // The journal files of the directory that the user may not read, once a query has listed
  // them, where others could be read.
  std::optional<ComputerError> unreadPart() override { return files_.unreadPart(); }

 private:
  EventTypeNames spelling_;
  JournalFiles files_;
};

}  // namespace brask
