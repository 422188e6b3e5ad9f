// A run's bookmark: the position that the bookmark file saved for each computer and log, and
// the file's lines once the report is written: those of the computers read whole in this
// run, with where each log they read stood, and every other line as it was (computers not
// named this time, computers that could not be read, logs not read).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bookmarks/bookmark_file.h"
#include "platform/file_api.h"

namespace brask {

// The computer of a report of this computer alone, as the bookmark names it.
inline constexpr const wchar_t* kThisComputer = L".";

class Bookmark {
 public:
  explicit Bookmark(std::vector<BookmarkLine> saved = {}) : lines_(std::move(saved)) {}

  // The saved positions of a computer's logs.
  std::map<LogName, LogPosition> savedOf(const std::wstring& computer) const;
  // When the latest saved position of those computers' logs was taken (seconds since 1970
  // UTC); nothing where the file holds none of them.
  std::optional<std::int64_t> takenLast(const std::vector<std::wstring>& computers,
                                        const std::vector<LogName>& logs) const;
  // A computer was read whole; `newest` tells where each log it read stood at `taken`
  // (nothing for a log without events, which then has no line). A computer whose name no
  // line can hold keeps none.
  void read(const std::wstring& computer, const std::map<LogName, std::optional<LogPosition>>& newest,
            std::int64_t taken);

  const std::vector<BookmarkLine>& lines() const { return lines_; }

 private:
  std::vector<BookmarkLine> lines_;
};

// A bookmark file that the run cannot take: the prompt of its message names the file and
// the line, and says to remove it to start again.
class BookmarkRefused : public std::runtime_error {
 public:
  explicit BookmarkRefused(std::wstring prompt)
      : std::runtime_error("bookmark refused"), prompt_(std::move(prompt)) {}
  const std::wstring& prompt() const { return prompt_; }

 private:
  std::wstring prompt_;
};

// The lines of the bookmark file at path; none where no file is there. Throws
// BookmarkRefused when it cannot be read or does not follow the form.
std::vector<BookmarkLine> loadBookmark(FileApi& files, const std::wstring& path);

// Replaces the bookmark file at path with those lines, whole. Throws RunTimeError.
void saveBookmark(FileApi& files, const std::wstring& path, const std::vector<BookmarkLine>& lines);

}  // namespace brask
