#include "platform/event_log/event_levels.h"

#include <array>

namespace brask {
namespace {

constexpr std::uint64_t kAuditFailure = 0x0010000000000000;
constexpr std::uint64_t kAuditSuccess = 0x0020000000000000;

const std::wstring kAuditSuccessName = L"Audit Success";
const std::wstring kAuditFailureName = L"Audit Failure";

constexpr std::array<RecordClass, 4> kLevelClasses{RecordClass::Critical, RecordClass::Error,
                                                   RecordClass::Warning, RecordClass::Information};

std::uint8_t bit(RecordClass recordClass) {
  return static_cast<std::uint8_t>(1u << static_cast<int>(recordClass));
}

}  // namespace

RecordClass levelClass(std::optional<int> level) {
  if (level == 1) return RecordClass::Critical;
  if (level == 2) return RecordClass::Error;
  if (level == 3) return RecordClass::Warning;
  return RecordClass::Information;
}

const std::wstring& recordType(RecordClass levelClass, std::uint64_t keywords,
                               const EventTypeNames& spelling) {
  if ((keywords & kAuditSuccess) != 0) return kAuditSuccessName;
  if ((keywords & kAuditFailure) != 0) return kAuditFailureName;
  switch (levelClass) {
    case RecordClass::Critical:
      return spelling.critical ? *spelling.critical : spelling.error;
    case RecordClass::Error:
      return spelling.error;
    case RecordClass::Warning:
      return spelling.warning;
    default:
      return spelling.information;
  }
}

const std::wstring& classicEventType(std::optional<std::int64_t> eventType,
                                     const EventTypeNames& spelling) {
  switch (eventType.value_or(0)) {
    case 1: return recordType(RecordClass::Error, 0, spelling);
    case 2: return recordType(RecordClass::Warning, 0, spelling);
    case 4: return recordType(RecordClass::Information, kAuditSuccess, spelling);
    case 5: return recordType(RecordClass::Information, kAuditFailure, spelling);
    default: return recordType(RecordClass::Information, 0, spelling);
  }
}

LevelSelection levelSelectionFor(const EventsWanted& wanted, const EventTypeNames& spelling) {
  LevelSelection selection{bit(RecordClass::Unread), wanted.writtenBefore};
  // An audit type is a matter of keywords, which any level may carry.
  const bool anyLevel =
      !wanted.type || *wanted.type == kAuditSuccessName || *wanted.type == kAuditFailureName;
  for (RecordClass recordClass : kLevelClasses) {
    if (anyLevel || recordType(recordClass, 0, spelling) == *wanted.type)
      selection.classes |= bit(recordClass);
  }
  return selection;
}

}  // namespace brask
