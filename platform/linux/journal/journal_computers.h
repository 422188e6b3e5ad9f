// The computers of a journal folder that gathers many machines' entries, as
// systemd-journal-remote leaves them (remote-*.journal, a file for each machine or one for
// all): its host names (_HOSTNAME), compared as computer names are, and, when there are
// several, the entries without a host name as one more computer. A machine whose machine
// ID changed keeps its host name: it stays one computer. A file that the user may not read
// is its host's, by the name systemd-journal-remote gave it, whose report says so.
#pragma once

#include <optional>
#include <string>

#include "platform/computers.h"
#include "platform/event_log/event_type_names.h"

namespace brask {

// The name of the computer of the entries without a host name.
inline constexpr const wchar_t* kNoHostName = L"(no host name)";

class JournalComputers final : public Computers {
 public:
  // directory: BRASK_JOURNAL_DIR, else the local system's and users' journals.
  JournalComputers(EventTypeNames spelling, std::optional<std::string> directory)
      : spelling_(std::move(spelling)), directory_(std::move(directory)) {}

  // The host names in name order, each as the greatest of its spellings in code-point
  // order (lower case before capitals), then kNoHostName where some entries lack a host
  // name and there are two host names or more; nothing when the journal cannot be read,
  // whose first query then fails as a run on the journal does.
  std::optional<GatheredComputers> gathered() override;
  // The entries of the host of that name, all its spellings, or kNoHostName's, each source
  // with journal files of its own.
  std::unique_ptr<EventSource> computer(const std::wstring& name) override;

 private:
  EventTypeNames spelling_;
  std::optional<std::string> directory_;
};

}  // namespace brask
