#include "bookmarks/bookmark_file.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <utility>

#include "computers/computer_names.h"
#include "platform/date_time.h"

namespace brask {
namespace {

constexpr std::wstring_view kFirstLine = L"brask bookmark 1";
constexpr std::wstring_view kLineEnd = L"\r\n";
constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr std::size_t kFields = 4;

std::vector<std::wstring_view> split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::wstring_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

// The number of `digits` digits at text[from], or -1.
int number(std::wstring_view text, std::size_t from, std::size_t digits) {
  int value = 0;
  for (std::size_t i = from; i < from + digits; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return -1;
    value = value * 10 + (text[i] - L'0');
  }
  return value;
}

std::wstring isoTime(std::int64_t seconds) {
  const DateTime utc = utcDateTime(seconds);
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02dZ", utc.year, utc.month, utc.day, utc.hour,
                utc.minute, utc.second);
  return text;
}

// A time as isoTime writes it; nothing for any other text.
std::optional<std::int64_t> readIsoTime(std::wstring_view text) {
  constexpr std::wstring_view kPicture = L"0000-00-00T00:00:00Z";
  if (text.size() != kPicture.size()) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kPicture[i] != L'0' && text[i] != kPicture[i]) return std::nullopt;
  }
  const std::optional<DateTime> utc = makeDateTime(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2),
                                                   number(text, 11, 2), number(text, 14, 2), number(text, 17, 2));
  if (!utc) return std::nullopt;
  return secondsSince1970(*utc);
}

BookmarkLine readLine(std::wstring_view text, std::size_t number) {
  if (text.empty()) throw BookmarkFormError(number, L"it is empty");
  const std::vector<std::wstring_view> fields = split(text, L'\t');
  if (fields.size() != kFields) {
    throw BookmarkFormError(number, L"it has " + std::to_wstring(fields.size()) +
                                        (fields.size() == 1 ? L" field" : L" fields") +
                                        L", where a line has four, COMPUTER, LOG, POSITION and WRITTEN, "
                                        L"separated by tabs");
  }
  const wchar_t* names[] = {L"COMPUTER", L"LOG", L"POSITION", L"WRITTEN"};
  for (std::size_t i = 0; i < kFields; ++i) {
    if (fields[i].empty()) throw BookmarkFormError(number, std::wstring(L"its ") + names[i] + L" is empty");
    // Tabs and line feeds end a field already: what is left of a line break is a CR.
    if (!fitsField(fields[i])) {
      throw BookmarkFormError(number, std::wstring(L"its ") + names[i] + L" holds a line break");
    }
  }
  BookmarkLine line{std::wstring(fields[0]), LogName::Other, std::wstring(fields[2]), 0};
  for (LogName log : {LogName::Application, LogName::System}) {
    if (fields[1] == logNameText(log)) line.log = log;
  }
  if (line.log == LogName::Other) {
    throw BookmarkFormError(number, L"its LOG \"" + std::wstring(fields[1]) + L"\" is neither Application nor System");
  }
  const std::optional<std::int64_t> written = readIsoTime(fields[3]);
  if (!written) {
    throw BookmarkFormError(number, L"its WRITTEN \"" + std::wstring(fields[3]) +
                                        L"\" is not a UTC time such as 2026-12-08T07:00:00Z");
  }
  line.written = *written;
  return line;
}

}  // namespace

bool fitsField(std::wstring_view text) {
  return !text.empty() && text.find_first_of(L"\t\r\n") == std::wstring_view::npos;
}

std::wstring computerKey(std::wstring_view computer) { return comparableName(computer); }

std::vector<BookmarkLine> readBookmarkText(std::wstring_view text) {
  if (!text.empty() && text.front() == kByteOrderMark) text.remove_prefix(1);
  std::vector<std::wstring_view> texts = split(text, L'\n');
  // The last line's end leaves an empty piece after it.
  if (texts.size() > 1 && texts.back().empty()) texts.pop_back();
  for (std::wstring_view& line : texts) {
    if (line.ends_with(L'\r')) line.remove_suffix(1);
  }
  if (texts.front() != kFirstLine) {
    throw BookmarkFormError(1, L"it is not \"" + std::wstring(kFirstLine) + L"\", as a bookmark's first line is");
  }
  std::vector<BookmarkLine> lines;
  std::map<std::pair<std::wstring, LogName>, std::size_t> seen;
  for (std::size_t i = 1; i < texts.size(); ++i) {
    BookmarkLine line = readLine(texts[i], i + 1);
    const auto [found, added] = seen.emplace(std::pair(computerKey(line.computer), line.log), i + 1);
    if (!added) {
      throw BookmarkFormError(i + 1, L"the " + std::wstring(logNameText(line.log)) + L" log of " +
                                         line.computer + L" is on line " + std::to_wstring(found->second) +
                                         L" already");
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::wstring printBookmark(const std::vector<BookmarkLine>& lines) {
  std::wstring text(kFirstLine);
  text += kLineEnd;
  for (const BookmarkLine& line : lines) {
    text += line.computer + L'\t' + std::wstring(logNameText(line.log)) + L'\t' + line.position + L'\t' +
            isoTime(line.written) + std::wstring(kLineEnd);
  }
  return text;
}

}  // namespace brask
