#include "platform/linux/journal_file_walk.h"

#include <cstdlib>
#include <memory>

#include "platform/linux/cim_time.h"

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

// The values of a field in the file, as "FIELD=value" items.
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

JournalFileWalk::JournalFileWalk(JournalFile& file, LogName log, const JournalSelection& selection,
                                 long entriesPerOpening)
    : file_(file), log_(log), selection_(selection), entriesPerOpening_(entriesPerOpening) {
  // The matches of an earlier query go.
  sd_journal_flush_matches(file_.get());
  // Entries of user units and users: the Application log's own, and all there is to tell
  // the two logs apart. When the file has none, its System log is every entry.
  matches_ = applicationMatches();
  empty_ = log_ == LogName::Other || (log_ == LogName::Application && matches_.empty()) ||
           (selection_.priorities && selection_.priorities->empty());
  everyEntry_ = log_ == LogName::System && matches_.empty();
  filtered_ = log_ == LogName::Application && matches_.size() <= kMostMatches;
  open();
  sd_journal* journal = file_.get();
  if (selection_.writtenBefore) {
    checked(sd_journal_seek_realtime_usec(journal, walkStartFor(*selection_.writtenBefore)),
            L"Moving to a time in the journal");
  } else {
    checked(sd_journal_seek_tail(journal), L"Moving to the newest journal entry");
  }
}

std::vector<std::string> JournalFileWalk::applicationMatches() {
  std::vector<std::string> matches = uniqueItems(file_.get(), "_SYSTEMD_USER_UNIT");
  for (std::string& item : uniqueItems(file_.get(), "_UID")) {
    EntryClass entry;
    noteField(entry, item);
    if (entry.userUid) matches.push_back(std::move(item));
  }
  return matches;
}

void JournalFileWalk::open() {
  sd_journal* journal = file_.get();
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

bool JournalFileWalk::reopen() {
  char* text = nullptr;
  checked(sd_journal_get_cursor(file_.get(), &text), L"Reading the journal");
  const std::unique_ptr<char, decltype(&std::free)> cursor(text, &std::free);
  file_.close();
  open();
  checked(sd_journal_seek_cursor(file_.get(), cursor.get()), L"Reading the journal");
  if (checked(sd_journal_previous(file_.get()), L"Reading the journal") == 0) return false;
  return checked(sd_journal_test_cursor(file_.get(), cursor.get()), L"Reading the journal") == 0;
}

bool JournalFileWalk::stepBack() {
  const bool due = walked_ > 0 && walked_ % entriesPerOpening_ == 0;
  ++walked_;
  if (due && reopen()) return true;
  return checked(sd_journal_previous(file_.get()), L"Reading the journal") > 0;
}

bool JournalFileWalk::next() {
  if (empty_) return false;
  fields_.reset();
  while (stepBack()) {
    checked(sd_journal_get_realtime_usec(file_.get(), &time_), L"Reading the time of a journal entry");
    // The listing skips what was written at or after its bound: the journal need not read it.
    if (selection_.writtenBefore && !(localWallClock(time_) < *selection_.writtenBefore)) continue;
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
  // Done with the file for this query: its pages go.
  file_.close();
  return false;
}

EntryClass JournalFileWalk::classify() {
  sd_journal* journal = file_.get();
  checked(sd_journal_set_data_threshold(journal, kScanThreshold), L"Reading the journal");
  EntryClass entry;
  forEachField(journal, [&](std::string_view item) { noteField(entry, item); });
  checked(sd_journal_set_data_threshold(journal, kPropertyThreshold), L"Reading the journal");
  return entry;
}

void JournalFileWalk::readEntry() {
  EntryClass entry;
  EventFields fields;
  forEachField(file_.get(), [&](std::string_view item) {
    noteField(entry, item);
    noteField(fields, item);
  });
  current_ = entry;
  fields_.emplace(std::move(fields));
}

const EventFields& JournalFileWalk::fields() {
  if (fields_) return *fields_;
  EventFields fields;
  forEachField(file_.get(), [&](std::string_view item) { noteField(fields, item); });
  return fields_.emplace(std::move(fields));
}

int JournalFileWalk::priority() {
  const void* data = nullptr;
  std::size_t length = 0;
  const int result = sd_journal_get_data(file_.get(), "PRIORITY", &data, &length);
  if (result == -ENOENT) return -1;
  checked(result, L"Reading a journal field");
  return priorityOf(std::string_view(static_cast<const char*>(data), length).substr(9));
}

}  // namespace brask
