// A complete date-mode run with each call it makes below the seam failing in turn.
#include <gtest/gtest.h>

#include <functional>

#include "../report/report_test_support.h"
#include "app/main_form.h"

namespace brask::fakes {
namespace {

using enum ControlId;
constexpr const wchar_t* kReport = L"C:\\BRASK.txt";
constexpr const wchar_t* kEarlier = L"the report of an earlier run\r\n";

// Both logs, Critical, Error and Warning on Windows 7, from 1 to 9 August 2009: records,
// skipped events of other types and after To, a listing ended by an older event, a
// no-events line and a banner alone.
void prepare(FakePlatform& run) {
  run.clock.at = {2009, 8, 10, 21, 2, 23};
  run.files.files[kReport] = kEarlier;
  run.form.check({chkApplication, chkSystem, chkCritical, chkError, chkWarning});
  run.form.options[optDate] = true;
  run.form.fillDate(txtDayFrom, txtMthFrom, txtYrFrom, {2009, 8, 1});
  run.form.fillDate(txtDayTo, txtMthTo, txtYrTo, {2009, 8, 9});
  Event noMessage = event(L"Error", L"20090803101010.000000+060");
  noMessage.erase(L"Message");
  const std::vector<Event> application = {
      event(L"Warning", L"20090810000000.000000+060"),
      event(L"Error", L"20090809235959.000000+060", L"Disk full.\r\nRetrying."),
      event(L"Information", L"20090805000000.000000+060"),
      event(L"Warning", L"20090804120000.000000+060"),
      noMessage,
      event(L"Error", L"20090731235959.000000+060"),
      event(L"Warning", L"20090701000000.000000+060"),
  };
  const std::vector<Event> system = {
      event(L"Critical", L"20090802000000.000000+060", L"Power lost."),
      event(L"Error", L"20090720000000.000000+060"),
  };
  run.events.logs[L"'Application' "] = application;
  run.events.logs[L"'System' "] = system;
}

struct Outcome {
  std::wstring report;
  std::vector<std::wstring> written;  // the text of every write
  std::vector<std::wstring> errors;
  std::size_t messages;
  std::wstring formatDuringBox;
  std::wstring formatAfter;
  std::size_t viewersStarted;
  int ended;
};

Outcome runWith(const std::function<void(FakePlatform&)>& fault) {
  FakePlatform run;
  prepare(run);
  fault(run);
  MainForm window(run.platform);
  Outcome outcome;
  run.dialogs.onShow = [&] { outcome.formatDuringBox = run.shortDateInForce(); };
  window.cmdRun_Click();
  outcome.report = run.files.files[kReport];
  outcome.written = run.files.texts;
  outcome.errors = run.dialogs.errors;
  outcome.messages = run.dialogs.messages.size();
  outcome.formatAfter = run.shortDateInForce();
  outcome.viewersStarted = run.process.started.size();
  outcome.ended = run.form.ended;
  return outcome;
}

// How often the complete run calls each kind of seam operation.
struct Calls {
  std::size_t connects, queries, steps, reads, writes, localeWrites;
};

Calls callsOfCompleteRun(Outcome& complete) {
  FakePlatform run;
  prepare(run);
  MainForm window(run.platform);
  window.cmdRun_Click();
  complete.report = run.files.files[kReport];
  complete.written = run.files.texts;
  return {static_cast<std::size_t>(run.events.connects), run.events.queries.size(), run.events.steps,
          run.events.reads.size(), run.files.texts.size(), run.locale.sets.size()};
}

TEST(RunFaults, EveryFailingSeamCallEndsInOneRunTimeErrorWithWholeRecords) {
  Outcome complete;
  const Calls calls = callsOfCompleteRun(complete);
  ASSERT_EQ(complete.written.size(), 12u) << "header, 6 banners, 4 records, 1 no-events line";

  const struct {
    const char* seam;
    std::size_t calls;
    std::function<void(FakePlatform&, std::size_t)> failAt;
  } seams[] = {
      {"connect", calls.connects, [](FakePlatform& p, std::size_t n) { p.events.failAtConnect = n; }},
      {"query", calls.queries, [](FakePlatform& p, std::size_t n) { p.events.failAtQuery = n; }},
      {"step of the walk", calls.steps, [](FakePlatform& p, std::size_t n) { p.events.failAtStep = n; }},
      {"property read", calls.reads, [](FakePlatform& p, std::size_t n) { p.events.failAtRead = n; }},
      {"report write", calls.writes, [](FakePlatform& p, std::size_t n) { p.files.failAtWrite = n; }},
      {"viewer start", 1,
       [](FakePlatform& p, std::size_t) { p.process.failStart = RunTimeError(L"Starting notepad", 2, L"File not found"); }},
  };
  for (const auto& seam : seams) {
    EXPECT_GT(seam.calls, 0u) << seam.seam;
    for (std::size_t n = 0; n < seam.calls; ++n) {
      const Outcome outcome = runWith([&](FakePlatform& p) { seam.failAt(p, n); });
      const std::string where = std::string(seam.seam) + " #" + std::to_string(n);

      EXPECT_EQ(outcome.errors.size(), 1u) << where;
      EXPECT_EQ(outcome.messages, 0u) << where;
      EXPECT_EQ(outcome.viewersStarted, 0u) << where;
      EXPECT_EQ(outcome.ended, 1) << where;
      EXPECT_EQ(outcome.formatDuringBox, L"M/d/yyyy") << where;
      EXPECT_EQ(outcome.formatAfter, L"M/d/yyyy") << where;

      // What was written is the complete run's blocks up to the fault, each one whole; the
      // report is the earlier one until the new one is whole.
      ASSERT_LE(outcome.written.size(), complete.written.size()) << where;
      for (std::size_t i = 0; i < outcome.written.size(); ++i) {
        EXPECT_EQ(outcome.written[i], complete.written[i]) << where << ", block " << i;
      }
      const bool whole = std::string(seam.seam) == "viewer start";
      EXPECT_EQ(outcome.report, whole ? complete.report : kEarlier) << where;
    }
  }
}

TEST(RunFaults, RefusedShortDateWritesAreNoFaultOfTheRun) {
  Outcome complete;
  const Calls calls = callsOfCompleteRun(complete);
  ASSERT_EQ(calls.localeWrites, 2u) << "the format forced and restored";
  for (std::size_t n = 0; n < calls.localeWrites; ++n) {
    const Outcome outcome = runWith([&](FakePlatform& p) { p.locale.refuseSetAt = n; });
    EXPECT_TRUE(outcome.errors.empty()) << "SetLocaleInfoA #" << n;
    EXPECT_EQ(outcome.messages, 0u) << "SetLocaleInfoA #" << n;
    EXPECT_EQ(outcome.written.size(), complete.written.size()) << "SetLocaleInfoA #" << n;
    EXPECT_EQ(outcome.viewersStarted, 1u) << "SetLocaleInfoA #" << n;
    EXPECT_EQ(outcome.ended, 1) << "SetLocaleInfoA #" << n;
  }
}

}  // namespace
}  // namespace brask::fakes
