// What a listing wants, asked of the journal: priority matches and a walk that starts at
// a time. Whatever the journal leaves out, every entry the listing keeps is delivered, in
// the order of the whole walk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "journal_fixture.h"
#include "platform/event_log/file_time.h"
#include "platform/linux/journal/journal_computers.h"
#include "platform/linux/journal/journal_event_source.h"
#include "platform/linux/journal/journal_hosts.h"
#include "platform/linux/journal/journal_mapping.h"
#include "platform/linux/journal/journal_objects.h"
#include "platform/run_time_error.h"
#include "scoped_env.h"
#include "utc_time.h"

namespace brask {
namespace {

const std::wstring kQuery = L"Select * from Win32_NTLogEvent where Logfile = ";

EventTypeNames names(const wchar_t* language, Generation generation) {
  return *eventTypeNames(language, generation);
}

// One delivered event: its Type, TimeWritten and Message.
struct Delivered {
  std::wstring type;
  std::wstring time;
  std::wstring message;
  friend bool operator==(const Delivered&, const Delivered&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Delivered& d) {
    return out << testing::PrintToString(d.type + L" " + d.time + L" " + d.message);
  }
};

std::wstring textOf(const PropertyValue& value) {
  const auto* text = std::get_if<std::wstring>(&value);
  return text ? *text : L"(missing)";
}

std::vector<Delivered> walk(EventSource& source, const wchar_t* log, const EventsWanted& wanted) {
  auto objects = source.connect()->ExecQuery(kQuery + log, wanted);
  std::vector<Delivered> delivered;
  while (objects->next()) {
    delivered.push_back({textOf(objects->property(L"Type")), textOf(objects->property(L"TimeWritten")),
                         textOf(objects->property(L"Message"))});
  }
  return delivered;
}

std::vector<Delivered> walk(const std::string& dir, const wchar_t* log, const EventTypeNames& spelling,
                            const EventsWanted& wanted) {
  JournalEventSource source(spelling, dir);
  return walk(source, log, wanted);
}

// yyyymmddHHMMSS of a date-time, as TimeWritten starts.
std::wstring digits(const DateTime& at) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%04d%02d%02d%02d%02d%02d", at.year, at.month, at.day, at.hour, at.minute, at.second);
  return text;
}

// What a listing keeps of the whole walk: its type, and written before the bound.
std::vector<Delivered> kept(const std::vector<Delivered>& all, const EventsWanted& wanted) {
  std::vector<Delivered> result;
  for (const Delivered& d : all) {
    if (wanted.type && d.type != *wanted.type) continue;
    if (wanted.writtenBefore && !(d.time.substr(0, 14) < digits(*wanted.writtenBefore))) continue;
    result.push_back(d);
  }
  return result;
}

// The listing's view of a walk: the whole walk filtered as the listing filters, against
// the walk that was told what the listing wants, filtered alike.
void expectSameKept(const std::string& dir, const wchar_t* log, const EventTypeNames& spelling,
                    const EventsWanted& wanted, const std::string& what) {
  const auto all = walk(dir, log, spelling, {});
  const auto told = walk(dir, log, spelling, wanted);
  EXPECT_EQ(kept(told, wanted), kept(all, wanted)) << what;
  EXPECT_LE(told.size(), all.size()) << what;
}

std::uint64_t at(int day, int hour, int minute = 0) { return test::utcMicroseconds(2021, 3, day, hour, minute, 0); }

TEST(JournalSelection, PrioritiesAreTheInverseOfTheSpelling) {
  const auto english = names(L"English", Generation::Newer);
  const auto older = names(L"English", Generation::Older);
  const auto german = names(L"German", Generation::Newer);
  const struct {
    const EventTypeNames& spelling;
    const wchar_t* type;
    std::optional<std::vector<int>> priorities;
    std::vector<int> skipped;  // as the entries are read
  } cases[] = {
      {english, L"Critical", std::vector{0, 1, 2}, {}},
      {english, L"Error", std::vector{3}, {}},
      {english, L"Warning", std::vector{4}, {}},
      {english, L"Information", std::nullopt, {0, 1, 2, 3, 4}},  // also entries without a priority
      {english, L"error", std::vector<int>{}, {}},  // no entry is spelled so
      {older, L"error", std::vector{0, 1, 2, 3}, {}},
      {older, L"Critical", std::vector<int>{}, {}},
      {older, L"information", std::nullopt, {0, 1, 2, 3, 4}},
      {german, L"Kritisch", std::vector{0, 1, 2}, {}},
      {german, L"Warnung", std::vector{4}, {}},
  };
  for (const auto& c : cases) {
    const JournalSelection selection = selectionFor({c.type, std::nullopt}, c.spelling);
    EXPECT_EQ(selection.priorities, c.priorities) << testing::PrintToString(std::wstring(c.type));
    EXPECT_EQ(selection.skipped, c.skipped) << testing::PrintToString(std::wstring(c.type));
    EXPECT_EQ(selection.writtenBefore, std::nullopt);
  }
  EXPECT_EQ(selectionFor({}, english).priorities, std::nullopt) << "every type wanted";
  EXPECT_TRUE(selectionFor({}, english).skipped.empty()) << "every type wanted";
  EXPECT_EQ(selectionFor({L"Error", DateTime{2021, 3, 2}}, english).writtenBefore, (DateTime{2021, 3, 2}));
}

// The walk starts a day after the bound read as UTC, and takes what is a day before it as
// before the bound without asking the time zone.
TEST(JournalSelection, TheWalkStartsADayAfterTheBound) {
  // Against the C library's calendar, over days of every month and the turn of years.
  constexpr std::uint64_t kDay = 86400ULL * 1000000;
  for (int year : {1970, 2000, 2021, 2024, 2100}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 15, daysInMonth(year, month)}) {
        const DateTime bound{year, month, day, 23, 59, 59};
        const DateTime next = nextMidnight(bound);
        const std::uint64_t asUtc = test::utcMicroseconds(year, month, day, 23, 59, 59);
        EXPECT_EQ(utcBoundOf(bound), test::utcMicroseconds(next.year, next.month, next.day, 23, 59, 59))
            << year << "-" << month << "-" << day;
        EXPECT_EQ(utcSurelyBefore(bound), asUtc > kDay ? asUtc - kDay : 0) << year << "-" << month << "-" << day;
      }
    }
  }
  EXPECT_EQ(utcBoundOf({1900, 1, 1}), 0u) << "before 1970: the start of the journal";
  EXPECT_EQ(utcSurelyBefore({1970, 1, 2}), 0u) << "a day after 1970 began";
}

// Entries of every priority, of both logs, over six days, with the fields a journal may
// hold wrongly: no PRIORITY, one that is not a priority, two of them.
std::string mixedJournal(test::JournalFixture& journal) {
  const std::vector<std::vector<std::pair<std::string, std::string>>> priorities = {
      {{"PRIORITY", "0"}}, {{"PRIORITY", "1"}}, {{"PRIORITY", "2"}}, {{"PRIORITY", "3"}},
      {{"PRIORITY", "4"}}, {{"PRIORITY", "5"}}, {{"PRIORITY", "6"}}, {{"PRIORITY", "7"}},
      {},                  {{"PRIORITY", "x"}}, {{"PRIORITY", "03"}}, {{"PRIORITY", "6"}, {"PRIORITY", "3"}},
      {{"PRIORITY", "3"}, {"PRIORITY", "6"}}};
  int n = 0;
  for (int day = 1; day <= 6; ++day) {
    for (int hour = 0; hour < 24; hour += 5) {
      for (const auto& priority : priorities) {
        test::Fields fields = priority;
        fields.emplace_back("MESSAGE", std::to_string(n));
        fields.emplace_back("_UID", n % 3 == 0 ? "1000" : "0");
        journal.add(at(day, hour, n++ % 60), fields);
      }
    }
  }
  return journal.build();
}

TEST(JournalSelection, DeliversEveryEntryOfTheWantedTypeInEveryLanguageAndGeneration) {
  test::JournalFixture journal;
  const std::string dir = mixedJournal(journal);
  for (const wchar_t* language : {L"English", L"German", L"French", L"Dutch", L"Italian"}) {
    for (Generation generation : {Generation::Newer, Generation::Older}) {
      const EventTypeNames spelling = names(language, generation);
      std::vector<std::wstring> types{spelling.error, spelling.information, spelling.warning, L"Critical", L"error"};
      if (spelling.critical) types.push_back(*spelling.critical);
      for (const wchar_t* log : {L"'System'", L"'Application'"}) {
        for (const std::wstring& type : types) {
          const EventsWanted wanted{type, std::nullopt};
          expectSameKept(dir, log, spelling, wanted, testing::PrintToString(type + L" " + log));
          for (const Delivered& d : walk(dir, log, spelling, wanted)) EXPECT_EQ(d.type, type) << d;
        }
      }
    }
  }
}

TEST(JournalSelection, StartsAtTheBoundInEveryTimeZone) {
  test::JournalFixture journal;
  const std::string dir = mixedJournal(journal);
  const auto english = names(L"English", Generation::Newer);
  for (const char* zone : {"UTC", "Pacific/Kiritimati", "Etc/GMT+12", "Europe/Berlin", "America/New_York"}) {
    const test::ScopedEnv env{{"TZ", zone}};
    for (int day = 1; day <= 8; ++day) {
      for (const wchar_t* type : {L"Error", L"Information", L"Critical"}) {
        const EventsWanted wanted{type, DateTime{2021, 3, day}};
        expectSameKept(dir, L"'System' ", english, wanted,
                       std::string(zone) + " before " + std::to_string(day) + " March");
        for (const Delivered& d : walk(dir, L"'System' ", english, wanted)) {
          EXPECT_LT(d.time.substr(0, 14), digits(*wanted.writtenBefore)) << zone << " " << d;
        }
      }
    }
  }
}

TEST(JournalSelection, ADaylightSavingChangeAtTheBound) {
  // In Berlin, 28 March 2021 has 23 hours; entries on either side of its midnights.
  const test::ScopedEnv env{{"TZ", "Europe/Berlin"}};
  test::JournalFixture journal;
  for (int minute = 0; minute < 24 * 60 * 3; minute += 17) {
    journal.add(test::utcMicroseconds(2021, 3, 27, 0, 0, 0) + std::uint64_t(minute) * 60000000,
                {{"PRIORITY", "3"}, {"MESSAGE", std::to_string(minute)}});
  }
  const std::string dir = journal.build();
  const auto english = names(L"English", Generation::Newer);
  for (int day : {27, 28, 29, 30}) {
    expectSameKept(dir, L"'System' ", english, {L"Error", DateTime{2021, 3, day}}, "day " + std::to_string(day));
  }
}

TEST(JournalSelection, EntriesOutOfTimeOrderByLessThanADay) {
  test::JournalFixture journal;
  // Written in this order: the clock went back by hours now and then.
  const int hours[] = {0, 5, 3, 9, 20, 14, 30, 26, 27, 40, 35, 48, 44, 60, 55, 70};
  int n = 0;
  for (int hour : hours) {
    journal.add(test::utcMicroseconds(2021, 3, 1, 0, 0, 0) + std::uint64_t(hour) * 3600000000,
                {{"PRIORITY", n % 2 ? "3" : "4"}, {"MESSAGE", std::to_string(n)}});
    ++n;
  }
  const std::string dir = journal.build();
  const auto english = names(L"English", Generation::Newer);
  for (int day = 1; day <= 5; ++day) {
    for (const wchar_t* type : {L"Error", L"Warning"}) {
      expectSameKept(dir, L"'System' ", english, {type, DateTime{2021, 3, day}}, "day " + std::to_string(day));
    }
  }
}

TEST(JournalSelection, BootsThatAllStartAtTheSameTime) {
  // A machine without a real-time clock: three boots of three days, each starting on
  // 1 March at midnight, so that the journal runs back in time twice. Written once into one
  // file, once a file a boot, once into two files that each hold parts of two boots.
  const char* boots[] = {"11111111111111111111111111111111", "22222222222222222222222222222222",
                         "33333333333333333333333333333333"};
  const auto english = names(L"English", Generation::Newer);
  for (const std::string split : {"one file", "a file a boot", "two files"}) {
    test::JournalFixture journal;
    std::set<std::wstring> system;
    for (int boot = 0; boot < 3; ++boot) {
      for (int hour = 0; hour < 72; hour += 2) {
        const int n = boot * 100 + hour;
        journal.add(at(1, hour), {{"_BOOT_ID", boots[boot]},
                                  {"PRIORITY", std::to_string(n % 5 + 2)},
                                  {"_UID", n % 3 == 0 ? "1000" : "0"},
                                  {"MESSAGE", std::to_string(n)}});
        if (n % 3 != 0) system.insert(std::to_wstring(n));
        if ((split == "a file a boot" && hour == 70) || (split == "two files" && boot == 1 && hour == 36)) journal.build();
      }
    }
    const std::string dir = journal.build();
    std::multiset<std::wstring> walked;
    for (const Delivered& d : walk(dir, L"'System'", english, {})) walked.insert(d.message);
    EXPECT_EQ(walked, std::multiset<std::wstring>(system.begin(), system.end())) << split << ": every entry once";
    for (const wchar_t* type : {L"Critical", L"Error", L"Warning", L"Information"}) {
      expectSameKept(dir, L"'System'", english, {type, std::nullopt}, split);
      for (int day = 1; day <= 5; ++day) {
        expectSameKept(dir, L"'System' ", english, {type, DateTime{2021, 3, day}}, split + " before day " + std::to_string(day));
      }
    }
  }
}

// A folder is read as journalctl --directory reads it: its own journal files and those of
// its subfolders named by a machine ID, as /var/log/journal holds them; one without any
// journal file is refused.
TEST(JournalSelection, ReadsAFolderAsJournalctlDoes) {
  namespace fs = std::filesystem;
  test::JournalFixture journal;
  journal.add(at(1, 1), {{"MESSAGE", "in a machine's folder"}});
  const fs::path dir = journal.build();
  fs::create_directories(dir / "0123456789abcdef0123456789abcdef");
  fs::rename(dir / "x1.journal", dir / "0123456789abcdef0123456789abcdef" / "system.journal");
  journal.add(at(1, 2), {{"MESSAGE", "in the folder"}});
  journal.build();
  fs::create_directories(dir / "archive");
  fs::copy_file(dir / "x2.journal", dir / "archive" / "x3.journal");
  const auto english = names(L"English", Generation::Newer);
  std::vector<std::wstring> messages;
  for (const Delivered& d : walk(dir, L"'System'", english, {})) messages.push_back(d.message);
  EXPECT_EQ(messages, (std::vector<std::wstring>{L"in the folder", L"in a machine's folder"}));

  const test::JournalFixture empty;
  fs::create_directories(empty.dir());
  const test::JournalFixture others;
  fs::create_directories(fs::path(others.dir()) / "0123456789abcdef0123456789abcdef");
  std::ofstream(fs::path(others.dir()) / "notes.txt") << "no journal\n";
  std::ofstream(fs::path(others.dir()) / "x.journal.bak") << "no journal\n";
  for (const std::string& folder : {empty.dir(), others.dir()}) {
    try {
      walk(folder, L"'System'", english, {});
      ADD_FAILURE() << folder << ": no error";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.action(), L"Opening the journal in " + std::wstring(folder.begin(), folder.end()));
      EXPECT_EQ(error.description(), L"No journal files were found") << folder;
    }
  }
}

TEST(JournalSelection, OpeningTheJournalAgainKeepsTheSelection) {
  test::JournalFixture journal;
  const std::string dir = mixedJournal(journal);
  const auto english = names(L"English", Generation::Newer);
  for (LogName log : {LogName::System, LogName::Application}) {
    for (const EventsWanted& wanted : {EventsWanted{L"Error", DateTime{2021, 3, 4}}, EventsWanted{L"Critical", std::nullopt}}) {
      std::vector<std::wstring> once;
      for (long every : {100000L, 1L, 2L, 3L, 7L}) {
        JournalFiles files(dir);
        JournalObjects objects(files, log, english, selectionFor(wanted, english), every);
        std::vector<std::wstring> messages;
        while (objects.next()) messages.push_back(textOf(objects.property(L"Message")));
        if (once.empty()) once = messages;
        EXPECT_FALSE(messages.empty());
        EXPECT_EQ(messages, once) << "opened again every " << every << " entries";
      }
    }
  }
}

TEST(JournalFiles, FilesOfOneDirectoryAreMergedNewestFirst) {
  // Two files side by side, their times interleaved, and a rotated file older than both;
  // a file that is no journal is passed over.
  test::JournalFixture journal;
  for (int hour : {1, 2}) journal.add(at(1, hour), {{"MESSAGE", "old " + std::to_string(hour)}, {"PRIORITY", "3"}});
  journal.build();
  for (int hour : {10, 12, 14}) journal.add(at(2, hour), {{"MESSAGE", "system " + std::to_string(hour)}, {"PRIORITY", "3"}});
  journal.build();
  for (int hour : {11, 13, 15}) {
    journal.add(at(2, hour), {{"MESSAGE", "other " + std::to_string(hour)}, {"PRIORITY", "3"}});
    journal.add(at(2, hour) + 1, {{"MESSAGE", "user " + std::to_string(hour)}, {"PRIORITY", "3"}, {"_UID", "1000"}});
  }
  const std::string dir = journal.build();
  std::ofstream(dir + "/broken.journal") << "not a journal";
  std::filesystem::create_directory(dir + "/empty.journal~");

  const auto english = names(L"English", Generation::Newer);
  const auto messages = [&](const wchar_t* log, const EventsWanted& wanted) {
    std::vector<std::wstring> found;
    for (const Delivered& d : walk(dir, log, english, wanted)) found.push_back(d.message);
    return found;
  };
  EXPECT_EQ(messages(L"'System'", {}),
            (std::vector<std::wstring>{L"other 15", L"system 14", L"other 13", L"system 12", L"other 11",
                                       L"system 10", L"old 2", L"old 1"}));
  EXPECT_EQ(messages(L"'Application'", {L"Error", std::nullopt}),
            (std::vector<std::wstring>{L"user 15", L"user 13", L"user 11"}));
  EXPECT_EQ(messages(L"'System' ", {L"Error", DateTime{2021, 3, 2}}), (std::vector<std::wstring>{L"old 2", L"old 1"}));
  const test::ScopedEnv env{{"TZ", "UTC"}};
  JournalFiles files(dir);
  JournalObjects all(files, LogName::System, english, {}, 1);
  std::vector<std::wstring> times;
  while (all.next()) times.push_back(textOf(all.property(L"TimeWritten")).substr(0, 12));
  EXPECT_EQ(times, (std::vector<std::wstring>{L"202103021500", L"202103021400", L"202103021300", L"202103021200",
                                              L"202103021100", L"202103021000", L"202103010200", L"202103010100"}))
      << "files opened again after every entry";
}

// A folder as systemd-journal-remote leaves it for three machines: a file for one, whose
// machine ID changed and whose host name is spelled two ways; a file for the others and
// for entries without a host name; a file whose boots overlap in time, walked entry by
// entry. Each computer's walk is the whole walk's entries of its host name, in order.
TEST(JournalComputers, EachHostsWalkIsTheWholeWalkOfItsEntries) {
  const struct {
    const char* host;   // nullptr: none
    const char* group;  // the computer it belongs to, which starts its messages
  } hosts[] = {{"alpha", "alpha"}, {"ALPHA", "alpha"}, {"beta", "beta"}, {"gamma.", "gamma."}, {nullptr, "-"}};
  test::JournalFixture journal;
  int n = 0;
  const auto add = [&](std::uint64_t time, int host, const char* boot) {
    test::Fields fields{{"PRIORITY", std::to_string(n % 4 + 2)},
                        {"_UID", n % 3 == 0 ? "1000" : "0"},
                        {"_MACHINE_ID", n % 2 ? "0123456789abcdef0123456789abcdef" : "fedcba9876543210fedcba9876543210"},
                        {"_BOOT_ID", boot},
                        {"MESSAGE", std::string(hosts[host].group) + " " + std::to_string(n++)}};
    if (hosts[host].host) fields.emplace_back("_HOSTNAME", hosts[host].host);
    journal.add(time, fields);
  };
  for (int hour = 0; hour < 48; hour += 3) add(at(1, hour), hour % 2, "11111111111111111111111111111111");
  journal.build();
  for (int hour = 1; hour < 48; hour += 2) add(at(1, hour), 2 + hour % 3, "22222222222222222222222222222222");
  journal.build();
  for (const char* boot : {"33333333333333333333333333333333", "44444444444444444444444444444444"}) {
    for (int hour = 0; hour < 30; hour += 5) add(at(2, hour, 30), hour / 5 % 5, boot);
  }
  const std::string dir = journal.build();

  const auto english = names(L"English", Generation::Newer);
  JournalComputers computers(english, dir);
  const std::optional<GatheredComputers> gathered = computers.gathered();
  ASSERT_TRUE(gathered);
  EXPECT_EQ(gathered->names, (std::vector<std::wstring>{L"alpha", L"beta", L"gamma.", kNoHostName}));
  EXPECT_EQ(gathered->where, std::wstring(dir.begin(), dir.end()));
  EXPECT_FALSE(gathered->collector);
  const std::pair<std::wstring, std::wstring> groups[] = {
      {L"Alpha", L"alpha"}, {L"beta", L"beta"}, {L"GAMMA", L"gamma."}, {kNoHostName, L"-"}};
  for (const wchar_t* log : {L"'System'", L"'Application'", L"'System' "}) {
    for (const EventsWanted& wanted : {EventsWanted{}, EventsWanted{L"Error", std::nullopt},
                                       EventsWanted{L"Information", DateTime{2021, 3, 2}}}) {
      const std::vector<Delivered> all = walk(dir, log, english, wanted);
      std::size_t walked = 0;
      for (const auto& [name, group] : groups) {
        std::vector<Delivered> expected;
        std::copy_if(all.begin(), all.end(), std::back_inserter(expected),
                     [&group](const Delivered& d) { return d.message.starts_with(group + L" "); });
        const std::unique_ptr<EventSource> source = computers.computer(name);
        EXPECT_EQ(walk(*source, log, wanted), expected) << testing::PrintToString(name + L" " + log);
        walked += expected.size();
      }
      EXPECT_EQ(walked, all.size()) << "every entry in one computer";
    }
  }
}

// Which computers a journal folder gathers: its host names, and the entries without one
// only beside two host names or more; nothing when the journal cannot be read.
TEST(JournalComputers, GathersHostNames) {
  const struct {
    const char* what;
    std::vector<std::vector<const char*>> files;  // the host name of each entry, "" for none
    std::optional<std::vector<std::wstring>> names;
  } cases[] = {
      {"one host, entries without one", {{"fedora", "", "Fedora"}}, std::vector<std::wstring>{L"fedora"}},
      {"two hosts, every entry named", {{"b", "a"}, {"A"}}, std::vector<std::wstring>{L"a", L"b"}},
      {"a file without host names", {{"a"}, {"", ""}, {"b"}}, std::vector<std::wstring>{L"a", L"b", kNoHostName}},
      {"no host names", {{"", ""}}, std::vector<std::wstring>{}},
      {"no journal", {}, std::nullopt},
  };
  const auto english = names(L"English", Generation::Newer);
  for (const auto& c : cases) {
    test::JournalFixture journal;
    for (const auto& file : c.files) {
      for (const char* host : file) {
        test::Fields fields{{"MESSAGE", "m"}};
        if (*host != '\0') fields.emplace_back("_HOSTNAME", host);
        journal.add(at(1, 1), fields);
      }
      journal.build();
    }
    const std::optional<GatheredComputers> gathered = JournalComputers(english, journal.dir()).gathered();
    EXPECT_EQ(gathered ? std::optional(gathered->names) : std::nullopt, c.names) << c.what;
  }
}

// A file that the user may not read is the host that systemd-journal-remote named it
// after, archived or not, and may hold no other host's entries; a file named otherwise may
// hold any host's.
TEST(JournalHosts, FilesNamedAfterTheirHost) {
  const struct {
    const char* path;
    std::optional<std::wstring> host;
    bool ofWeb01, ofNone;  // may hold web01's entries, entries without a host name
  } cases[] = {
      {"/var/log/journal/remote/remote-web01.journal", L"web01", true, false},
      {"remote-WEB01@0123456789abcdef0123456789abcdef-0000000000000001-0005f0.journal", L"WEB01", true, false},
      {"remote-web01.example.journal~", L"web01.example", false, false},
      {"remote-10.0.0.7.journal", L"10.0.0.7", false, false},
      {"/x/system@0123-45.journal", std::nullopt, true, true},
      {"remote-.journal", std::nullopt, true, true},
      {"remote-web01.journal.bak", std::nullopt, true, true},
  };
  WideDecoder utf8("UTF-8");
  for (const auto& c : cases) {
    EXPECT_EQ(hostOfFileName(c.path, utf8), c.host) << c.path;
    EXPECT_EQ(mayHoldChoice(c.path, HostChoice{L"web01"}, utf8), c.ofWeb01) << c.path;
    EXPECT_EQ(mayHoldChoice(c.path, HostChoice{std::nullopt}, utf8), c.ofNone) << c.path;
  }
}

}  // namespace
}  // namespace brask
