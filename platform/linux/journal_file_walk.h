// One journal file's part of a query: its entries of one log and of the selection,
// walked back from its newest entry, or from the selection's start, one entry at a time.
// The file's own index skips, for the Application log, the entries of no user unit and
// no user, and the entries of other priorities than the selection's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/journal.h"
#include "platform/linux/journal_mapping.h"
#include "platform/linux/log_query.h"

namespace brask {

class JournalFileWalk {
 public:
  // The file is opened anew after every entriesPerOpening entries walked, which lets go of
  // the pages mapped so far: the memory of a walk stays the same however long the file.
  JournalFileWalk(JournalFile& file, LogName log, const JournalSelection& selection,
                  long entriesPerOpening);

  // Moves to the next entry of the walk; false, with the file closed, when there is none.
  bool next();

  // The current entry: its time stamp (microseconds since 1970), its class, the fields of
  // its properties (read the first time they are asked for).
  std::uint64_t time() const { return time_; }
  const EntryClass& entryClass() const { return current_; }
  const EventFields& fields();

 private:
  // Sets the file up for the walk: the bound on field sizes and the matches.
  void open();
  // Opens the file again at the current entry; true when the entry is gone and the file
  // now stands on the next one to walk.
  bool reopen();
  bool stepBack();
  std::vector<std::string> applicationMatches();
  EntryClass classify();
  // Reads the current entry's class and the fields of its properties in one pass.
  void readEntry();
  int priority();

  JournalFile& file_;
  LogName log_;
  const JournalSelection& selection_;
  long entriesPerOpening_;
  std::vector<std::string> matches_;  // "FIELD=value" items, one of which an entry must have
  bool empty_ = false;                // the file holds no entry of the log
  bool everyEntry_ = false;           // every entry of the file belongs to the log
  bool filtered_ = false;             // the file delivers only entries with a match
  long walked_ = 0;
  std::uint64_t time_ = 0;
  EntryClass current_;
  std::optional<EventFields> fields_;
};

}  // namespace brask
