// The result of a query on the journal: the entries of one log, newest first in the
// journal's own order, each read as an event of the event logs. A selection narrows the
// walk to entries of some priorities, through the journal's own index, and starts it
// at a time.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/event_source.h"
#include "platform/event_type_names.h"
#include "platform/linux/journal.h"
#include "platform/linux/journal_mapping.h"
#include "platform/linux/log_query.h"
#include "platform/linux/wide_decoder.h"

namespace brask {

class JournalObjects : public EventObjects {
 public:
  // The journal is opened anew after every entriesPerOpening entries walked, which lets go
  // of the file pages mapped so far: the memory of a walk stays the same however long
  // the journal is.
  JournalObjects(std::optional<std::string> directory, LogName log, const EventTypeNames& spelling,
                 JournalSelection selection = {}, long entriesPerOpening = 65536);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;

 private:
  // Sets the journal up for the walk: the bound on field sizes and the matches.
  void open();
  // Opens the journal again at the current entry; true when the entry is gone and the
  // journal now stands on the next one to walk.
  bool reopen();
  bool stepBack();
  std::vector<std::string> applicationMatches();
  EntryClass classify();
  // Reads the current entry's class and the fields of its properties in one pass.
  void readEntry();
  // The fields of the current entry's properties, read in one pass the first time.
  const EventFields& fields();
  int priority();
  // The current entry's time stamp, microseconds since 1970.
  std::uint64_t realtime();
  // The value of a field of the current entry; nothing when the entry lacks it.
  std::optional<std::string> field(const char* name);
  PropertyValue text(const std::optional<std::string>& value);

  std::optional<std::string> directory_;
  LogName log_;
  const EventTypeNames& spelling_;
  long entriesPerOpening_;
  JournalSelection selection_;
  std::optional<Journal> journal_;
  std::vector<std::string> matches_;  // "FIELD=value" items, one of which an entry must have
  bool empty_ = false;                // the journal holds no entry of the log that is wanted
  bool everyEntry_ = false;           // every entry of the journal belongs to the log
  bool filtered_ = false;             // the journal delivers only entries with a match
  long walked_ = 0;
  EntryClass current_;
  std::optional<EventFields> fields_;
  WideDecoder utf8_{"UTF-8"};
};

}  // namespace brask
