#include "platform/linux/journal_objects.h"

#include <cstdlib>
#include <memory>

#include "platform/linux/cim_time.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// While the entries are walked only the start of each field is looked at; a property is
// read up to the size of the longest message that journald stores. Either bound keeps the
// memory of a walk independent of the size of the entries.
constexpr std::size_t kScanThreshold = 64;
constexpr std::size_t kPropertyThreshold = 64 * 1024;

// Each alternative of a filter costs the journal a step of its own for every entry it
// delivers: beyond this many, walking every entry and reading its fields is faster.
constexpr std::size_t kMostMatches = 256;

std::string_view fieldOf(std::string_view item) { return item.substr(0, item.find('=')); }

wchar_t asciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

// Property names compared as the event service compares them, without regard to case.
bool sameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// The values of a field in the journal, as "FIELD=value" items.
std::vector<std::string> uniqueItems(sd_journal* journal, const char* field) {
  checked(sd_journal_query_unique(journal, field), L"Reading the journal's fields");
  std::vector<std::string> items;
  const void* data = nullptr;
  std::size_t length = 0;
  while (checked(sd_journal_enumerate_unique(journal, &data, &length),
                 L"Reading the journal's fields") > 0) {
    items.emplace_back(static_cast<const char*>(data), length);
  }
  return items;
}

// Hands each "FIELD=value" item of the current entry to note.
template <typename Note>
void forEachField(sd_journal* journal, Note note) {
  const void* data = nullptr;
  std::size_t length = 0;
  sd_journal_restart_data(journal);
  while (checked(sd_journal_enumerate_data(journal, &data, &length), L"Reading a journal entry") >
         0) {
    note(std::string_view(static_cast<const char*>(data), length));
  }
}

}  // namespace

JournalObjects::JournalObjects(std::optional<std::string> directory, LogName log,
                               const EventTypeNames& spelling, JournalSelection selection,
                               long entriesPerOpening)
    : directory_(std::move(directory)),
      log_(log),
      spelling_(spelling),
      entriesPerOpening_(entriesPerOpening),
      selection_(std::move(selection)) {
  journal_.emplace(directory_);
  // Entries of user units and users: the Application log's own, and all there is to tell
  // the two logs apart. When the journal has none, its System log is every entry.
  matches_ = applicationMatches();
  empty_ = log_ == LogName::Other || (log_ == LogName::Application && matches_.empty()) ||
           (selection_.priorities && selection_.priorities->empty());
  everyEntry_ = log_ == LogName::System && matches_.empty();
  filtered_ = log_ == LogName::Application && matches_.size() <= kMostMatches;
  open();
  sd_journal* journal = journal_->get();
  if (selection_.writtenBefore) {
    checked(sd_journal_seek_realtime_usec(journal, walkStartFor(*selection_.writtenBefore)),
            L"Moving to a time in the journal");
  } else {
    checked(sd_journal_seek_tail(journal), L"Moving to the newest journal entry");
  }
}

std::vector<std::string> JournalObjects::applicationMatches() {
  std::vector<std::string> matches = uniqueItems(journal_->get(), "_SYSTEMD_USER_UNIT");
  for (std::string& item : uniqueItems(journal_->get(), "_UID")) {
    EntryClass entry;
    noteField(entry, item);
    if (entry.userUid) matches.push_back(std::move(item));
  }
  return matches;
}

// The journal's own index then skips, for the Application log, the entries of no user
// unit and no user, and the entries of other priorities than the selection's.
void JournalObjects::open() {
  sd_journal* journal = journal_->get();
  checked(sd_journal_set_data_threshold(journal, kPropertyThreshold), L"Reading the journal");
  if (filtered_) {
    for (std::size_t i = 0; i < matches_.size(); ++i) {
      // Values of one field are alternatives already; two fields must be made so.
      if (i > 0 && fieldOf(matches_[i]) != fieldOf(matches_[i - 1])) {
        checked(sd_journal_add_disjunction(journal), L"Filtering the journal");
      }
      checked(sd_journal_add_match(journal, matches_[i].data(), matches_[i].size()),
              L"Filtering the journal");
    }
  }
  if (selection_.priorities) {
    if (filtered_) checked(sd_journal_add_conjunction(journal), L"Filtering the journal");
    for (int priority : *selection_.priorities) {
      const std::string item = "PRIORITY=" + std::to_string(priority);
      checked(sd_journal_add_match(journal, item.data(), item.size()), L"Filtering the journal");
    }
  }
}

bool JournalObjects::reopen() {
  char* text = nullptr;
  checked(sd_journal_get_cursor(journal_->get(), &text), L"Reading the journal");
  const std::unique_ptr<char, decltype(&std::free)> cursor(text, &std::free);
  journal_.reset();
  journal_.emplace(directory_);
  open();
  checked(sd_journal_seek_cursor(journal_->get(), cursor.get()), L"Reading the journal");
  if (checked(sd_journal_previous(journal_->get()), L"Reading the journal") == 0) return false;
  return checked(sd_journal_test_cursor(journal_->get(), cursor.get()), L"Reading the journal") ==
         0;
}

bool JournalObjects::stepBack() {
  const bool due = walked_ > 0 && walked_ % entriesPerOpening_ == 0;
  ++walked_;
  if (due && reopen()) return true;
  return checked(sd_journal_previous(journal_->get()), L"Reading the journal") > 0;
}

bool JournalObjects::next() {
  if (empty_) return false;
  fields_.reset();
  while (stepBack()) {
    // The listing skips what was written at or after its bound: the journal need not read it.
    if (selection_.writtenBefore && !(localWallClock(realtime()) < *selection_.writtenBefore)) {
      continue;
    }
    if (selection_.priorities) {
      // Entries of the selected priorities are nearly all written: their fields are read
      // with their class.
      readEntry();
      if (everyEntry_ || logOf(current_) == log_) return true;
      continue;
    }
    if (everyEntry_) {
      current_ = EntryClass{};
      current_.priority = priority();
      return true;
    }
    current_ = classify();
    if (logOf(current_) == log_) return true;
  }
  return false;
}

EntryClass JournalObjects::classify() {
  sd_journal* journal = journal_->get();
  checked(sd_journal_set_data_threshold(journal, kScanThreshold), L"Reading the journal");
  EntryClass entry;
  forEachField(journal, [&](std::string_view item) { noteField(entry, item); });
  checked(sd_journal_set_data_threshold(journal, kPropertyThreshold), L"Reading the journal");
  return entry;
}

void JournalObjects::readEntry() {
  EntryClass entry;
  EventFields fields;
  forEachField(journal_->get(), [&](std::string_view item) {
    noteField(entry, item);
    noteField(fields, item);
  });
  current_ = entry;
  fields_.emplace(std::move(fields));
}

const EventFields& JournalObjects::fields() {
  if (fields_) return *fields_;
  sd_journal* journal = journal_->get();
  EventFields fields;
  forEachField(journal, [&](std::string_view item) { noteField(fields, item); });
  return fields_.emplace(std::move(fields));
}

int JournalObjects::priority() {
  const auto value = field("PRIORITY");
  return value ? priorityOf(*value) : -1;
}

std::optional<std::string> JournalObjects::field(const char* name) {
  const void* data = nullptr;
  std::size_t length = 0;
  const int result = sd_journal_get_data(journal_->get(), name, &data, &length);
  if (result == -ENOENT) return std::nullopt;
  checked(result, L"Reading a journal field");
  const std::string_view item(static_cast<const char*>(data), length);
  return std::string(item.substr(item.find('=') + 1));
}

std::uint64_t JournalObjects::realtime() {
  std::uint64_t microseconds = 0;
  checked(sd_journal_get_realtime_usec(journal_->get(), &microseconds),
          L"Reading the time of a journal entry");
  return microseconds;
}

PropertyValue JournalObjects::text(const std::optional<std::string>& value) {
  if (!value) return {};
  return utf8_(*value);
}

PropertyValue JournalObjects::property(std::wstring_view name) {
  if (sameName(name, L"Type")) return typeName(current_.priority, spelling_);
  if (sameName(name, L"TimeWritten")) return cimDateTime(realtime());
  if (sameName(name, L"Category")) {
    const std::optional<std::string>& facility = fields().facility;
    if (!facility || facility->empty() || facility->size() > 9 ||
        facility->find_first_not_of("0123456789") != std::string::npos) {
      return text(facility);
    }
    return static_cast<std::int64_t>(std::stol(*facility));
  }
  if (sameName(name, L"EventCode")) return text(fields().messageId);
  if (sameName(name, L"SourceName")) {
    const EventFields& entry = fields();
    return text(entry.identifier ? entry.identifier : entry.command ? entry.command : entry.unit);
  }
  if (sameName(name, L"Message")) return text(fields().message);
  // As the event service answers a property that the class does not have.
  throw RunTimeError(L"Reading the event property " + std::wstring(name), 438,
                     L"Object doesn't support this property or method");
}

}  // namespace brask
