#include "platform/linux/evtx/evtx_objects.h"

#include "platform/event_log/file_time.h"
#include "platform/event_log/property_name.h"
#include "platform/linux/cim_time.h"

namespace brask {

EvtxObjects::EvtxObjects(const std::vector<EvtxLogFile*>& files, const EventTypeNames& spelling,
                         LevelSelection selection)
    : spelling_(spelling), selection_(std::move(selection)) {
  for (EvtxLogFile* file : files) {
    for (EvtxRecords* records : {&file->written, &file->recovered}) {
      if (const std::optional<std::uint64_t> reach = EvtxWalk(*records, selection_).reach()) {
        merge_.add(*reach, [this, records] { return std::make_unique<EvtxWalk>(*records, selection_); });
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
  std::vector<std::string> strings = record_->strings();
  if (!strings.empty() && details().binaryLast) strings.pop_back();
  if (strings.empty()) return {};
  std::string joined = strings.front();
  for (std::size_t i = 1; i < strings.size(); ++i) joined += " " + strings[i];
  return utf8_(joined);
}

PropertyValue EvtxObjects::property(std::wstring_view name) {
  if (samePropertyName(name, L"Type"))
    return recordType(current_->recordClass(), details().keywords, spelling_);
  if (samePropertyName(name, L"TimeWritten"))
    return cimDateTime(unixMicroseconds(current_->written()));
  if (samePropertyName(name, L"Category")) {
    if (const std::optional<std::int64_t> task = details().task) return *task;
    return {};
  }
  if (samePropertyName(name, L"EventCode")) {
    if (const std::optional<std::uint32_t> code = record_->eventIdentifier())
      return static_cast<std::int64_t>(*code & 0xFFFF);
    return {};
  }
  if (samePropertyName(name, L"SourceName")) {
    if (const std::optional<std::string> source = record_->sourceName()) return utf8_(*source);
    return {};
  }
  if (samePropertyName(name, L"Message")) return message();
  throwUnknownProperty(name);
}

}  // namespace brask
