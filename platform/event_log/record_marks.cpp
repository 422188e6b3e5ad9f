#include "platform/event_log/record_marks.h"

#include <limits>

namespace brask {

LogPosition recordPosition(std::uint64_t record) { return std::to_wstring(record); }

std::optional<std::uint64_t> recordOfPosition(const LogPosition& position) {
  if (position.empty()) return std::nullopt;
  std::uint64_t record = 0;
  for (const wchar_t digit : position) {
    if (digit < L'0' || digit > L'9') return std::nullopt;
    const auto value = static_cast<std::uint64_t>(digit - L'0');
    if (record > (std::numeric_limits<std::uint64_t>::max() - value) / 10) return std::nullopt;
    record = record * 10 + value;
  }
  return record;
}

LogMark recordMark(std::optional<std::uint64_t> newest, std::optional<std::uint64_t> oldest,
                   const std::optional<LogPosition>& saved) {
  LogMark mark;
  if (newest) mark.newest = recordPosition(*newest);
  if (!saved) return mark;
  const std::optional<std::uint64_t> record = recordOfPosition(*saved);
  if (!record || !newest || *newest < *record) {
    mark.since = SinceSaved::Cleared;
  } else if (oldest && *oldest > *record && *oldest - *record > 1) {
    mark.since = SinceSaved::Overwritten;
  }
  return mark;
}

}  // namespace brask
