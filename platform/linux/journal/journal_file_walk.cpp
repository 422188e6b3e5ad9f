#include "platform/linux/journal/journal_file_walk.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

#include "platform/event_log/file_time.h"
#include "platform/linux/cim_time.h"
#include "platform/linux/journal/journal_position.h"

namespace brask {
namespace {

// While the entries are walked only the start of each field is looked at; a property is
// read up to the size of the longest message that journald stores. Either bound keeps the
// memory of a walk independent of the size of the entries.
constexpr std::size_t kScanThreshold = 64;
constexpr std::size_t kPropertyThreshold = 64 * 1024;

// A walk from a bookmark's position that read no more than this many entries leaves its
// file open for the next section, which reads the same few pages of what is new: opening a
// file costs more than they do. Any other walk closes it, so that files read through do not
// keep their pages while others are read.
constexpr long kFewEntries = 256;

// Each alternative of a filter costs the journal a step of its own for every entry it
// delivers: beyond this many, walking every entry and reading its fields is faster.
constexpr std::size_t kMostMatches = 256;

std::string_view fieldOf(std::string_view item) { return item.substr(0, item.find('=')); }

// How far the fields of an entry were read.
enum class Fields { Whole, Stopped, Failed };

// Hands each "FIELD=value" item of the current entry to note, until note says to stop;
// Failed when a field cannot be read, after the fields before it.
template <typename Note>
Fields forEachField(sd_journal* journal, Note note) {
  const void* data = nullptr;
  std::size_t length = 0;
  sd_journal_restart_data(journal);
  int result = 0;
  while ((result = sd_journal_enumerate_data(journal, &data, &length)) > 0) {
    if (!note(std::string_view(static_cast<const char*>(data), length))) return Fields::Stopped;
  }
  return result == 0 ? Fields::Whole : Fields::Failed;
}

}  // namespace

JournalFileWalk::JournalFileWalk(JournalFile& file, LogName log, const JournalSelection& selection,
                                 long entriesPerOpening)
    : file_(file),
      log_(log),
      selection_(selection),
      entriesPerOpening_(entriesPerOpening),
      surelyBefore_(selection.writtenBefore ? utcSurelyBefore(*selection.writtenBefore) : 0) {
  if (log_ == LogName::Other || (selection_.priorities && selection_.priorities->empty())) return;
  if (file_.indexed() && startIndexed()) return;
  // Whatever the indexes set up goes with the file, which opens again without them.
  file_.markUnindexed();
  file_.close();
  startScanned();
}

bool JournalFileWalk::startIndexed() {
  sd_journal* journal = file_.get();
  if (journal == nullptr) return false;
  // The matches of an earlier query go.
  sd_journal_flush_matches(journal);
  // Entries of user units and users: the Application log's own, and all there is to tell
  // the two logs apart. When the file has none, its System log is every entry.
  std::optional<std::vector<std::string>> matches = applicationMatches(journal);
  if (!matches) return false;
  matches_ = std::move(*matches);
  everyEntry_ = log_ == LogName::System && matches_.empty();
  filtered_ = log_ == LogName::Application && matches_.size() <= kMostMatches;
  if (!prepare(journal)) return false;
  const int seek = selection_.writtenBefore
                       ? sd_journal_seek_realtime_usec(journal, utcBoundOf(*selection_.writtenBefore))
                       : sd_journal_seek_tail(journal);
  if (seek < 0) return false;
  mode_ = log_ == LogName::Application && matches_.empty() ? Mode::Done : Mode::Indexed;
  return true;
}

void JournalFileWalk::startScanned() {
  mode_ = Mode::Done;
  key_ = std::numeric_limits<std::uint64_t>::max();
  walked_ = 0;
  sd_journal* journal = file_.get();
  if (journal == nullptr) return;
  sd_journal_flush_matches(journal);
  // Out of time order, what was written after the cursor's entry is what comes before it
  // from the tail, whatever its time.
  holdsCursor_ = selection_.after && holdsCursor(journal, *selection_.after);
  mode_ = Mode::Scanned;
  if (!prepare(journal) || sd_journal_seek_tail(journal) < 0) mode_ = Mode::Done;
}

std::optional<std::vector<std::string>> JournalFileWalk::applicationMatches(sd_journal* journal) {
  std::optional<std::vector<std::string>> matches = uniqueItems(journal, "_SYSTEMD_USER_UNIT");
  const std::optional<std::vector<std::string>> uids = uniqueItems(journal, "_UID");
  if (!matches || !uids) return std::nullopt;
  for (const std::string& item : *uids) {
    EntryClass entry;
    noteField(entry, item);
    if (entry.userUid) matches->push_back(item);
  }
  return matches;
}

bool JournalFileWalk::prepare(sd_journal* journal) {
  if (sd_journal_set_data_threshold(journal, kPropertyThreshold) < 0) return false;
  if (mode_ == Mode::Scanned) return true;
  if (filtered_) {
    for (std::size_t i = 0; i < matches_.size(); ++i) {
      // Values of one field are alternatives already; two fields must be made so.
      if (i > 0 && fieldOf(matches_[i]) != fieldOf(matches_[i - 1]) && sd_journal_add_disjunction(journal) < 0)
        return false;
      if (sd_journal_add_match(journal, matches_[i].data(), matches_[i].size()) < 0) return false;
    }
  }
  if (selection_.priorities) {
    if (filtered_ && sd_journal_add_conjunction(journal) < 0) return false;
    for (int priority : *selection_.priorities) {
      const std::string item = "PRIORITY=" + std::to_string(priority);
      if (sd_journal_add_match(journal, item.data(), item.size()) < 0) return false;
    }
  }
  // The spellings of one host; entries without a host name the journal cannot match.
  const std::vector<std::string>& hosts = file_.hosts().items;
  if (!hosts.empty()) {
    if ((filtered_ || selection_.priorities) && sd_journal_add_conjunction(journal) < 0) return false;
    for (const std::string& item : hosts) {
      if (sd_journal_add_match(journal, item.data(), item.size()) < 0) return false;
    }
  }
  return true;
}

bool JournalFileWalk::ofHost(bool matched) {
  const HostEntries& hosts = file_.hosts();
  if (hosts.share != HostShare::Some || (matched && !hosts.items.empty())) return true;
  return isHostEntry(file_.get(), hosts);
}

int JournalFileWalk::reopen() {
  char* text = nullptr;
  if (sd_journal_get_cursor(file_.get(), &text) < 0) return -1;
  const std::unique_ptr<char, decltype(&std::free)> cursor(text, &std::free);
  file_.close();
  sd_journal* journal = file_.get();
  if (journal == nullptr || !prepare(journal) || sd_journal_seek_cursor(journal, cursor.get()) < 0) return -1;
  const int step = sd_journal_previous(journal);
  if (step <= 0) return step;
  return sd_journal_test_cursor(journal, cursor.get()) == 0 ? 1 : 0;
}

int JournalFileWalk::stepBack() {
  const bool due = walked_ > 0 && walked_ % entriesPerOpening_ == 0;
  ++walked_;
  if (due) {
    const int reopened = reopen();
    if (reopened != 0) return reopened;
  }
  return sd_journal_previous(file_.get());
}

bool JournalFileWalk::next() {
  fields_.reset();
  if (mode_ == Mode::Indexed) return nextIndexed();
  if (mode_ == Mode::Scanned) return nextScanned();
  return false;
}

bool JournalFileWalk::nextIndexed() {
  for (;;) {
    const int step = stepBack();
    if (step <= 0) {
      // sd-journal leaves out a file whose index fails on the way, and answers as if the
      // walk had ended: then the file holds no entry at all.
      std::uint64_t head = 0;
      std::uint64_t tail = 0;
      if (step < 0 || sd_journal_get_cutoff_realtime_usec(file_.get(), &head, &tail) <= 0) return fallBack();
      return finish();
    }
    sd_journal* journal = file_.get();
    if (sd_journal_get_realtime_usec(journal, &time_) < 0) continue;
    if (reachedCursor(time_)) return finish();
    // The listing skips what was written at or after its bound: the journal need not read it.
    if (!beforeBound(time_)) continue;
    if (!ofHost(true)) continue;
    // Nearly every entry that the indexes reach is written: its fields are read with its
    // class, in one pass over the entry.
    if (readEntry() && (everyEntry_ || logOf(current_) == log_)) return deliver();
  }
}

bool JournalFileWalk::deliver() {
  key_ = time_;
  delivered_ = markAt(time_);
  return true;
}

bool JournalFileWalk::fallBack() {
  file_.markUnindexed();
  file_.close();
  startScanned();
  skipping_ = delivered_.has_value();
  return nextScanned();
}

bool JournalFileWalk::nextScanned() {
  for (;;) {
    if (stepBack() <= 0) return finish();
    sd_journal* journal = file_.get();
    std::uint64_t time = 0;
    if (sd_journal_get_realtime_usec(journal, &time) < 0) continue;
    if (skipping_) {
      skipping_ = markAt(time) != delivered_;
      continue;
    }
    if (holdsCursor_ && time == selection_.after->time &&
        sd_journal_test_cursor(journal, selection_.after->text.c_str()) > 0) {
      return finish();
    }
    key_ = std::min(key_, time);
    if (selection_.after && !holdsCursor_ && time < selection_.after->time) continue;
    if (!beforeBound(time)) continue;
    EntryClass entry;
    if (!classify(entry) || logOf(entry) != log_ || !wantedPriority(entry.priority) || !ofHost(false))
      continue;
    time_ = time;
    current_ = entry;
    return true;
  }
}

bool JournalFileWalk::finish() {
  mode_ = Mode::Done;
  // Done with the file for this query: its pages go.
  if (!selection_.after || walked_ > kFewEntries) file_.close();
  return false;
}

bool JournalFileWalk::beforeBound(std::uint64_t time) const {
  // Far enough before the bound, the time is before it in any time zone.
  return !selection_.writtenBefore || time < surelyBefore_ || localWallClock(time) < *selection_.writtenBefore;
}

bool JournalFileWalk::wantedPriority(int priority) const {
  return !selection_.priorities ||
         std::find(selection_.priorities->begin(), selection_.priorities->end(), priority) !=
             selection_.priorities->end();
}

bool JournalFileWalk::classify(EntryClass& entry) {
  sd_journal* journal = file_.get();
  entry = EntryClass{};
  if (sd_journal_set_data_threshold(journal, kScanThreshold) < 0) return false;
  const Fields read = forEachField(journal, [&](std::string_view item) {
    noteField(entry, item);
    return true;
  });
  return sd_journal_set_data_threshold(journal, kPropertyThreshold) >= 0 && read == Fields::Whole;
}

bool JournalFileWalk::readEntry() {
  EntryClass entry;
  EventFields fields;
  // The fields that rule the entry out come first in most entries: the rest is not read.
  const Fields read = forEachField(file_.get(), [&](std::string_view item) {
    noteField(entry, item);
    if (ruledOut(entry, log_, selection_.skipped)) return false;
    noteField(fields, item);
    return true;
  });
  if (read != Fields::Whole) return false;
  current_ = entry;
  fields_.emplace(std::move(fields));
  return true;
}

const EventFields& JournalFileWalk::fields() {
  if (fields_) return *fields_;
  // The entry's class was read already: a field that fails now ends what is known of it.
  EventFields fields;
  forEachField(file_.get(), [&](std::string_view item) {
    noteField(fields, item);
    return true;
  });
  return fields_.emplace(std::move(fields));
}

bool JournalFileWalk::reachedCursor(std::uint64_t time) {
  if (!selection_.after) return false;
  return time < selection_.after->time ||
         (time == selection_.after->time &&
          sd_journal_test_cursor(file_.get(), selection_.after->text.c_str()) > 0);
}

std::optional<std::string> JournalFileWalk::cursor() {
  char* text = nullptr;
  if (sd_journal_get_cursor(file_.get(), &text) < 0) return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
  return std::string(text);
}

std::optional<JournalFileWalk::Mark> JournalFileWalk::markAt(std::uint64_t realtime) {
  Mark mark;
  mark.realtime = realtime;
  if (sd_journal_get_monotonic_usec(file_.get(), &mark.monotonic, &mark.boot) < 0) return std::nullopt;
  return mark;
}

}  // namespace brask
