#include "platform/linux/journal_objects.h"

#include <cwctype>
#include <vector>

#include "platform/linux/cim_time.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// While the entries are walked only the start of each field is looked at; a property is
// read up to the size of the longest message that journald stores. Either bound keeps the
// memory of a walk independent of the size of the journal and its entries.
constexpr std::size_t kScanThreshold = 64;
constexpr std::size_t kPropertyThreshold = 64 * 1024;

bool sameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

// The values of a field in the journal, as "FIELD=value" items.
std::vector<std::string> uniqueItems(sd_journal* journal, const char* field) {
  checked(sd_journal_query_unique(journal, field), L"Reading the journal's fields");
  std::vector<std::string> items;
  const void* data = nullptr;
  std::size_t length = 0;
  while (checked(sd_journal_enumerate_unique(journal, &data, &length), L"Reading the journal's fields") > 0) {
    items.emplace_back(static_cast<const char*>(data), length);
  }
  return items;
}

void addMatch(sd_journal* journal, const std::string& item) {
  checked(sd_journal_add_match(journal, item.data(), item.size()), L"Filtering the journal");
}

}  // namespace

JournalObjects::JournalObjects(const std::optional<std::string>& directory, LogName log,
                               const EventTypeNames& spelling)
    : journal_(directory), log_(log), spelling_(spelling) {
  checked(sd_journal_set_data_threshold(journal_.get(), kPropertyThreshold), L"Reading the journal");
  if (log_ == LogName::Other) empty_ = true;
  if (log_ == LogName::Application) empty_ = !restrictToApplication();
  checked(sd_journal_seek_tail(journal_.get()), L"Moving to the newest journal entry");
}

// Lets the journal's own index skip the entries that cannot be the Application log's:
// those of no user unit and no user. False when the journal holds none of them.
bool JournalObjects::restrictToApplication() {
  bool any = false;
  for (const std::string& item : uniqueItems(journal_.get(), "_SYSTEMD_USER_UNIT")) {
    addMatch(journal_.get(), item);
    any = true;
  }
  checked(sd_journal_add_disjunction(journal_.get()), L"Filtering the journal");
  for (const std::string& item : uniqueItems(journal_.get(), "_UID")) {
    EntryClass entry;
    noteField(entry, item);
    if (!entry.userUid) continue;
    addMatch(journal_.get(), item);
    any = true;
  }
  return any;
}

bool JournalObjects::next() {
  if (empty_) return false;
  while (checked(sd_journal_previous(journal_.get()), L"Reading the journal") > 0) {
    current_ = classify();
    if (logOf(current_) == log_) return true;
  }
  return false;
}

EntryClass JournalObjects::classify() {
  sd_journal* journal = journal_.get();
  checked(sd_journal_set_data_threshold(journal, kScanThreshold), L"Reading the journal");
  EntryClass entry;
  const void* data = nullptr;
  std::size_t length = 0;
  sd_journal_restart_data(journal);
  while (checked(sd_journal_enumerate_data(journal, &data, &length), L"Reading a journal entry") > 0) {
    noteField(entry, std::string_view(static_cast<const char*>(data), length));
  }
  checked(sd_journal_set_data_threshold(journal, kPropertyThreshold), L"Reading the journal");
  return entry;
}

std::optional<std::string> JournalObjects::field(const char* name) {
  const void* data = nullptr;
  std::size_t length = 0;
  const int result = sd_journal_get_data(journal_.get(), name, &data, &length);
  if (result == -ENOENT) return std::nullopt;
  checked(result, L"Reading a journal field");
  const std::string_view item(static_cast<const char*>(data), length);
  return std::string(item.substr(item.find('=') + 1));
}

PropertyValue JournalObjects::text(const char* name) {
  const auto value = field(name);
  if (!value) return {};
  return utf8_(*value);
}

PropertyValue JournalObjects::property(std::wstring_view name) {
  if (sameName(name, L"Type")) return typeName(current_.priority, spelling_);
  if (sameName(name, L"TimeWritten")) {
    std::uint64_t microseconds = 0;
    checked(sd_journal_get_realtime_usec(journal_.get(), &microseconds), L"Reading the time of a journal entry");
    return cimDateTime(microseconds);
  }
  if (sameName(name, L"Category")) {
    const auto facility = field("SYSLOG_FACILITY");
    if (!facility) return {};
    if (facility->empty() || facility->size() > 9 ||
        facility->find_first_not_of("0123456789") != std::string::npos) {
      return utf8_(*facility);
    }
    return static_cast<std::int64_t>(std::stol(*facility));
  }
  if (sameName(name, L"EventCode")) return text("MESSAGE_ID");
  if (sameName(name, L"SourceName")) {
    for (const char* source : {"SYSLOG_IDENTIFIER", "_COMM", "_SYSTEMD_UNIT"}) {
      PropertyValue value = text(source);
      if (!std::holds_alternative<std::monostate>(value)) return value;
    }
    return {};
  }
  if (sameName(name, L"Message")) return text("MESSAGE");
  // As the event service answers a property that the class does not have.
  throw RunTimeError(L"Reading the event property " + std::wstring(name), 438,
                     L"Object doesn't support this property or method");
}

}  // namespace brask
