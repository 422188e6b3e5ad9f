// The result of a query on the journal: the entries of one log, newest first, each read
// as an event of the event logs. Each journal file is walked back on its own, and the
// walks are merged newest first; a file is first looked at when the merge reaches the
// time of its last entry. A selection narrows every file's walk to entries of some priorities,
// through the file's own index, starts it at a time, and ends it at a bookmark's cursor: a
// file in time order whose last entry is older than the cursor is not walked. Files are the source's, kept
// open between queries: one query's result is walked at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_log/event_type_names.h"
#include "platform/event_log/log_query.h"
#include "platform/event_source.h"
#include "platform/linux/journal/journal.h"
#include "platform/linux/journal/journal_file_walk.h"
#include "platform/linux/journal/journal_mapping.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/linux/newest_first.h"

namespace brask {

class JournalObjects : public EventObjects {
 public:
  // entriesPerOpening: how many entries a file's walk reads before it opens the file anew,
  // letting go of the pages mapped so far: a walk holds some megabytes of its file
  // mapped at most, whatever the file's size, for some more page faults and openings.
  JournalObjects(JournalFiles& files, LogName log, const EventTypeNames& spelling,
                 JournalSelection selection = {}, long entriesPerOpening = 1024);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;
  // The current entry's time stamp (microseconds since 1970) and cursor (nothing when it
  // cannot be read).
  std::uint64_t time() const { return current_->time(); }
  std::optional<std::string> cursor() { return current_->cursor(); }

 private:
  // The latest time a file may hold an entry of the walk at.
  std::uint64_t reach(const JournalFile& file) const;
  PropertyValue text(const std::optional<std::string>& value);

  LogName log_;
  const EventTypeNames& spelling_;
  long entriesPerOpening_;
  JournalSelection selection_;
  NewestFirst<JournalFileWalk> merge_;
  JournalFileWalk* current_ = nullptr;
  WideDecoder utf8_{"UTF-8"};
};

}  // namespace brask
