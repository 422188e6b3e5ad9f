#include "platform/linux/journal/journal_objects.h"

#include <algorithm>
#include <limits>

#include "platform/event_log/file_time.h"
#include "platform/event_log/property_name.h"
#include "platform/linux/cim_time.h"
#include "platform/linux/decimal_digits.h"

namespace brask {

JournalObjects::JournalObjects(JournalFiles& files, LogName log, const EventTypeNames& spelling,
                               JournalSelection selection, long entriesPerOpening)
    : log_(log),
      spelling_(spelling),
      entriesPerOpening_(entriesPerOpening),
      selection_(std::move(selection)) {
  if (log_ == LogName::Other || (selection_.priorities && selection_.priorities->empty())) return;
  const std::optional<std::uint64_t> start =
      selection_.writtenBefore ? std::optional(utcBoundOf(*selection_.writtenBefore)) : std::nullopt;
  for (JournalFile& file : files.files()) {
    // A file in time order that starts after the walk does holds nothing for it.
    if (start && file.indexed() && file.head() > *start) continue;
    // Nor one that ends before the cursor's entry.
    if (selection_.after && file.indexed() && file.tail() < selection_.after->time) continue;
    merge_.add(reach(file), [this, &file] {
      return std::make_unique<JournalFileWalk>(file, log_, selection_, entriesPerOpening_);
    });
  }
}

std::uint64_t JournalObjects::reach(const JournalFile& file) const {
  // A file out of time order may hold its latest entry anywhere: it joins the merge at once.
  if (!file.indexed()) return std::numeric_limits<std::uint64_t>::max();
  if (!selection_.writtenBefore) return file.tail();
  return std::min(file.tail(), utcBoundOf(*selection_.writtenBefore));
}

bool JournalObjects::next() {
  current_ = merge_.next();
  return current_ != nullptr;
}

PropertyValue JournalObjects::text(const std::optional<std::string>& value) {
  if (!value) return {};
  return utf8_(*value);
}

PropertyValue JournalObjects::property(std::wstring_view name) {
  if (samePropertyName(name, L"Type")) return typeName(current_->entryClass().priority, spelling_);
  if (samePropertyName(name, L"TimeWritten")) return cimDateTime(current_->time());
  if (samePropertyName(name, L"Category")) {
    // Up to nine digits are a number; any other facility is text.
    const std::optional<std::string>& facility = current_->fields().facility;
    if (facility && facility->size() <= 9) {
      if (const std::optional<std::uint64_t> number = readDecimalDigits(*facility)) {
        return static_cast<std::int64_t>(*number);
      }
    }
    return text(facility);
  }
  if (samePropertyName(name, L"EventCode")) return text(current_->fields().messageId);
  if (samePropertyName(name, L"SourceName")) {
    const EventFields& entry = current_->fields();
    return text(entry.identifier ? entry.identifier : entry.command ? entry.command : entry.unit);
  }
  if (samePropertyName(name, L"Message")) return text(current_->fields().message);
  throwUnknownProperty(name);
}

}  // namespace brask
