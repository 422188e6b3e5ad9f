#include "platform/linux/journal/journal_time_order.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/journal/journal.h"

namespace brask {
namespace {

// The first and last entries of one boot in the file: their times and cursors.
struct BootSpan {
  std::uint64_t first = 0;
  std::uint64_t last = 0;
  std::string firstCursor;
  std::string lastCursor;
};

bool cursorOf(sd_journal* journal, std::string& cursor) {
  char* text = nullptr;
  if (sd_journal_get_cursor(journal, &text) < 0) return false;
  const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
  cursor = text;
  return true;
}

// Moves to the entry at the end the seek went to and reads its time and cursor.
bool readEnd(sd_journal* journal, bool head, std::uint64_t& time, std::string& cursor) {
  if ((head ? sd_journal_seek_head(journal) : sd_journal_seek_tail(journal)) < 0) return false;
  if ((head ? sd_journal_next(journal) : sd_journal_previous(journal)) <= 0) return false;
  return sd_journal_get_realtime_usec(journal, &time) >= 0 && cursorOf(journal, cursor);
}

std::optional<std::vector<BootSpan>> bootSpans(sd_journal* journal, const std::vector<std::string>& boots) {
  std::vector<BootSpan> spans;
  for (const std::string& boot : boots) {
    sd_journal_flush_matches(journal);
    BootSpan span;
    if (sd_journal_add_match(journal, boot.data(), boot.size()) < 0 ||
        !readEnd(journal, true, span.first, span.firstCursor) ||
        !readEnd(journal, false, span.last, span.lastCursor)) {
      return std::nullopt;
    }
    spans.push_back(std::move(span));
  }
  return spans;
}

// True when the entry after the one at `cursor`, in the order of writing, is at `next`.
bool followedBy(sd_journal* journal, const std::string& cursor, const std::string& next) {
  // A seek to a cursor stands before its entry: the first step lands on it.
  return sd_journal_seek_cursor(journal, cursor.c_str()) >= 0 && sd_journal_next(journal) > 0 &&
         sd_journal_test_cursor(journal, cursor.c_str()) > 0 && sd_journal_next(journal) > 0 &&
         sd_journal_test_cursor(journal, next.c_str()) > 0;
}

}  // namespace

bool inTimeOrder(sd_journal* journal) {
  const std::optional<std::vector<std::string>> boots = uniqueItems(journal, "_BOOT_ID");
  if (!boots) return false;
  // Entries without a boot, or of one boot, run forward.
  if (boots->size() <= 1) return true;
  std::optional<std::vector<BootSpan>> spans = bootSpans(journal, *boots);
  sd_journal_flush_matches(journal);
  if (!spans) return false;
  std::sort(spans->begin(), spans->end(),
            [](const BootSpan& a, const BootSpan& b) { return a.first < b.first; });
  std::uint64_t head = 0;
  std::string headCursor;
  if (!readEnd(journal, true, head, headCursor) ||
      sd_journal_test_cursor(journal, spans->front().firstCursor.c_str()) <= 0) {
    return false;
  }
  for (std::size_t i = 0; i + 1 < spans->size(); ++i) {
    const BootSpan& boot = (*spans)[i];
    const BootSpan& next = (*spans)[i + 1];
    if (boot.last > next.first || !followedBy(journal, boot.lastCursor, next.firstCursor)) return false;
  }
  return true;
}

}  // namespace brask
