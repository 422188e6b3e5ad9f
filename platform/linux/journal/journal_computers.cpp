#include "platform/linux/journal/journal_computers.h"

#include <algorithm>
#include <map>
#include <vector>

#include "computers/computer_names.h"
#include "platform/linux/journal/journal.h"
#include "platform/linux/journal/journal_event_source.h"
#include "platform/linux/journal/journal_field_count.h"
#include "platform/run_time_error.h"

namespace brask {

std::optional<GatheredComputers> JournalComputers::gathered() {
  std::map<std::wstring, std::wstring> hosts;  // comparable name: the spelling shown
  std::vector<std::string> hosted;             // files whose entries hold host names
  bool hostless = false;                       // some entries lack one
  WideDecoder utf8("UTF-8");
  std::vector<RefusedFile> refused;
  try {
    refused = forEachJournalFile(directory_, [&](std::string& path, sd_journal* journal) {
      std::uint64_t head = 0;
      std::uint64_t tail = 0;
      if (sd_journal_get_cutoff_realtime_usec(journal, &head, &tail) <= 0) return;
      const std::optional<std::vector<std::string>> items = uniqueItems(journal, kHostField);
      if (!items || items->empty()) {
        hostless = true;
        return;
      }
      for (const std::string& item : *items) {
        const std::wstring host = hostOf(item, utf8);
        std::wstring& shown = hosts[comparableName(host)];
        shown = std::max(shown, host);
      }
      hosted.push_back(std::move(path));
    });
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
  // A file the user may not read, named after its host: that host is there all the same.
  for (const RefusedFile& file : refused) {
    if (const std::optional<std::wstring> host = hostOfFileName(file.path, utf8)) {
      std::wstring& shown = hosts[comparableName(*host)];
      shown = std::max(shown, *host);
    }
  }
  GatheredComputers gathered;
  gathered.where = directory_ ? utf8(*directory_) : std::wstring(L"/var/log/journal");
  for (const auto& [comparable, shown] : hosts) gathered.names.push_back(shown);
  // Counted only where it decides a block: one host name takes every entry.
  if (hosts.size() > 1 &&
      (hostless || std::any_of(hosted.begin(), hosted.end(), [](const std::string& path) {
         const std::optional<std::uint64_t> without = entriesWithout(path, kHostField);
         return !without || *without > 0;
       }))) {
    gathered.names.push_back(kNoHostName);
  }
  return gathered;
}

std::unique_ptr<EventSource> JournalComputers::computer(const std::wstring& name) {
  const HostChoice choice{name == kNoHostName ? std::nullopt : std::optional(comparableName(name))};
  return std::make_unique<JournalEventSource>(spelling_, directory_, choice);
}

}  // namespace brask
