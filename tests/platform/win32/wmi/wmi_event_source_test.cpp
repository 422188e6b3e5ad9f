// WMI under Wine: it answers queries, but its event logs hold no rows, so the event query
// is checked for running cleanly, on any thread, and the property reader on a class that
// has rows, through root\cimv2 and through \\NAME\root\cimv2 with this computer's name,
// which Wine serves as itself; any other computer's name it refuses. Then other computers'
// event logs over the in-process double of WMI (wmi_double.h), under TZ=America/New_York:
// their rows in this computer's spelling and zone, one connection for all their queries,
// every call bounded, and where their logs stand.
#include "platform/win32/wmi/wmi_event_source.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes/event_lines.h"
#include "platform/event_log/record_marks.h"
#include "platform/run_time_error.h"
#include "reading_thread.h"
#include "wmi_double.h"

namespace brask {
namespace {

const EventTypeNames kEnglish = *eventTypeNames(L"English", Generation::Newer);

// Reads a property, turning a run-time error into a failure that says what it was.
PropertyValue read(EventObjects& objects, const wchar_t* name) {
  try {
    return objects.property(name);
  } catch (const RunTimeError& error) {
    ADD_FAILURE() << "reading " << std::string(name, name + wcslen(name)) << ": error " << std::hex
                  << error.code();
    return {};
  }
}

// This computer's NetBIOS name.
std::wstring thisComputer() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

// Each log's event query walked to its end; what went wrong, else nothing.
std::string walkEachLog() {
  try {
    WmiEventSource source(kEnglish);
    for (const wchar_t* log : {L"'Application'", L"'System'", L"'Application' ", L"'System' "}) {
      auto service = source.connect();
      auto events =
          service->ExecQuery(std::wstring(L"Select * from Win32_NTLogEvent where Logfile = ") + log, {});
      int count = 0;
      while (events->next() && count < 100000) ++count;
      if (events->next()) return "the walk does not end";
    }
    return {};
  } catch (const RunTimeError& error) {
    return "error " + std::to_string(error.code());
  }
}

DWORD WINAPI walkOnThisThread(LPVOID outcome) {
  *static_cast<std::string*>(outcome) = walkEachLog();
  return 0;
}

// COM is the calling thread's: a second thread initialises its own.
TEST(WmiEventSource, TheEventQueryOfEachLogRunsAndIsWalkedToItsEndOnAnyThread) {
  EXPECT_EQ(walkEachLog(), "");
  std::string outcome = "not run";
  const HANDLE thread = CreateThread(nullptr, 0, walkOnThisThread, &outcome, 0, nullptr);
  ASSERT_TRUE(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(outcome, "") << "on a thread of its own";
}

TEST(WmiEventSource, PropertiesAreReadByNameAsTextNumbersOrMissing) {
  ASSERT_FALSE(thisComputer().empty());
  for (const std::wstring& computer : {std::wstring(), thisComputer()}) {
    SCOPED_TRACE(std::string(computer.begin(), computer.end()));
    WmiEventSource source(kEnglish, computer);
    auto service = source.connect();
    auto systems = service->ExecQuery(L"Select * from Win32_OperatingSystem", {});
    ASSERT_TRUE(systems->next());

    const PropertyValue caption = read(*systems, L"Caption");
    ASSERT_TRUE(std::holds_alternative<std::wstring>(caption));
    EXPECT_NE(std::get<std::wstring>(caption).find(L"Windows"), std::wstring::npos);
    const PropertyValue build = read(*systems, L"BuildNumber");
    ASSERT_TRUE(std::holds_alternative<std::wstring>(build));
    EXPECT_FALSE(std::get<std::wstring>(build).empty());

    const struct {
      const wchar_t* name;
      std::int64_t value;
    } numbers[] = {
        {L"OSType", 18},        // WINNT
        {L"ProductType", 1},    // a workstation
        {L"OSLanguage", 1033},  // English (United States), an unsigned 32-bit value
    };
    for (const auto& n : numbers) {
      EXPECT_EQ(read(*systems, n.name), PropertyValue{n.value})
          << std::string(n.name, n.name + wcslen(n.name));
    }
    EXPECT_FALSE(systems->next()) << "one operating system";

    // Wine leaves no property of the operating system null, but this one of the BIOS.
    auto bios = service->ExecQuery(L"Select * from Win32_BIOS", {});
    ASSERT_TRUE(bios->next());
    EXPECT_EQ(read(*bios, L"IdentificationCode"), PropertyValue{});
  }
}

TEST(WmiEventSource, FailuresAreRunTimeErrorsWithTheHresultAndWmisText) {
  WmiEventSource source(kEnglish);
  auto service = source.connect();
  auto systems = service->ExecQuery(L"Select * from Win32_OperatingSystem", {});
  ASSERT_TRUE(systems->next());
  try {
    systems->property(L"NoSuchProperty");
    ADD_FAILURE() << "an unknown property was read";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(static_cast<unsigned long>(error.code()), 0x80041002UL);  // WBEM_E_NOT_FOUND
    EXPECT_EQ(error.action(), L"Reading the property NoSuchProperty");
    EXPECT_NE(error.description(), L"Unknown error");
  }

  try {
    auto bad = service->ExecQuery(L"Select * from", {});
    bad->next();
    ADD_FAILURE() << "a broken query ran";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0);
    EXPECT_FALSE(error.description().empty());
  }

  // Another computer's namespace, which Wine's WMI does not reach.
  try {
    WmiEventSource(kEnglish, L"no-such-computer").connect();
    ADD_FAILURE() << "another computer was reached";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0);
    EXPECT_EQ(error.action(), L"Connecting to \\\\no-such-computer\\root\\cimv2");
  }
}

const std::wstring kSystem = L"Select * from Win32_NTLogEvent where Logfile = 'System'";

// Windows XP's rows, in its own spelling and zone, and the rows that the query leaves out.
test::WmiDouble xp01(std::vector<test::WmiRow> rows, test::WmiComputer computer = {}) {
  test::WmiDouble wmi;
  computer.rows = std::move(rows);
  computer.rows.push_back(test::ntLogEvent(L"Application", 9, 1, L"error", L"20210601180000.000000+120", L"app"));
  wmi.add(L"xp01", std::move(computer));
  return wmi;
}

TEST(WmiEventSource, AnotherComputersRowsInThisComputersSpellingAndZone) {
  const EventTypeNames germanXp = *eventTypeNames(L"German", Generation::Older);
  const struct {
    long eventType;
    const wchar_t* type;  // as the other computer spells it
    const wchar_t* timeWritten;
    const EventTypeNames& spelling;
    std::wstring line;
  } cases[] = {
      // 16:00 UTC, noon in New York's summer.
      {1, L"error", L"20210601180000.000000+120", kEnglish, L"Error|20210601120000.000000-240"},
      {2, L"Warnung", L"20211215093000.500000-300", kEnglish, L"Warning|20211215093000.500000-300"},
      {3, L"information", L"20211107053000.000000+000", kEnglish, L"Information|20211107013000.000000-240"},
      {3, L"information", L"20211107063000.000000+000", kEnglish, L"Information|20211107013000.000000-300"},
      {4, L"audit success", L"20210101000000.000000-480", kEnglish, L"Audit Success|20210101030000.000000-300"},
      {5, L"Fehlerüberwachung", L"20210101000000.000000+060", kEnglish, L"Audit Failure|20201231180000.000000-300"},
      {0, L"information", L"20210601160000.000000+000", kEnglish, L"Information|20210601120000.000000-240"},
      {1, L"Error", L"20210601160000.000000+000", germanXp, L"Fehler|20210601120000.000000-240"},
      // What is no time stays as it is, for the listing to refuse.
      {1, L"error", L"2021060116****.******+***", kEnglish, L"Error|2021060116****.******+***"},
  };
  for (const auto& c : cases) {
    const test::WmiDouble wmi =
        xp01({test::ntLogEvent(L"System", 7, c.eventType, c.type, c.timeWritten, L"m")});
    WmiEventSource source(c.spelling, L"xp01", kCallLimit, wmi.client());
    const std::vector<std::wstring> lines = test::eventLines(*source.connect()->ExecQuery(kSystem, {}));
    ASSERT_EQ(lines.size(), 1u) << c.timeWritten;
    EXPECT_EQ(lines[0], c.line + L"|0|" + std::to_wstring(7000 + c.eventType) +
                            L"|Service Control Manager|m");
  }
}

// Every query and mark of a computer through the one connection its thread made, with the
// proxy security of remote WMI (packet privacy, impersonation) and no two-minute wait.
TEST(WmiEventSource, OneConnectionForAllOfAComputersQueries) {
  const test::WmiDouble wmi = xp01({test::ntLogEvent(L"System", 7, 1, L"error", L"20210601180000.000000+120", L"m"),
                                    test::ntEventlogFile(L"System", 7)});
  WmiEventSource source(kEnglish, L"xp01", kCallLimit, wmi.client());
  for (int section = 0; section < 4; ++section) {
    EXPECT_EQ(test::eventLines(*source.connect()->ExecQuery(kSystem, {})).size(), 1u);
    EXPECT_EQ(source.connect()->mark(kSystem, L"3").newest, L"7");
  }
  std::vector<std::wstring> connects;
  for (const std::wstring& call : wmi.calls()) {
    if (call.rfind(L"connect ", 0) == 0) connects.push_back(call);
    if (call.rfind(L"blanket ", 0) == 0) {
      EXPECT_EQ(call, L"blanket 6 3");
    }
    if (call.rfind(L"next ", 0) == 0) {
      EXPECT_EQ(call, L"next xp01 60000");
    }
  }
  EXPECT_EQ(connects, std::vector<std::wstring>{L"connect \\\\xp01\\root\\cimv2 0"});
  // A thread of its own connects on its own, as COM's apartments want.
  EXPECT_TRUE(test::ReadingThread([&] { source.connect()->ExecQuery(kSystem, {}); }).join());
  std::size_t count = 0;
  for (const std::wstring& call : wmi.calls()) count += call.rfind(L"connect ", 0) == 0;
  EXPECT_EQ(count, 2u);
}

// A call that never returns is cancelled from another thread, as the reads of many computers
// do after the call limit; a row that does not come within the limit times out. Either way
// the rows read before are kept, and every later call is refused.
TEST(WmiEventSource, NoCallWaitsWithoutABound) {
  const std::chrono::milliseconds limit(300);
  const struct {
    const wchar_t* hangs;
    int from;
    int silentFrom;
    std::size_t read;  // rows read before
    long code;
  } cases[] = {
      {L"ConnectServer", 1, 0, 0, ERROR_CANCELLED},
      {L"ExecQuery", 1, 0, 0, ERROR_CANCELLED},
      {L"Next", 3, 0, 2, ERROR_CANCELLED},
      {L"", 0, 2, 1, ERROR_TIMEOUT},
  };
  for (const auto& c : cases) {
    std::vector<test::WmiRow> rows;
    for (long record = 5; record > 0; --record)
      rows.push_back(test::ntLogEvent(L"System", record, 1, L"error", L"20210601180000.000000+120", L"m"));
    test::WmiComputer computer;
    computer.hangs = c.hangs;
    computer.hangsFrom = c.from;
    computer.silentFrom = c.silentFrom;
    const test::WmiDouble wmi = xp01(std::move(rows), computer);
    WmiEventSource source(kEnglish, L"xp01", limit, wmi.client());
    std::size_t read = 0;
    std::optional<long> code;
    test::ReadingThread reading([&] {
      try {
        auto events = source.connect()->ExecQuery(kSystem, {});
        while (events->next()) ++read;
      } catch (const RunTimeError& error) {
        code = error.code();
      }
    });
    if (c.code == ERROR_CANCELLED) {
      EXPECT_TRUE(wmi.hanging(std::chrono::seconds(10))) << c.hangs;
      source.cancel();
    }
    ASSERT_TRUE(reading.join()) << "the read ends";
    EXPECT_EQ(code, c.code) << c.hangs;
    EXPECT_EQ(read, c.read) << c.hangs;
    try {
      source.connect()->ExecQuery(kSystem, {});
      EXPECT_NE(c.code, ERROR_CANCELLED) << c.hangs << ": a call after the cancel";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), ERROR_CANCELLED) << c.hangs;
    }
  }
}

// Where a log stands: its newest row's RecordNumber, and its oldest from the number of
// records it holds; only what is new since a position travels.
TEST(WmiEventSource, WhereALogStandsAndWhatIsNewSinceAPosition) {
  using enum SinceSaved;
  const struct {
    long newest;  // the log holds records newest down to newest - count + 1
    long count;
    std::optional<LogPosition> saved;
    SinceSaved since;
    std::optional<LogPosition> newestMark;
  } cases[] = {
      {40, 40, L"30", Continues, L"40"},   {40, 40, L"40", Continues, L"40"},
      {40, 10, L"30", Continues, L"40"},   {40, 9, L"30", Overwritten, L"40"},
      {40, 40, L"41", Cleared, L"40"},     {40, 40, L"x", Cleared, L"40"},
      {0, 0, L"30", Cleared, std::nullopt}, {40, 40, std::nullopt, Continues, L"40"},
  };
  for (const auto& c : cases) {
    std::vector<test::WmiRow> rows;
    for (long record = c.newest; record > c.newest - c.count; --record)
      rows.push_back(test::ntLogEvent(L"System", record, 1, L"error", L"20210601180000.000000+120", L"m"));
    rows.push_back(test::ntEventlogFile(L"System", c.count));
    rows.push_back(test::ntEventlogFile(L"Application", 1));
    const test::WmiDouble wmi = xp01(std::move(rows));
    WmiEventSource source(kEnglish, L"xp01", kCallLimit, wmi.client());
    const LogMark mark = source.connect()->mark(kSystem, c.saved);
    EXPECT_EQ(mark.since, c.since) << c.saved.value_or(L"-");
    EXPECT_EQ(mark.newest, c.newestMark) << c.saved.value_or(L"-");
    // After a position, only the rows above it; after one that is no number, every row.
    if (!c.saved) continue;
    const auto after = recordOfPosition(*c.saved);
    const std::size_t newer = after ? static_cast<std::size_t>(std::max(0L, c.newest - static_cast<long>(*after)))
                                    : static_cast<std::size_t>(c.count);
    EXPECT_EQ(test::eventLines(*source.connect()->ExecQuery(kSystem, {std::nullopt, std::nullopt, c.saved})).size(),
              std::min(newer, static_cast<std::size_t>(c.count)))
        << *c.saved;
  }
  const test::WmiDouble wmi = xp01({});
  WmiEventSource source(kEnglish, L"xp01", kCallLimit, wmi.client());
  EXPECT_EQ(source.connect()->mark(L"Select * from Win32_NTLogEvent where Logfile = 'Security'", L"5").since,
            Cleared);
}

}  // namespace
}  // namespace brask
