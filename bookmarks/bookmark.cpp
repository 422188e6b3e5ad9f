#include "bookmarks/bookmark.h"

#include <algorithm>

#include "platform/run_time_error.h"

namespace brask {
namespace {

std::wstring refusal(const std::wstring& path, const std::wstring& what) {
  return L"The bookmark \"" + path + L"\" " + what +
         L". Remove it to start again: the next run then lists events as it would without a "
         L"bookmark, and writes it anew.";
}

// The system's text of a failure, without its line breaks and full stop at the end.
std::wstring clause(std::wstring text) {
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  return text;
}

}  // namespace

std::map<LogName, LogPosition> Bookmark::savedOf(const std::wstring& computer) const {
  const std::wstring key = computerKey(computer);
  std::map<LogName, LogPosition> saved;
  for (const BookmarkLine& line : lines_) {
    if (computerKey(line.computer) == key) saved[line.log] = line.position;
  }
  return saved;
}

std::optional<std::int64_t> Bookmark::takenLast(const std::vector<std::wstring>& computers,
                                                const std::vector<LogName>& logs) const {
  std::vector<std::wstring> keys;
  for (const std::wstring& computer : computers) keys.push_back(computerKey(computer));
  std::optional<std::int64_t> last;
  for (const BookmarkLine& line : lines_) {
    if (std::find(logs.begin(), logs.end(), line.log) == logs.end() ||
        std::find(keys.begin(), keys.end(), computerKey(line.computer)) == keys.end()) {
      continue;
    }
    last = std::max(last.value_or(line.written), line.written);
  }
  return last;
}

void Bookmark::read(const std::wstring& computer, const std::map<LogName, std::optional<LogPosition>>& newest,
                    std::int64_t taken) {
  if (!fitsField(computer)) return;
  const std::wstring key = computerKey(computer);
  for (const auto& [log, position] : newest) {
    const auto found = std::find_if(lines_.begin(), lines_.end(), [&, log = log](const BookmarkLine& line) {
      return line.log == log && computerKey(line.computer) == key;
    });
    if (!position || !fitsField(*position)) {
      if (found != lines_.end()) lines_.erase(found);
    } else if (found != lines_.end()) {
      *found = {computer, log, *position, taken};
    } else {
      lines_.push_back({computer, log, *position, taken});
    }
  }
}

std::vector<BookmarkLine> loadBookmark(FileApi& files, const std::wstring& path) {
  std::optional<std::wstring> text;
  try {
    text = files.readText(path);
  } catch (const RunTimeError& error) {
    throw BookmarkRefused(refusal(path, L"cannot be read: " + clause(error.description())));
  }
  if (!text) return {};
  try {
    return readBookmarkText(*text);
  } catch (const BookmarkFormError& error) {
    throw BookmarkRefused(refusal(path, L"is not one that this program reads: line " +
                                            std::to_wstring(error.line()) + L": " + error.why()));
  }
}

void saveBookmark(FileApi& files, const std::wstring& path, const std::vector<BookmarkLine>& lines) {
  const std::unique_ptr<Replacement> file = files.replace(path, Encoding::Utf8);
  file->write(printBookmark(lines));
  file->commit();
}

}  // namespace brask
