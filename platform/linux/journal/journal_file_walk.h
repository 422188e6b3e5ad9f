// One journal file's part of a query: its entries of one log, of the selection and of the
// file's chosen host, walked back from its newest entry, or from the selection's start,
// one entry at a time, down to the selection's cursor where it has one: the walk ends at
// the cursor's entry, or, in a file in time order, at an older entry; a file walked entry
// by entry that does not hold the cursor's entry passes over the entries older than it.
// A file in time order with sound indexes is walked through them: they skip, for the
// Application log, the entries of no user unit and no user, the entries of other
// priorities than the selection's, and those of other host names. Any other file, and a
// file whose indexes fail on the way, is walked entry by entry from its newest, every entry
// read as far as it can be; an entry whose time or fields cannot be read is passed over.
#pragma once

#include <systemd/sd-id128.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_log/log_query.h"
#include "platform/linux/journal/journal.h"
#include "platform/linux/journal/journal_mapping.h"

namespace brask {

class JournalFileWalk {
 public:
  // The file is opened anew after every entriesPerOpening entries walked, which lets go of
  // the pages mapped so far: the memory of a walk stays the same however long the file.
  JournalFileWalk(JournalFile& file, LogName log, const JournalSelection& selection,
                  long entriesPerOpening);

  // Moves to the next entry of the walk; false, with the file closed, when there is none.
  bool next();

  const JournalFile& file() const { return file_; }
  // The current entry: its time stamp (microseconds since 1970), its class, the fields of
  // its properties (read the first time they are asked for).
  std::uint64_t time() const { return time_; }
  const EntryClass& entryClass() const { return current_; }
  const EventFields& fields();
  // The cursor of the current entry; nothing when it cannot be read.
  std::optional<std::string> cursor();
  // Where the merge of the files puts the current entry: its time, or, in a file walked
  // entry by entry, the earliest time walked so far. Either never grows along the walk,
  // whatever the walk leaves out, so the files merge alike for every selection.
  std::uint64_t key() const { return key_; }

 private:
  enum class Mode { Indexed, Scanned, Done };
  // An entry known by its time stamps and boot, to find it again in another walk.
  struct Mark {
    std::uint64_t realtime = 0;
    std::uint64_t monotonic = 0;
    sd_id128_t boot{};

    bool operator==(const Mark& other) const {
      return realtime == other.realtime && monotonic == other.monotonic &&
             sd_id128_equal(boot, other.boot);
    }
  };

  // Sets the walk up on the file's indexes; false when they cannot be read.
  bool startIndexed();
  // Sets the walk up on every entry, from the newest.
  void startScanned();
  bool nextIndexed();
  bool nextScanned();
  // Goes on entry by entry after the indexes failed, past what was delivered already.
  bool fallBack();
  bool deliver();
  bool finish();
  // Sets an open file up for the walk: the bound on field sizes and the matches.
  bool prepare(sd_journal* journal);
  // Opens the file again at the current entry: 1 when the entry is gone and the file now
  // stands on the next one to walk, 0 when it stands on the entry, < 0 on failure.
  int reopen();
  int stepBack();
  std::optional<std::vector<std::string>> applicationMatches(sd_journal* journal);
  bool wantedPriority(int priority) const;
  // Whether an entry's time is before the selection's bound, in local wall-clock time.
  bool beforeBound(std::uint64_t time) const;
  // Whether the current entry is of the file's chosen host, or lacks a host name as chosen;
  // matched: the walk's matches hold it to the host's spellings already.
  bool ofHost(bool matched);
  // Read the current entry's class, or class and property fields in one pass; false when
  // its fields cannot be read, or, for readEntry, once they rule it out of the walk.
  bool classify(EntryClass& entry);
  bool readEntry();
  // Whether the current entry, of that time stamp, is the selection's cursor's or older:
  // where a walk in time order ends.
  bool reachedCursor(std::uint64_t time);
  // The current entry, whose realtime stamp was read already; nothing when its other
  // stamps cannot be read.
  std::optional<Mark> markAt(std::uint64_t realtime);

  JournalFile& file_;
  LogName log_;
  const JournalSelection& selection_;
  long entriesPerOpening_;
  std::uint64_t surelyBefore_;  // of the bound: utcSurelyBefore
  Mode mode_ = Mode::Done;
  std::vector<std::string> matches_;  // "FIELD=value" items, one of which an entry must have
  bool everyEntry_ = false;           // every entry of the file belongs to the log
  bool filtered_ = false;             // the file delivers only entries with a match
  long walked_ = 0;
  std::uint64_t time_ = 0;
  std::uint64_t key_ = 0;
  std::optional<Mark> delivered_;  // the last entry delivered through the indexes
  bool skipping_ = false;          // walking past what the indexes delivered
  bool holdsCursor_ = false;       // walked entry by entry, the file holds the cursor's entry
  EntryClass current_;
  std::optional<EventFields> fields_;
};

}  // namespace brask
