// Runs with a bookmark on the fakes, where positions are record numbers: what each section
// lists after the saved position, the lines of a log cleared or overwritten since, and the
// bookmark each run leaves.
#include <gtest/gtest.h>

#include "../report/report_test_support.h"
#include "app/main_form.h"

namespace brask::fakes {
namespace {

using enum ControlId;
constexpr const wchar_t* kReport = L"C:\\BRASK.txt";
constexpr const wchar_t* kBookmark = L"C:\\bookmark.txt";

// Records first to last, newest first: one a day of August 2009 at noon, record n on day n,
// a Warning where n is a multiple of 3, else an Error, its message "eN".
std::vector<Event> numbered(int last, int first = 1) {
  std::vector<Event> events;
  for (int n = last; n >= first; --n) {
    wchar_t time[32];
    std::swprintf(time, 32, L"200908%02d120000.000000+000", n);
    Event e = event(n % 3 == 0 ? L"Warning" : L"Error", time, L"e" + std::to_wstring(n));
    e[L"RecordNumber"] = std::int64_t{n};
    events.push_back(std::move(e));
  }
  return events;
}

void serve(FakeEventLog& log, const std::wstring& name, const std::vector<Event>& events) {
  log.logs[L"'" + name + L"'"] = log.logs[L"'" + name + L"' "] = events;
}

// The report's lines that tell what was listed: the bookmark's, banners, computers, messages
// and no-events lines.
std::vector<std::wstring> shown(const std::wstring& report) {
  std::vector<std::wstring> kept;
  for (const std::wstring& line : lines(report)) {
    const bool message = line.size() > 1 && line[0] == L'e' && line[1] >= L'0' && line[1] <= L'9';
    if (message || line.find(L" Log - ") != std::wstring::npos || line.starts_with(L"Only ") ||
        line.starts_with(L"The ") || line.starts_with(L"Some ") || line.starts_with(L"No ") ||
        line.starts_with(L"Computer")) {
      kept.push_back(line);
    }
  }
  return kept;
}

// Errors and Warnings of 5 to 9 August 2009.
void dateMode(FakePlatform& run, RunRequest&) {
  run.form.check({chkWarning});
  run.form.options = {{optDate, true}};
  run.form.fillDate(txtDayFrom, txtMthFrom, txtYrFrom, {2009, 8, 5});
  run.form.fillDate(txtDayTo, txtMthTo, txtYrTo, {2009, 8, 9});
}

const std::wstring kSince = L"Only events new since the run of 09/08/2009 09:00:00 are listed.";

TEST(BookmarkRun, ListsWhatIsNewAndSaysWhatBecameOfTheLog) {
  const struct {
    const char* name;
    std::optional<std::wstring> saved;  // the lines after the first; none: no file
    std::function<void(FakePlatform&, RunRequest&)> set;
    std::vector<std::wstring> shown;
    std::vector<std::wstring> written;  // the bookmark's lines after the run, after the first
  } cases[] = {
      {"a first run: as without a bookmark", std::nullopt, [](FakePlatform&, RunRequest&) {},
       {L"'System' Log - Error Type", L"e11", L"e10", L"e8", L"e7", L"e5"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"fewer new than asked for", L".\tSystem\t9\t2009-08-09T07:00:00Z", [](FakePlatform&, RunRequest&) {},
       {kSince, L"'System' Log - Error Type", L"e11", L"e10"}, {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"none new", L".\tSystem\t12\t2009-08-09T07:00:00Z", [](FakePlatform&, RunRequest&) {},
       {kSince, L"'System' Log - Error Type"}, {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"a log not in the bookmark: as without one",
       L".\tSystem\t9\t2009-08-09T07:00:00Z",
       [](FakePlatform& p, RunRequest&) {
         p.form.check({chkApplication});
         serve(p.events, L"Application", numbered(2));
       },
       {kSince, L"'Application' Log - Error Type", L"e2", L"e1", L"'System' Log - Error Type", L"e11", L"e10"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z", L".\tApplication\t2\t2009-08-13T10:00:00Z"}},
      {"a log not read keeps its line, and says nothing of since when",
       L".\tApplication\t1\t2009-08-09T07:00:00Z", [](FakePlatform&, RunRequest&) {},
       {L"'System' Log - Error Type", L"e11", L"e10", L"e8", L"e7", L"e5"},
       {L".\tApplication\t1\t2009-08-09T07:00:00Z", L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"date mode: the new events of the range", L".\tSystem\t6\t2009-08-09T07:00:00Z", dateMode,
       {kSince, L"'System'  Log - Error Type", L"e8", L"e7", L"'System'  Log - Warning Type", L"e9"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"date mode: none new in the range", L".\tSystem\t10\t2009-08-09T07:00:00Z", dateMode,
       {kSince, L"'System'  Log - Error Type", L"No 'System' log Error events found from 05/08/2009 to 09/08/2009",
        L"'System'  Log - Warning Type", L"No 'System' log Warning events found from 05/08/2009 to 09/08/2009"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"cleared: all is new", L".\tSystem\t50\t2009-08-09T07:00:00Z", [](FakePlatform&, RunRequest&) {},
       {kSince, L"The System log was cleared after the last run: all its events are considered new.",
        L"'System' Log - Error Type", L"e11", L"e10", L"e8", L"e7", L"e5"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"overwritten: what is left is new", L".\tSystem\t2\t2009-08-09T07:00:00Z",
       [](FakePlatform& p, RunRequest&) { serve(p.events, L"System", numbered(12, 5)); },
       {kSince,
        L"Some events of the System log were overwritten before this run: the log is too small for the time "
        L"between runs.",
        L"'System' Log - Error Type", L"e11", L"e10", L"e8", L"e7", L"e5"},
       {L".\tSystem\t12\t2009-08-13T10:00:00Z"}},
      {"an empty log loses its line", L".\tSystem\t9\t2009-08-09T07:00:00Z",
       [](FakePlatform& p, RunRequest&) { serve(p.events, L"System", {}); },
       {kSince, L"The System log was cleared after the last run: all its events are considered new.",
        L"'System' Log - Error Type"},
       {}},
      {"many computers: one read, one not, one not named",
       L"SRV01\tSystem\t9\t2009-08-08T07:00:00Z\r\nsrv02\tSystem\t5\t2009-08-09T07:00:00Z\r\n"
       L"srv03\tSystem\t1\t2009-08-10T07:00:00Z",
       [](FakePlatform& p, RunRequest& request) {
         request.computers = {L"srv01", L"srv02"};
         serve(p.computers.logs[L"srv01"], L"System", numbered(12));
         p.computers.logs[L"srv02"].computerError = ComputerError(L"Querying", 5, L"Access is denied.", Reach::EventLogApi);
         p.computers.logs[L"srv02"].failAtConnect = 0;
       },
       {kSince, L"Computer: srv01", L"'System' Log - Error Type", L"e11", L"e10", L"Computer: srv02",
        L"Computer srv02 could not be read: Access is denied. (error 5). Check that the account is an "
        L"administrator or a member of \"Event Log Readers\" on that computer."},
       {L"srv01\tSystem\t12\t2009-08-13T10:00:00Z", L"srv02\tSystem\t5\t2009-08-09T07:00:00Z",
        L"srv03\tSystem\t1\t2009-08-10T07:00:00Z"}},
  };
  for (const auto& c : cases) {
    const auto run = [&c](bool bookmarked) {
      auto fake = std::make_unique<FakePlatform>();
      fake->clock.at = {2009, 8, 13, 12, 0, 0};
      fake->clock.utcOffset = 7200;
      fake->events.honourWanted = true;
      fake->form.check({chkSystem, chkError});
      fake->form.options[optNumber] = true;
      fake->form.texts[txtNumber] = L"5";
      serve(fake->events, L"System", numbered(12));
      if (c.saved) fake->files.files[kBookmark] = L"brask bookmark 1\r\n" + *c.saved + L"\r\n";
      RunRequest request;
      if (bookmarked) request.bookmark = kBookmark;
      c.set(*fake, request);
      MainForm(fake->platform, request).cmdRun_Click();
      return fake;
    };
    const auto fake = run(true);
    EXPECT_TRUE(fake->dialogs.messages.empty() && fake->dialogs.errors.empty()) << c.name;
    EXPECT_EQ(shown(fake->files.files[kReport]), c.shown) << c.name;
    std::vector<std::wstring> written = lines(fake->files.files[kBookmark]);
    ASSERT_FALSE(written.empty()) << c.name;
    EXPECT_EQ(written.front(), L"brask bookmark 1") << c.name;
    EXPECT_EQ(std::vector(written.begin() + 1, written.end()), c.written) << c.name;
    EXPECT_EQ(fake->files.replaced.back(), kBookmark) << c.name << ": the bookmark is written after the report";
    EXPECT_EQ(fake->files.locked, (std::vector<std::wstring>{kBookmark, kReport})) << c.name;
    if (!c.saved) {
      EXPECT_EQ(fake->files.files[kReport], run(false)->files.files[kReport]) << c.name;
    }
  }
}

}  // namespace
}  // namespace brask::fakes
