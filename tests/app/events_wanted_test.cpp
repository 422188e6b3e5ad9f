// A source may leave out every event that a listing would skip: a whole run through a
// source that leaves out all it may writes the same report, byte for byte, as one
// through a source that delivers every event.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "../report/report_test_support.h"
#include "app/main_form.h"
#include "platform/event_log/event_type_names.h"

namespace brask::fakes {
namespace {

using enum ControlId;
using namespace std::chrono;
constexpr const wchar_t* kReport = L"C:\\BRASK.txt";

// Central European time: summer time from 29 March to 25 October 2026 (01:00 UTC), so that
// the wall clock jumps forward and then repeats an hour.
minutes offsetAt(sys_seconds utc) {
  const sys_seconds spring = sys_days{2026y / March / 29} + 1h;
  const sys_seconds autumn = sys_days{2026y / October / 25} + 1h;
  return utc >= spring && utc < autumn ? 120min : 60min;
}

std::wstring cimTime(sys_seconds utc) {
  const minutes offset = offsetAt(utc);
  const sys_seconds local = utc + offset;
  const sys_days day = floor<days>(local);
  const year_month_day date{day};
  const hh_mm_ss time{local - day};
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d%02u%02u%02ld%02ld%02ld.000000+%03ld", int(date.year()),
                unsigned(date.month()), unsigned(date.day()), long(time.hours().count()),
                long(time.minutes().count()), long(time.seconds().count()), long(offset.count()));
  return text;
}

DateTime wallClock(sys_seconds utc) {
  const sys_seconds local = utc + offsetAt(utc);
  const year_month_day date{floor<days>(local)};
  return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
}

// Every spelling of a type in any language and generation, and values that are no type.
std::vector<PropertyValue> typeValues() {
  std::vector<PropertyValue> values;
  for (const wchar_t* language : {L"Dutch", L"English", L"German", L"French", L"Italian"}) {
    for (Generation generation : {Generation::Newer, Generation::Older}) {
      const EventTypeNames names = *eventTypeNames(language, generation);
      for (const std::wstring& name : {names.error, names.information, names.warning}) values.emplace_back(name);
      if (names.critical) values.emplace_back(*names.critical);
    }
  }
  values.emplace_back(std::wstring());
  values.emplace_back(std::int64_t{1});
  return values;
}

struct Generator {
  std::mt19937 random;
  const std::vector<PropertyValue> types = typeValues();
  const sys_seconds now = sys_days{2026y / December / 8} + 12h;

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

  // A log newest first, from the clock back across both changes of summer time.
  std::vector<Event> log() {
    std::vector<Event> events;
    sys_seconds at = now - seconds(below(86400));
    const int count = below(80);
    for (int i = 0; i < count; ++i) {
      const int gap = below(4);
      at -= gap == 0 ? seconds(below(60)) : gap == 1 ? seconds(below(7200)) : seconds(below(20 * 86400));
      Event e = event(L"", cimTime(at), L"event " + std::to_wstring(i), i, L"source");
      if (below(12) == 0) {
        e.erase(L"Type");
      } else {
        e[L"Type"] = types[static_cast<std::size_t>(below(static_cast<int>(types.size())))];
      }
      if (below(300) == 0) e[L"TimeWritten"] = std::wstring(L"2026bad");
      if (below(10) == 0) e.erase(L"Message");
      events.push_back(std::move(e));
    }
    return events;
  }

  // A date from the year before the clock's up to the clock's own day.
  DateTime day() { return wallClock(now - seconds(below(700 * 86400))); }
};

struct Outcome {
  std::wstring report;
  std::vector<Message> messages;
  std::vector<std::wstring> errors;
  std::vector<std::wstring> started;
  std::size_t reads;
};

// One run on the fakes, as set up by `setUp`.
template <typename SetUp>
Outcome run(bool honourWanted, const SetUp& setUp) {
  FakePlatform fake;
  fake.clock.at = {2026, 12, 8, 12, 0, 0};
  fake.events.honourWanted = honourWanted;
  setUp(fake);
  MainForm form(fake.platform);
  form.cmdRun_Click();
  const auto found = fake.files.files.find(kReport);
  return {found == fake.files.files.end() ? std::wstring() : found->second, fake.dialogs.messages,
          fake.dialogs.errors, fake.process.started, fake.events.reads.size()};
}

TEST(EventsWanted, ARunWritesTheSameReportWhateverTheSourceLeavesOut) {
  const char* languages[] = {"Dutch", "English", "German", "French", "Italian"};
  std::size_t readsHonoured = 0, readsAll = 0;
  int reports = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    Generator generate{std::mt19937(seed)};
    const std::vector<Event> application = generate.log();
    const std::vector<Event> system = generate.log();
    const std::string language = languages[generate.below(5)];
    const bool older = generate.below(3) == 0;
    const bool dateMode = seed % 2 == 0;
    std::map<ControlId, int> checks;
    for (ControlId box : {chkApplication, chkSystem, chkCritical, chkError, chkInformation, chkWarning}) {
      checks[box] = generate.below(2);
    }
    checks[generate.below(2) ? chkApplication : chkSystem] = 1;
    checks[std::vector{chkCritical, chkError, chkInformation, chkWarning}[static_cast<std::size_t>(generate.below(4))]] = 1;
    const std::wstring number = std::vector<std::wstring>{L"1", L"2.5", L"7", L"20"}[static_cast<std::size_t>(generate.below(4))];
    DateTime from = generate.day(), to = generate.day();
    if (to < from) std::swap(from, to);

    const auto setUp = [&](FakePlatform& fake) {
      fake.events.logs[L"'Application'"] = fake.events.logs[L"'Application' "] = application;
      fake.events.logs[L"'System'"] = fake.events.logs[L"'System' "] = system;
      fake.locale.info[{fake.locale.lcid, lctype::kEnglishLanguage}] = language;
      fake.version.major = older ? 5 : 6;
      fake.version.minor = older ? 1 : 2;
      fake.form.checks = checks;
      if (dateMode) {
        fake.form.options[optDate] = true;
        fake.form.fillDate(txtDayFrom, txtMthFrom, txtYrFrom, from);
        fake.form.fillDate(txtDayTo, txtMthTo, txtYrTo, to);
      } else {
        fake.form.options[optNumber] = true;
        fake.form.texts[txtNumber] = number;
      }
    };
    const Outcome all = run(false, setUp);
    const Outcome honoured = run(true, setUp);
    ASSERT_EQ(honoured.report, all.report) << "seed " << seed;
    ASSERT_EQ(honoured.messages, all.messages) << "seed " << seed;
    ASSERT_EQ(honoured.errors, all.errors) << "seed " << seed;
    ASSERT_EQ(honoured.started, all.started) << "seed " << seed;
    ASSERT_TRUE(all.messages.empty()) << "seed " << seed << ": the run stopped on a message";
    readsHonoured += honoured.reads;
    readsAll += all.reads;
    reports += all.errors.empty() ? 1 : 0;
  }
  // The sources did differ, and most runs wrote a whole report.
  EXPECT_LT(readsHonoured, readsAll / 2);
  EXPECT_GT(reports, 300);
}

}  // namespace
}  // namespace brask::fakes
