// The bookmark file's form: what is read from it, what refuses it and how the refusal reads,
// and what a run leaves of its lines.
#include <gtest/gtest.h>

#include "bookmarks/bookmark.h"
#include "fakes/fakes.h"

namespace brask {
namespace {

constexpr const wchar_t* kPath = L"C:\\reports\\bookmark.txt";
constexpr std::int64_t k2026Dec8 = 1796713200;  // 2026-12-08T07:00:00Z

// The lines read, or the refusal's prompt.
struct Outcome {
  std::vector<BookmarkLine> lines = {};
  std::wstring refusal = L"";
};

Outcome load(fakes::MemoryFiles& files) {
  try {
    return {loadBookmark(files, kPath)};
  } catch (const BookmarkRefused& refused) {
    return {{}, refused.prompt()};
  }
}

std::wstring refusedAt(std::size_t line, const std::wstring& why) {
  return L"The bookmark \"C:\\reports\\bookmark.txt\" is not one that this program reads: line " +
         std::to_wstring(line) + L": " + why +
         L". Remove it to start again: the next run then lists events as it would without a bookmark, and "
         L"writes it anew.";
}

const std::wstring kNotFirst = refusedAt(1, L"it is not \"brask bookmark 1\", as a bookmark's first line is");

std::wstring fieldsAt2(int count) {
  return refusedAt(2, L"it has " + std::to_wstring(count) + (count == 1 ? L" field" : L" fields") +
                          L", where a line has four, COMPUTER, LOG, POSITION and WRITTEN, separated by tabs");
}

TEST(BookmarkFile, ReadsItsFormAndRefusesAnythingElse) {
  const BookmarkLine srv01{L"SRV01", LogName::System, L"4711", k2026Dec8};
  const BookmarkLine self{L".", LogName::Application, L"s=0a;i=3;b=7f;m=9;t=5f3e2a1b9c000;x=1", k2026Dec8 + 61};
  const struct {
    const char* name;
    std::optional<std::wstring> text;  // none: no file
    Outcome outcome;
  } cases[] = {
      {"no file: a first run", std::nullopt, {}},
      {"no line but the first", L"brask bookmark 1\r\n", {}},
      {"lines", L"brask bookmark 1\r\nSRV01\tSystem\t4711\t2026-12-08T07:00:00Z\r\n.\tApplication\ts=0a;i=3;b=7f;m=9;t=5f3e2a1b9c000;x=1\t2026-12-08T07:01:01Z\r\n",
       {{srv01, self}}},
      {"line feeds, a byte order mark, no end to the last line",
       L"\xFEFF" L"brask bookmark 1\nSRV01\tSystem\t4711\t2026-12-08T07:00:00Z", {{srv01}}},
      {"an empty file", L"", {{}, kNotFirst}},
      {"another version", L"brask bookmark 2\r\n", {{}, kNotFirst}},
      {"an empty line", L"brask bookmark 1\r\n\r\nSRV01\tSystem\t4711\t2026-12-08T07:00:00Z\r\n", {{}, refusedAt(2, L"it is empty")}},
      {"blanks for tabs", L"brask bookmark 1\r\nSRV01 System 4711 2026-12-08T07:00:00Z\r\n", {{}, fieldsAt2(1)}},
      {"a fifth field", L"brask bookmark 1\r\nSRV01\tSystem\t4711\t2026-12-08T07:00:00Z\tmore\r\n", {{}, fieldsAt2(5)}},
      {"no position", L"brask bookmark 1\r\nSRV01\tSystem\t\t2026-12-08T07:00:00Z\r\n", {{}, refusedAt(2, L"its POSITION is empty")}},
      {"no computer", L"brask bookmark 1\r\n\tSystem\t1\t2026-12-08T07:00:00Z\r\n", {{}, refusedAt(2, L"its COMPUTER is empty")}},
      {"a line broken by a lone CR", L"brask bookmark 1\r\nSRV\r01\tSystem\t1\t2026-12-08T07:00:00Z\r\n",
       {{}, refusedAt(2, L"its COMPUTER holds a line break")}},
      {"another log", L"brask bookmark 1\r\nSRV01\tSecurity\t1\t2026-12-08T07:00:00Z\r\n",
       {{}, refusedAt(2, L"its LOG \"Security\" is neither Application nor System")}},
      {"a log in another case", L"brask bookmark 1\r\nSRV01\tsystem\t1\t2026-12-08T07:00:00Z\r\n",
       {{}, refusedAt(2, L"its LOG \"system\" is neither Application nor System")}},
      {"a local time", L"brask bookmark 1\r\nSRV01\tSystem\t1\t2026-12-08T07:00:00+01:00\r\n",
       {{}, refusedAt(2, L"its WRITTEN \"2026-12-08T07:00:00+01:00\" is not a UTC time such as 2026-12-08T07:00:00Z")}},
      {"no such day", L"brask bookmark 1\r\nSRV01\tSystem\t1\t2026-02-30T07:00:00Z\r\n",
       {{}, refusedAt(2, L"its WRITTEN \"2026-02-30T07:00:00Z\" is not a UTC time such as 2026-12-08T07:00:00Z")}},
      {"a computer's log twice, its name spelled otherwise",
       L"brask bookmark 1\r\nSRV01\tSystem\t1\t2026-12-08T07:00:00Z\r\nsrv01.\tSystem\t2\t2026-12-08T07:00:00Z\r\n",
       {{}, refusedAt(3, L"the System log of srv01. is on line 2 already")}},
  };
  for (const auto& c : cases) {
    fakes::MemoryFiles files;
    if (c.text) files.files[kPath] = *c.text;
    const Outcome outcome = load(files);
    EXPECT_EQ(outcome.lines, c.outcome.lines) << c.name;
    EXPECT_EQ(outcome.refusal, c.outcome.refusal) << c.name;
  }

  fakes::MemoryFiles unreadable;
  unreadable.refuseRead = RunTimeError(L"Reading C:\\reports\\bookmark.txt", 5, L"Access is denied.\r\n");
  EXPECT_EQ(load(unreadable).refusal,
            L"The bookmark \"C:\\reports\\bookmark.txt\" cannot be read: Access is denied. Remove it to start "
            L"again: the next run then lists events as it would without a bookmark, and writes it anew.");
}

TEST(BookmarkFile, ARunKeepsTheLinesOfWhatItDidNotRead) {
  Bookmark bookmark({{L"SRV01", LogName::System, L"10", 100},
                     {L"SRV01", LogName::Application, L"20", 100},
                     {L"srv02", LogName::System, L"30", 100},
                     {L".", LogName::System, L"40", 300}});
  EXPECT_EQ(bookmark.savedOf(L"srv01."), (std::map<LogName, LogPosition>{{LogName::Application, L"20"}, {LogName::System, L"10"}}));
  EXPECT_EQ(bookmark.takenLast({L"srv01", L"srv02"}, {LogName::System}), 100);
  EXPECT_EQ(bookmark.takenLast({L"srv01", L"."}, {LogName::System}), 300);
  EXPECT_EQ(bookmark.takenLast({L"srv03"}, {LogName::System, LogName::Application}), std::nullopt);

  // SRV01's System log read anew, its Application log not read; srv02's System log empty
  // now; a computer new to the bookmark; one whose name no line can hold.
  bookmark.read(L"srv01", {{LogName::System, L"11"}}, 500);
  bookmark.read(L"SRV02", {{LogName::System, std::nullopt}}, 500);
  bookmark.read(L"srv04", {{LogName::Application, L"1"}, {LogName::System, L"2"}}, 500);
  bookmark.read(L"tab\there", {{LogName::System, L"3"}}, 500);
  EXPECT_EQ(bookmark.lines(), (std::vector<BookmarkLine>{{L"srv01", LogName::System, L"11", 500},
                                                         {L"SRV01", LogName::Application, L"20", 100},
                                                         {L".", LogName::System, L"40", 300},
                                                         {L"srv04", LogName::Application, L"1", 500},
                                                         {L"srv04", LogName::System, L"2", 500}}));
}

}  // namespace
}  // namespace brask
