#include "platform/linux/journal/journal_event_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "journal_fixture.h"
#include "platform/linux/journal/journal_objects.h"
#include "platform/linux/system/linux_system.h"
#include "platform/run_time_error.h"
#include "scoped_env.h"
#include "utc_time.h"

namespace brask {
namespace {

using test::Fields;

const std::wstring kSystem = L"Select * from Win32_NTLogEvent where Logfile = 'System'";
const std::wstring kApplication = L"Select * from Win32_NTLogEvent where Logfile = 'Application'";

EventTypeNames names(const wchar_t* language, Generation generation) {
  return *eventTypeNames(language, generation);
}

const EventTypeNames kEnglish = names(L"English", Generation::Newer);

std::wstring shown(const PropertyValue& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return L"text " + *text;
  if (const auto* number = std::get_if<std::int64_t>(&value))
    return L"number " + std::to_wstring(*number);
  return L"missing";
}

// Walks a query and shows one property of every event delivered, in delivery order.
std::vector<std::wstring> walk(const std::string& dir, const std::wstring& query,
                               const wchar_t* property = L"Message",
                               const EventTypeNames& spelling = kEnglish) {
  JournalEventSource source(spelling, dir);
  auto objects = source.connect()->ExecQuery(query, {});
  std::vector<std::wstring> values;
  while (objects->next()) values.push_back(shown(objects->property(property)));
  return values;
}

std::uint64_t at(int second) { return test::utcMicroseconds(2021, 6, 1, 12, 0, second); }

TEST(JournalEventSource, SplitsApplicationAndSystemByTheirFields) {
  test::JournalFixture journal;
  journal.add(at(1), {{"MESSAGE", "root daemon"}, {"_UID", "0"}, {"_TRANSPORT", "syslog"}});
  journal.add(at(2), {{"MESSAGE", "user 1000"}, {"_UID", "1000"}, {"_TRANSPORT", "journal"}});
  journal.add(at(3), {{"MESSAGE", "system user 999"}, {"_UID", "999"}});
  journal.add(
      at(4),
      {{"MESSAGE", "user unit of root"}, {"_UID", "0"}, {"_SYSTEMD_USER_UNIT", "a.service"}});
  journal.add(at(5), {{"MESSAGE", "kernel"}, {"_TRANSPORT", "kernel"}});
  journal.add(at(6),
              {{"MESSAGE", "kernel with a user"}, {"_TRANSPORT", "kernel"}, {"_UID", "1000"}});
  journal.add(at(7), {{"MESSAGE", "no identity"}});
  journal.add(at(8), {{"MESSAGE", "nobody"}, {"_UID", "65534"}});
  journal.add(at(9), {{"MESSAGE", "user unit only"}, {"_SYSTEMD_USER_UNIT", "b.service"}});
  const std::string dir = journal.build();

  EXPECT_EQ(walk(dir, kApplication),
            (std::vector<std::wstring>{L"text user unit only", L"text nobody",
                                       L"text user unit of root", L"text user 1000"}));
  EXPECT_EQ(walk(dir, kSystem), (std::vector<std::wstring>{
                                    L"text no identity", L"text kernel with a user", L"text kernel",
                                    L"text system user 999", L"text root daemon"}));
  EXPECT_TRUE(walk(dir, L"Select * from Win32_NTLogEvent where Logfile = 'Security'").empty());
  EXPECT_EQ(walk(dir, kSystem + L" ").size(), 5u) << "the date mode's query";
}

TEST(JournalEventSource, SplitsJournalsOfManyUserUnitsAlike) {
  test::JournalFixture journal;
  std::vector<std::wstring> application, system;
  for (int i = 0; i < 400; ++i) {
    const std::string unit = "app-" + std::to_string(i) + ".scope";
    if (i % 4 == 0) {
      journal.add(at(i), {{"MESSAGE", std::to_string(i)}, {"_UID", "0"}});
      system.insert(system.begin(), L"text " + std::to_wstring(i));
    } else {
      journal.add(at(i),
                  {{"MESSAGE", std::to_string(i)}, {"_UID", "0"}, {"_SYSTEMD_USER_UNIT", unit}});
      application.insert(application.begin(), L"text " + std::to_wstring(i));
    }
  }
  const std::string dir = journal.build();
  EXPECT_EQ(walk(dir, kApplication), application);
  EXPECT_EQ(walk(dir, kSystem), system);
}

TEST(JournalEventSource, AnApplicationLogWithoutEntriesIsEmpty) {
  test::JournalFixture journal;
  for (int i = 0; i < 5; ++i) journal.add(at(i), {{"MESSAGE", "system"}, {"_UID", "0"}});
  const std::string dir = journal.build();
  EXPECT_TRUE(walk(dir, kApplication).empty());
  EXPECT_EQ(walk(dir, kSystem).size(), 5u);
}

TEST(JournalEventSource, SpellsPrioritiesAsTheLanguageAndGenerationDo) {
  test::JournalFixture journal;
  for (int priority = 7; priority >= 0; --priority) {
    journal.add(at(7 - priority), {{"MESSAGE", "p"}, {"PRIORITY", std::to_string(priority)}});
  }
  journal.add(at(8), {{"MESSAGE", "no priority"}});
  journal.add(at(9), {{"MESSAGE", "odd priority"}, {"PRIORITY", "9"}});
  const std::string dir = journal.build();

  const struct {
    const wchar_t* language;
    Generation generation;
    std::vector<std::wstring> types;  // newest first: odd, none, then priorities 0 to 7
  } cases[] = {
      {L"English",
       Generation::Newer,
       {L"Information", L"Information", L"Critical", L"Critical", L"Critical", L"Error", L"Warning",
        L"Information", L"Information", L"Information"}},
      {L"English",
       Generation::Older,
       {L"information", L"information", L"error", L"error", L"error", L"error", L"warning",
        L"information", L"information", L"information"}},
      {L"German",
       Generation::Newer,
       {L"Informationen", L"Informationen", L"Kritisch", L"Kritisch", L"Kritisch", L"Fehler",
        L"Warnung", L"Informationen", L"Informationen", L"Informationen"}},
      {L"Dutch",
       Generation::Older,
       {L"Informatie", L"Informatie", L"Fout", L"Fout", L"Fout", L"Fout", L"Waarschuwing",
        L"Informatie", L"Informatie", L"Informatie"}},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> expected;
    for (const std::wstring& type : c.types) expected.push_back(L"text " + type);
    EXPECT_EQ(walk(dir, kSystem, L"Type", names(c.language, c.generation)), expected)
        << testing::PrintToString(std::wstring(c.language));
  }
}

TEST(JournalEventSource, ReadsEveryPropertyAndLeavesMissingFieldsMissing) {
  test::JournalFixture journal;
  journal.add(at(1), {{"MESSAGE", "full"},
                      {"PRIORITY", "3"},
                      {"SYSLOG_FACILITY", "4"},
                      {"MESSAGE_ID", "fc2e22bc6ee647b6b90729ab34a250b1"},
                      {"SYSLOG_IDENTIFIER", "sshd"},
                      {"_COMM", "sshd-comm"},
                      {"_SYSTEMD_UNIT", "ssh.service"}});
  journal.add(at(2), {{"MESSAGE", "comm"}, {"_COMM", "cron"}, {"_SYSTEMD_UNIT", "cron.service"}});
  journal.add(at(3), {{"MESSAGE", "unit"}, {"_SYSTEMD_UNIT", "cron.service"}});
  journal.add(at(4), {{"PRIORITY", "6"}});
  journal.add(at(5), {{"MESSAGE", ""}, {"SYSLOG_FACILITY", "x"}});
  const std::string dir = journal.build();

  EXPECT_EQ(
      walk(dir, kSystem, L"Message"),
      (std::vector<std::wstring>{L"text ", L"missing", L"text unit", L"text comm", L"text full"}));
  EXPECT_EQ(
      walk(dir, kSystem, L"Category"),
      (std::vector<std::wstring>{L"text x", L"missing", L"missing", L"missing", L"number 4"}));
  EXPECT_EQ(walk(dir, kSystem, L"EventCode"),
            (std::vector<std::wstring>{L"missing", L"missing", L"missing", L"missing",
                                       L"text fc2e22bc6ee647b6b90729ab34a250b1"}));
  EXPECT_EQ(walk(dir, kSystem, L"SourceName"),
            (std::vector<std::wstring>{L"missing", L"missing", L"text cron.service", L"text cron",
                                       L"text sshd"}));
  EXPECT_EQ(walk(dir, kSystem, L"sourcename").front(), L"missing") << "names in any letter case";
  EXPECT_THROW(walk(dir, kSystem, L"User"), RunTimeError);
}

TEST(JournalEventSource, KeepsLineBreaksAndCharactersOfTheMessage) {
  test::JournalFixture journal;
  journal.add(at(1), {{"MESSAGE", "Line one\r\nLine two\r\n"}});
  journal.add(at(2), {{"MESSAGE", "lone\nbreak"}});
  journal.add(at(3), {{"MESSAGE",
                       "Gr\xc3\xbc\xc3\x9f"
                       "e \xe2\x82\xac, bad \xff byte, \xf6\x80\xba\xb6 past Unicode"}});
  const std::string dir = journal.build();
  EXPECT_EQ(walk(dir, kSystem),
            (std::vector<std::wstring>{L"text Gr\u00fc\u00dfe \u20ac, bad \uFFFD byte, \uFFFD past Unicode",
                                       L"text lone\nbreak", L"text Line one\r\nLine two\r\n"}));
}

TEST(JournalEventSource, DeliversNewestFirstWhateverTheOrderOfWriting) {
  test::JournalFixture journal;
  for (int i = 0; i < 50; ++i) journal.add(at(i), {{"MESSAGE", std::to_string(i)}});
  const std::string dir = journal.build();
  std::vector<std::wstring> expected;
  for (int i = 49; i >= 0; --i) expected.push_back(L"text " + std::to_wstring(i));
  EXPECT_EQ(walk(dir, kSystem), expected);
}

TEST(JournalEventSource, TimeWrittenIsLocalTimeWithItsOffsetAcrossDaylightSaving) {
  const test::ScopedEnv env{{"TZ", "Europe/Berlin"}};
  test::JournalFixture journal;
  journal.add(test::utcMicroseconds(2021, 3, 28, 0, 59, 59) + 123456,
              {{"MESSAGE", "last of winter"}});
  journal.add(test::utcMicroseconds(2021, 3, 28, 1, 0, 0), {{"MESSAGE", "first of summer"}});
  journal.add(test::utcMicroseconds(2021, 10, 31, 0, 30, 0), {{"MESSAGE", "first 02:30"}});
  journal.add(test::utcMicroseconds(2021, 10, 31, 1, 30, 0) + 1, {{"MESSAGE", "second 02:30"}});
  journal.add(test::utcMicroseconds(2021, 12, 31, 23, 59, 59), {{"MESSAGE", "new year in Berlin"}});
  const std::string dir = journal.build();
  EXPECT_EQ(walk(dir, kSystem, L"TimeWritten"),
            (std::vector<std::wstring>{
                L"text 20220101005959.000000+060", L"text 20211031023000.000001+060",
                L"text 20211031023000.000000+120", L"text 20210328030000.000000+120",
                L"text 20210328015959.123456+060"}));
  const test::ScopedEnv west{{"TZ", "America/New_York"}};
  EXPECT_EQ(walk(dir, kSystem, L"TimeWritten").front(), L"text 20211231185959.000000-300");
}

TEST(JournalObjects, OpeningTheJournalAgainOnTheWayLosesAndRepeatsNoEntry) {
  test::JournalFixture mixed;
  test::JournalFixture systemOnly;
  std::vector<std::wstring> application, system, all;
  for (int i = 0; i < 40; ++i) {
    const std::string uid = i % 3 == 0 ? "1000" : "0";
    mixed.add(at(i), {{"MESSAGE", std::to_string(i)}, {"_UID", uid}});
    systemOnly.add(at(i), {{"MESSAGE", std::to_string(i)}, {"_UID", "0"}});
    (i % 3 == 0 ? application : system)
        .insert((i % 3 == 0 ? application : system).begin(), L"text " + std::to_wstring(i));
    all.insert(all.begin(), L"text " + std::to_wstring(i));
  }
  const struct {
    std::string dir;
    LogName log;
    const std::vector<std::wstring>& expected;
  } cases[] = {{mixed.build(), LogName::System, system},
               {mixed.dir(), LogName::Application, application},
               {systemOnly.build(), LogName::System, all}};
  for (const auto& c : cases) {
    for (long every : {1L, 2L, 3L, 7L, 1000L}) {
      JournalFiles files(c.dir);
      JournalObjects objects(files, c.log, kEnglish, {}, every);
      std::vector<std::wstring> messages;
      while (objects.next()) messages.push_back(shown(objects.property(L"Message")));
      EXPECT_EQ(messages, c.expected) << "opened again every " << every << " entries";
    }
  }
}

// Marks a log and walks it after a saved cursor: where the journal's files are added,
// removed and written with a clock set back between two runs.
TEST(JournalEventSource, ABookmarksCursorMarksWhatBecameOfTheLogAndWhatIsNew) {
  using Steps = std::vector<std::function<void(test::JournalFixture&)>>;
  const auto system = [](int from, int to, const char* boot = "11111111111111111111111111111111") {
    return [=](test::JournalFixture& journal) {
      for (int i = from; i <= to; ++i) {
        journal.add(at(i), {{"MESSAGE", std::to_string(i)}, {"_UID", "0"}, {"_BOOT_ID", boot}});
      }
    };
  };
  const auto application = [](int i) {
    return [=](test::JournalFixture& journal) { journal.add(at(i), {{"MESSAGE", std::to_string(i)}, {"_UID", "1000"}}); };
  };
  const auto build = [](test::JournalFixture& journal) { journal.build(); };
  const auto removeFirst = [](test::JournalFixture& journal) {
    std::filesystem::remove(std::filesystem::path(journal.dir()) / "x1.journal");
  };
  const struct {
    const char* name;
    std::wstring query;
    Steps before;   // the journal of the first run
    Steps between;  // what becomes of it until the second
    SinceSaved since;
    std::vector<std::wstring> after;  // walked after the first run's cursor, newest first
  } cases[] = {
      {"new entries in a new file", kSystem, {system(0, 9), application(10), build},
       {system(11, 12), application(13), build}, SinceSaved::Continues, {L"text 12", L"text 11"}},
      {"nothing new", kSystem, {system(0, 9), build}, {}, SinceSaved::Continues, {}},
      {"the Application log's own cursor", kApplication, {application(1), system(2, 4), build},
       {system(5, 5), application(6), build}, SinceSaved::Continues, {L"text 6"}},
      {"the cursor's file removed", kSystem, {system(0, 4), build}, {system(5, 7), build, removeFirst},
       SinceSaved::Overwritten, {L"text 7", L"text 6", L"text 5"}},
      {"removed, and older entries written since", kSystem, {system(10, 19), build},
       {removeFirst, system(0, 2), build}, SinceSaved::Cleared, {}},
      // A machine without a real-time clock: a boot that started before the last one did.
      {"a clock set back at boot", kSystem,
       {system(30, 32), system(10, 11, "22222222222222222222222222222222"), build},
       {system(12, 13, "22222222222222222222222222222222"), build}, SinceSaved::Continues,
       {L"text 13", L"text 12"}},
  };
  for (const auto& c : cases) {
    test::JournalFixture journal;
    for (const auto& step : c.before) step(journal);
    const LogMark first = JournalEventSource(kEnglish, journal.dir()).connect()->mark(c.query, std::nullopt);
    ASSERT_TRUE(first.newest) << c.name;
    EXPECT_EQ(first.since, SinceSaved::Continues) << c.name;
    for (const auto& step : c.between) step(journal);

    JournalEventSource source(kEnglish, journal.dir());
    const auto service = source.connect();
    const LogMark second = service->mark(c.query, first.newest);
    EXPECT_EQ(second.since, c.since) << c.name;
    EXPECT_EQ(second.newest == first.newest, c.after.empty() && c.since == SinceSaved::Continues) << c.name;
    const auto objects = service->ExecQuery(c.query, {std::nullopt, std::nullopt, first.newest});
    std::vector<std::wstring> after;
    while (objects->next()) after.push_back(shown(objects->property(L"Message")));
    EXPECT_EQ(after, c.after) << c.name;
  }
  // Positions that are no cursor of this journal count as cleared.
  test::JournalFixture journal;
  system(0, 1)(journal);
  JournalEventSource source(kEnglish, journal.build());
  const auto service = source.connect();
  for (const wchar_t* position : {L"4711", L"s=1;i=2", L"t=zz", L"t=1;b=\u00e9"}) {
    EXPECT_EQ(service->mark(kSystem, LogPosition(position)).since, SinceSaved::Cleared) << position;
  }
}

TEST(LinuxSystem, ReadsTheJournalOfBraskJournalDir) {
  test::JournalFixture journal;
  journal.add(at(1), {{"MESSAGE", "from the directory"}, {"PRIORITY", "2"}});
  const test::ScopedEnv env{{"BRASK_JOURNAL_DIR", journal.build()}};
  LinuxSystem system(names(L"Italian", Generation::Newer));
  auto objects = system.events().connect()->ExecQuery(kSystem, {});
  ASSERT_TRUE(objects->next());
  EXPECT_EQ(shown(objects->property(L"Message")), L"text from the directory");
  EXPECT_EQ(shown(objects->property(L"Type")), L"text Critico");
  EXPECT_FALSE(objects->next());
}

TEST(JournalEventSource, FailuresAreRunTimeErrors) {
  JournalEventSource source(kEnglish, "/nonexistent/brask/journal");
  auto service = source.connect();
  try {
    service->ExecQuery(kSystem, {});
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0);
    EXPECT_EQ(error.action(), L"Opening the journal in /nonexistent/brask/journal");
  }
  EXPECT_THROW(service->ExecQuery(L"Select everything", {}), RunTimeError);
}

}  // namespace
}  // namespace brask
