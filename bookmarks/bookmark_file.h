// The bookmark file's form: UTF-8 text, the line "brask bookmark 1", then one line for each
// computer and log, COMPUTER<TAB>LOG<TAB>POSITION<TAB>WRITTEN, each line ending in CR LF (a
// bare LF, and a UTF-8 byte order mark before the first line, are read as well):
//   COMPUTER  as the report's banner names it, "." for this computer's own report
//   LOG       Application or System
//   POSITION  where the log stood, as its event source gave it
//   WRITTEN   when the position was taken, in ISO 8601 UTC: 2026-12-08T07:00:00Z
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_log/log_query.h"
#include "platform/event_source.h"

namespace brask {

struct BookmarkLine {
  std::wstring computer;
  LogName log = LogName::Other;
  LogPosition position;
  std::int64_t written = 0;  // seconds since 1970 UTC

  friend bool operator==(const BookmarkLine&, const BookmarkLine&) = default;
};

// Text that does not follow the form: the number of the line that does not (from 1), and
// why, as the end of a sentence ("it has 3 fields").
class BookmarkFormError : public std::runtime_error {
 public:
  BookmarkFormError(std::size_t line, std::wstring why)
      : std::runtime_error("bookmark refused"), line_(line), why_(std::move(why)) {}
  std::size_t line() const { return line_; }
  const std::wstring& why() const { return why_; }

 private:
  std::size_t line_;
  std::wstring why_;
};

// The lines of a bookmark's text. A computer's log on two lines (computers compared as
// names are) is refused. Throws BookmarkFormError.
std::vector<BookmarkLine> readBookmarkText(std::wstring_view text);

// The text of those lines, the first line first. Every line must hold what the form allows.
std::wstring printBookmark(const std::vector<BookmarkLine>& lines);

// Whether text can be a field of a line: it is not empty, and holds no tab and no line break.
bool fitsField(std::wstring_view text);

// The key that a computer's lines are found by: its name as names are compared.
std::wstring computerKey(std::wstring_view computer);

}  // namespace brask
