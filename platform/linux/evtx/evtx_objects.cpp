#include "platform/linux/evtx/evtx_objects.h"

#include "platform/event_log/event_properties.h"
#include "platform/event_log/file_time.h"
#include "platform/linux/cim_time.h"

namespace brask {

EvtxObjects::EvtxObjects(const std::vector<EvtxLogFile*>& files, const EventTypeNames& spelling,
                         LevelSelection selection, std::optional<std::uint64_t> after)
    : spelling_(spelling), selection_(std::move(selection)) {
  for (EvtxLogFile* file : files) {
    for (EvtxRecords* records : {&file->written, &file->recovered}) {
      if (const std::optional<std::uint64_t> reach = EvtxWalk(*records, selection_, after).reach()) {
        merge_.add(*reach, [this, records, after] { return std::make_unique<EvtxWalk>(*records, selection_, after); });
      }
    }
  }
}

bool EvtxObjects::next() {
  details_.reset();
  record_.reset();
  while (!record_) {
    current_ = merge_.next();
    if (current_ == nullptr) return false;
    // Read last, after every other record of this step, so that it stays as read.
    record_ = current_->record();
  }
  return true;
}

const RecordDetails& EvtxObjects::details() {
  if (!details_) details_ = recordDetails(record_->xml());
  return *details_;
}

PropertyValue EvtxObjects::message() {
  std::vector<std::wstring> strings = record_->strings();
  if (!strings.empty() && details().binaryLast) strings.pop_back();
  return joinedStrings(strings);
}

PropertyValue EvtxObjects::property(std::wstring_view name) {
  switch (eventPropertyNamed(name)) {
    case EventProperty::Type:
      return recordType(current_->recordClass(), details().keywords, spelling_);
    case EventProperty::TimeWritten:
      return cimDateTime(unixMicroseconds(details().timeCreated.value_or(record_->written())));
    case EventProperty::Category:
      return categoryOf(details().task);
    case EventProperty::EventCode:
      return eventCodeOf(record_->eventIdentifier());
    case EventProperty::SourceName:
      if (const std::optional<std::string> source = record_->sourceName()) return utf8_(*source);
      return {};
    case EventProperty::Message:
      return message();
  }
  return {};
}

}  // namespace brask
