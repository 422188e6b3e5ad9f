// The result of a query on the journal: the entries of one log, newest first in the
// journal's own order, each read as an event of the event logs.
#pragma once

#include <optional>
#include <string>

#include "platform/event_source.h"
#include "platform/event_type_names.h"
#include "platform/linux/journal.h"
#include "platform/linux/journal_mapping.h"
#include "platform/linux/log_query.h"
#include "platform/linux/wide_decoder.h"

namespace brask {

class JournalObjects : public EventObjects {
 public:
  JournalObjects(const std::optional<std::string>& directory, LogName log,
                 const EventTypeNames& spelling);

  bool next() override;
  // Type, TimeWritten, Category, EventCode, SourceName or Message, in any letter case.
  PropertyValue property(std::wstring_view name) override;

 private:
  bool restrictToApplication();
  EntryClass classify();
  // The value of a field of the current entry; nothing when the entry lacks it.
  std::optional<std::string> field(const char* name);
  PropertyValue text(const char* name);

  Journal journal_;
  LogName log_;
  const EventTypeNames& spelling_;
  bool empty_ = false;
  EntryClass current_;
  WideDecoder utf8_{"UTF-8"};
};

}  // namespace brask
