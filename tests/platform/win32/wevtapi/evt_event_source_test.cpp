// The Event Log API source over the test double of wevtapi.dll, which the test prefix has
// in its system directory, under TZ=America/New_York: each case writes the double's events
// and reads them as the listings do, of this computer, of others and of a collector's log,
// with WMI's in-process double where WMI reads another computer; and where their logs stand
// for a bookmark, and how a computer that stops answering ends.
#include "platform/win32/wevtapi/evt_event_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "fakes/event_lines.h"
#include "platform/event_log/record_marks.h"
#include "platform/event_log/file_time.h"
#include "platform/run_time_error.h"
#include "platform/win32/computer_failures.h"
#include "platform/win32/module_function.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wevtapi/evt_objects.h"
#include "platform/win32/windows_computers.h"
#include "platform/win32/windows_event_logs.h"
#include "reading_thread.h"
#include "wmi_double.h"

namespace brask {
namespace {

const std::wstring kSystem = L"Select * from Win32_NTLogEvent where Logfile = 'System'";
const std::wstring kApplication = L"Select * from Win32_NTLogEvent where Logfile = 'Application'";
const EventTypeNames kEnglish = *eventTypeNames(L"English", Generation::Newer);

std::wstring temporary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// The double's events for the next query, other computers' among them, and what it did
// since this was made.
struct Double {
  explicit Double(const std::string& lines,
                  const std::map<std::string, std::string>& computers = {}) {
    std::string named;
    for (const auto& [name, events] : computers) {
      const std::wstring file =
          temporary((L"brask-evt-" + std::wstring(name.begin(), name.end()) + L".txt").c_str());
      std::ofstream(file.c_str(), std::ios::binary) << events;
      named += "!computer\t" + name + "\t" + std::string(file.begin(), file.end()) + "\n";
    }
    std::ofstream(events.c_str(), std::ios::binary) << named + lines;
    std::ofstream(log.c_str(), std::ios::binary | std::ios::trunc);
    SetEnvironmentVariableW(L"BRASK_EVT_DOUBLE_EVENTS", events.c_str());
    SetEnvironmentVariableW(L"BRASK_EVT_DOUBLE_LOG", log.c_str());
  }
  // The lines of the log that start with `what`.
  std::vector<std::string> logged(const std::string& what) const {
    std::ifstream in(log.c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind(what, 0) == 0) lines.push_back(line);
    }
    return lines;
  }
  std::wstring events = temporary(L"brask-evt-events.txt");
  std::wstring log = temporary(L"brask-evt-log.txt");
};

// Every event a query delivers: Type|TimeWritten|Category|EventCode|SourceName|Message.
std::vector<std::wstring> listed(EventSource& source, const EventsWanted& wanted = {}) {
  return test::eventLines(*source.connect()->ExecQuery(kSystem, wanted));
}

std::unique_ptr<EvtEventSource> source(const EventTypeNames& spelling = kEnglish,
                                       const std::vector<LCID>& languages = messageLanguages()) {
  std::unique_ptr<EvtEventSource> opened = EvtEventSource::open(spelling, languages);
  if (!opened) ADD_FAILURE() << "no Event Log API in the test prefix";
  return opened;
}

DWORD openHandles() {
  using Count = DWORD(WINAPI*)();
  const auto count = moduleFunction<Count>(GetModuleHandleW(L"wevtapi.dll"), "BraskDoubleOpenHandles");
  return count ? count() : 0xFFFFFFFF;
}

TEST(EvtEventSource, MapsEventsOntoTheEventLogs) {
  const std::string at = "channel=System\ttime=2021-06-01T16:00:";
  const std::wstring local = L"|20210601120009.123456-240";  // 16:00:09Z in New York, summer
  const struct {
    const char* what;
    std::string events;
    EventTypeNames spelling;
    std::vector<std::wstring> expected;
  } cases[] = {
      {"every property; CR LF kept for the listing to join",
       at + "09.1234567Z\tlevel=2\ttask=7\tid=u32:268442457\tprovider=Microsoft-Windows-Kernel"
            "\tsource=Kernel Source\tmessage=Line one\\r\\nLine two\\r\\n\n",
       kEnglish, {L"Error" + local + L"|7|7001|Kernel Source|Line one\r\nLine two\r\n"}},
      {"levels, newest first; missing, odd and provider levels are Information",
       at + "09.1234567Z\tlevel=0\n" + at + "09.1234567Z\tlevel=1\n" + at + "09.1234567Z\tlevel=3\n" +
           at + "09.1234567Z\tlevel=4\n" + at + "09.1234567Z\tlevel=16\n" + at +
           "09.1234567Z\tlevel=str:high\n" + at + "09.1234567Z\ttask=str:odd\tid=null\n",
       kEnglish,
       {L"Information" + local + L"|-|-|-|-", L"Information" + local + L"|-|-|-|-",
        L"Information" + local + L"|-|-|-|-", L"Information" + local + L"|-|-|-|-",
        L"Warning" + local + L"|-|-|-|-", L"Critical" + local + L"|-|-|-|-",
        L"Information" + local + L"|-|-|-|-"}},
      {"Critical of the older generation, German",
       at + "09.1234567Z\tlevel=1\tprovider=P\n", *eventTypeNames(L"German", Generation::Older),
       {L"Fehler" + local + L"|-|-|P|-"}},
      {"audit keywords, whatever the level",
       at + "09.1234567Z\tlevel=2\tkeywords=0x8010000000000000\n" + at +
           "09.1234567Z\tlevel=0\tkeywords=0x8020000000000000\n",
       kEnglish, {L"Audit Success" + local + L"|-|-|-|-", L"Audit Failure" + local + L"|-|-|-|-"}},
      {"no metadata, no message, unresolved inserts, no strings",
       "!publisher\tGone\t15002\n" + at + "09.1234567Z\tprovider=Gone\tmessage=never\tstring=a\tstring=\tstring=c\n" +
           at + "09.1234567Z\tprovider=P\tstring=only\n" + at +
           "09.1234567Z\tprovider=P\tmessage~=Disk %1 is full\tstring=x\n" + at + "09.1234567Z\tprovider=P\n",
       kEnglish,
       {L"Information" + local + L"|-|-|P|-", L"Information" + local + L"|-|-|P|Disk %1 is full",
        L"Information" + local + L"|-|-|P|only", L"Information" + local + L"|-|-|Gone|a  c"}},
      {"strings of every kind, one not valid UTF-16; a manifest event's binary Data is one",
       at + "09.1234567Z\tprovider=P\tstring=u32:4294967295\tstring=i32:-5\tstring=hex64:0x1F"
            "\tstring=guid:78563412341278560102030405060708\tstring=sid:010200000000000520000000"
            "20020000\tstring=ft:2009-08-10T21:02:23.5Z\tstring=null\tstring=\\uD800x"
            "\tstring=bool:true\tstring=i8:-8\tstring=i16:-16\tstring=i64:-9000000000"
            "\tstring=hex32:0x2A\tstring=sizet:12\tstring=f32:1.5\tstring=f64:-0.25"
            "\tstring=ansi:abc\tstring=st:2009-08-10T21:02:23.5Z\tstring=i16[]:-1,2"
            "\tstring=str[]:a,b c\tstring=hex32[]:0x1,0xFF\tstring=bin:00FF10\n",
       kEnglish,
       {L"Information" + local +
        L"|-|-|P|4294967295 -5 0x1f {12345678-1234-5678-0102-030405060708} S-1-5-32-544 "
        L"2009-08-10T21:02:23.500000000Z  \xD800x true -8 -16 -9000000000 0x2a 12 1.5 -0.25 abc "
        L"2009-08-10T21:02:23.500000000Z -1 2 a b c 0x1 0xff 00FF10"}},
      {"a classic event's trailing binary data, also empty, is none of its strings",
       at + "09.1234567Z\tprovider=P\tstring=Spooler\tbinary=D906\n" + at +
           "09.1234567Z\tprovider=P\tstring=\tbinary=\n" + at + "09.1234567Z\tprovider=P\tbinary=00\n" +
           at + "09.1234567Z\tprovider=P\tstring=" + std::string(100000, 'x') + "\n",
       kEnglish,
       {L"Information" + local + L"|-|-|P|" + std::wstring(100000, L'x'),
        L"Information" + local + L"|-|-|P|-", L"Information" + local + L"|-|-|P|",
        L"Information" + local + L"|-|-|P|Spooler"}},
      {"an event without a time that can be read is passed over",
       "channel=System\tlevel=2\n" + at + "09.1234567Z\ttime=str:noon\n" + at + "09.1234567Z\tlevel=2\n",
       kEnglish, {L"Error" + local + L"|-|-|-|-"}},
      {"events of other logs", "channel=Application\t" + at.substr(15) + "09.1234567Z\n", kEnglish, {}},
  };
  for (const auto& c : cases) {
    const Double events(c.events);
    const auto opened = source(c.spelling);
    ASSERT_TRUE(opened);
    EXPECT_EQ(listed(*opened, {}), c.expected) << c.what;
  }
  EXPECT_EQ(openHandles(), 0u) << "every handle closed with the source";
}

TEST(EvtEventSource, MetadataIsOpenedOncePerProviderForWrittenEventsAlone) {
  std::string lines;
  for (int i = 0; i < 40; ++i) {
    lines += "channel=System\ttime=2021-06-01T16:" + std::to_string(10 + i) + ":00Z\tlevel=" +
             (i % 2 ? "2" : "4") + "\tprovider=" + (i % 4 < 2 ? "A" : "B") + "\tmessage=m\n";
  }
  const Double events(lines);
  const auto opened = source();
  ASSERT_TRUE(opened);
  for (int pass = 0; pass < 2; ++pass) {
    auto objects = opened->connect()->ExecQuery(kSystem, {L"Information", {}});
    int count = 0;
    while (objects->next()) {
      EXPECT_EQ(test::shown(objects->property(L"Type")), L"Information");
      if (count++ < 3) {
        EXPECT_EQ(test::shown(objects->property(L"Message")), L"m");
      }
    }
    EXPECT_EQ(count, 20) << "the service filters by level";
  }
  EXPECT_EQ(events.logged("open "), (std::vector<std::string>{"open B 1033", "open A 1033"}));
  EXPECT_EQ(events.logged("query "),
            std::vector<std::string>(2, "query System *[System[Level=0 or Level>3]]"));
  // 20 events in batches of 16, and the end.
  EXPECT_EQ(events.logged("next "), (std::vector<std::string>{"next 16", "next 4", "next 16", "next 4"}));
}

// Against the whole walk: in New York across the start and the end of daylight saving,
// every event whose local time is before a bound is delivered by a query with that bound.
TEST(EvtEventSource, ADateBoundLeavesOutNoEventTheListingKeeps) {
  for (const DateTime& bound : {DateTime{2021, 3, 14}, DateTime{2021, 3, 15}, DateTime{2021, 11, 7},
                                DateTime{2021, 11, 8}}) {
    std::string lines;
    for (int minutes = -3 * 24 * 60; minutes <= 3 * 24 * 60; minutes += 20) {
      const std::uint64_t at = utcBoundOf(bound) + static_cast<std::int64_t>(minutes) * 60000000 -
                               24ull * 3600 * 1000000;
      std::wstring text = systemTimeText(at);
      lines += "channel=System\tlevel=2\ttime=" + std::string(text.begin(), text.end()) + "\n";
    }
    const Double events(lines);
    const auto opened = source();
    ASSERT_TRUE(opened);
    std::set<std::wstring> kept;
    for (const std::wstring& event : listed(*opened)) {
      const std::wstring time = event.substr(event.find(L'|') + 1, 14);
      const DateTime local{std::stoi(time.substr(0, 4)), std::stoi(time.substr(4, 2)),
                           std::stoi(time.substr(6, 2)), std::stoi(time.substr(8, 2)),
                           std::stoi(time.substr(10, 2)), std::stoi(time.substr(12, 2))};
      if (local < bound) kept.insert(event);
    }
    const std::vector<std::wstring> bounded = listed(*opened, {L"Error", bound});
    const std::set<std::wstring> delivered(bounded.begin(), bounded.end());
    EXPECT_TRUE(std::includes(delivered.begin(), delivered.end(), kept.begin(), kept.end()))
        << bound.year << "-" << bound.month << "-" << bound.day;
    EXPECT_LT(delivered.size(), listed(*opened).size()) << "the service leaves out later events";
  }
}

// Each message in the first language that has it: the user's display language, the
// system's, the thread's locale (Italian here) and English; else the event's strings,
// whatever the failure. Each provider's metadata opened once per language.
TEST(EvtEventSource, MessagesComeInTheFirstLanguageThatHasThem) {
  const std::string two =
      "channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tmessage@1031=Deutsch"
      "\tmessage@1036=Fran\u00E7ais\tmessage@1040=Italiano\tmessage@1033=English\tstring=s\n";
  const std::vector<std::string> all{"open P 1031", "open P 1036", "open P 0", "open P 1033"};
  const struct {
    std::string events;
    std::vector<std::wstring> messages;  // of the two events, newest first
    std::vector<std::string> opened;
  } cases[] = {
      {two + two, {L"Deutsch", L"Deutsch"}, {"open P 1031"}},
      {"!languages\t1036\t1040\t1033\n" + two + two, {L"Fran\u00E7ais", L"Fran\u00E7ais"}, {all[0], all[1]}},
      {"!languages\t1040\t1033\n" + two + two, {L"Italiano", L"Italiano"}, {all[0], all[1], all[2]}},
      {"!languages\t1033\n" + two + two, {L"English", L"English"}, all},
      {"!languages\t1049\n" + two + two, {L"s", L"s"}, all},
      {"!publisher\tP\t1722\n" + two + two, {L"s", L"s"}, all},
      // A failure of one message is tried in the next language, for that event alone.
      {"!fail\tEvtOpenPublisherMetadata\t1\t1722\n!fail\tEvtFormatMessage\t1\t1813\n" + two + two,
       {L"Italiano", L"Fran\u00E7ais"}, {all[0], all[1], all[2]}},
      {"channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tstring=q\tmessage!=1722\n"
       "channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tstring=r\tmessage!=5\n",
       {L"r", L"q"}, all},
  };
  SetThreadLocale(MAKELCID(0x0410, SORT_DEFAULT));
  for (const auto& c : cases) {
    const Double events(c.events);
    const auto opened = source(kEnglish, {0x0407, 0x040C, 0, 0x0409});
    ASSERT_TRUE(opened);
    std::vector<std::wstring> lines = listed(*opened);
    for (std::wstring& line : lines) line.erase(0, line.rfind(L'|') + 1);
    EXPECT_EQ(lines, c.messages) << c.events;
    EXPECT_EQ(events.logged("open "), c.opened) << c.events;
  }
  SetThreadLocale(MAKELCID(0x0409, SORT_DEFAULT));
}

// A result that goes stale, in short batches, every 7 events: read on from the last event
// delivered, it gives the whole walk's events, with and without a date bound.
TEST(EvtEventSource, AStaleResultIsReadOnAsTheWholeWalk) {
  std::string lines;
  for (int i = 0; i < 60; ++i) {
    lines += "channel=System\ttime=2021-06-0" + std::to_string(1 + i / 20) + "T12:" +
             std::to_string(10 + i % 20) + ":00Z\tlevel=" + (i % 3 ? "2" : "4") + "\tstring=" +
             std::to_string(i) + "\n";
  }
  for (const EventsWanted& wanted : {EventsWanted{L"Error", {}}, EventsWanted{L"Error", DateTime{2021, 6, 2}}}) {
    const Double whole(lines);
    const auto opened = source();
    ASSERT_TRUE(opened);
    const std::vector<std::wstring> expected = listed(*opened, wanted);
    const Double stale("!batch\t5\n!stale\t7\n" + lines);
    EXPECT_EQ(listed(*opened, wanted), expected);
    EXPECT_GT(stale.logged("query ").size(), 2u) << "the result went stale";
    EXPECT_GT(expected.size(), 7u);
  }
}

TEST(EvtEventSource, AFailingCallIsARunTimeErrorWithItsCode) {
  const std::string event = "channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tmessage=m\n";
  const struct {
    const char* directive;
    long code;
    std::string newest = "";
  } cases[] = {
      {"!fail\tEvtQuery\t1\t5\n", ERROR_ACCESS_DENIED},
      {"!fail\tEvtQuery\t1\t15007\n", ERROR_EVT_CHANNEL_NOT_FOUND},
      {"!fail\tEvtNext\t2\t15012\n", ERROR_EVT_QUERY_RESULT_INVALID_POSITION},
      {"!fail\tEvtRender\t1\t14\n", ERROR_OUTOFMEMORY},
      {"!stale\t0\n", ERROR_EVT_QUERY_RESULT_STALE},
      {"!stale\t1\n", ERROR_EVT_QUERY_RESULT_STALE, "channel=System\ttime=2021-06-01T16:00:00Z\trecord=null\n"},
      // The query again after a stale result (the second asks for the newest event), whose
      // failure outlives closing the last result.
      {"!stale\t1\n!fail\tEvtQuery\t3\t5\n", ERROR_ACCESS_DENIED},
      // A log cleared under the walk: its new events are not listed after older ones.
      {"!cleared\t1\n", ERROR_EVT_QUERY_RESULT_STALE},
  };
  for (const auto& c : cases) {
    const Double events(c.directive + event + event + c.newest);
    const auto opened = source();
    ASSERT_TRUE(opened);
    try {
      listed(*opened);
      ADD_FAILURE() << c.directive << "passed";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), c.code) << c.directive;
      EXPECT_FALSE(error.description().empty()) << c.directive;
      EXPECT_FALSE(dynamic_cast<const EvtNotWorking*>(&error)) << c.directive;
    }
  }
}

// The records of a saved log as the Linux tree's saved-log test leaves them, served by the
// double: each query lists what the saved-log source listed, line for line (in UTF-8, each
// ended by a null). Skipped where that tree's test has not run.
TEST(EvtEventSource, ServesASavedLogAsTheSavedLogSourceListsIt) {
  std::string folder = "Z:" BRASK_EVT_DIFFERENTIAL;
  std::replace(folder.begin(), folder.end(), '/', '\\');
  std::ifstream eventsFile(folder + "\\events.txt", std::ios::binary);
  std::ifstream linesFile(folder + "\\lines.txt", std::ios::binary);
  if (!eventsFile || !linesFile) GTEST_SKIP() << "no saved log from the Linux tree in " << folder;
  const std::string events((std::istreambuf_iterator<char>(eventsFile)), {});
  const std::string expected((std::istreambuf_iterator<char>(linesFile)), {});
  const Double served(events);
  const auto opened = source();
  ASSERT_TRUE(opened);
  std::string actual;
  for (const std::wstring& query : {kSystem, kApplication}) {
    for (const std::wstring& line : test::eventLines(*opened->connect()->ExecQuery(query, {}))) {
      std::string bytes(line.size() * 3, '\0');
      bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(
          CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
          static_cast<int>(bytes.size()), nullptr, nullptr)));
      actual += bytes + '\0';
    }
  }
  EXPECT_EQ(actual, expected);
  EXPECT_FALSE(expected.empty());
}

// Wine's wevtapi.dll is a stub whose EvtQuery fails without an error code: a first query
// that fails so, or as not implemented, leaves the run to WMI, whose logs Wine keeps empty.
// Any other failure, and one after a query that worked, stays a run-time error.
TEST(WindowsEventLogs, AnEventLogApiThatDoesNotWorkLeavesTheRunToWmi) {
  const std::string event = "channel=System\ttime=2021-06-01T16:00:00Z\n";
  const struct {
    const char* first;
    const char* second;
    std::optional<long> code;  // of the second query
  } cases[] = {
      {"!stub\n", "", std::nullopt},
      {"!fail\tEvtQuery\t1\t120\n", "", std::nullopt},
      {"!fail\tEvtQuery\t1\t5\n", "", ERROR_ACCESS_DENIED},
      {"", "!stub\n", ERROR_SUCCESS},
  };
  for (const auto& c : cases) {
    WindowsEventLogs logs(kEnglish);
    std::optional<long> code;
    for (const char* directives : {c.first, c.second}) {
      const Double events(directives + event);
      try {
        EXPECT_EQ(listed(logs).size(), directives == c.first && !*c.first ? 1u : 0u) << c.first;
      } catch (const RunTimeError& error) {
        code = error.code();
        break;
      }
    }
    EXPECT_EQ(code, c.code) << c.first << " then " << c.second;
  }
}

// The messages of what a query delivers, newest first.
std::vector<std::wstring> messages(EventSource& source, const std::wstring& query = kSystem) {
  std::vector<std::wstring> lines = test::eventLines(*source.connect()->ExecQuery(query, {}));
  for (std::wstring& line : lines) line.erase(0, line.rfind(L'|') + 1);
  return lines;
}

// Another computer's logs through a session of their own, opened once at the first query,
// closed with the source: its events and its providers' messages, read on as locally when
// a result goes stale, whatever this computer's logs hold.
TEST(WindowsEventLogs, AnotherComputerIsReadThroughASessionOfItsOwn) {
  std::string there;
  for (int i = 0; i < 6; ++i) {
    there += "channel=System\ttime=2021-06-01T16:0" + std::to_string(i) + ":00Z\tprovider=P\tmessage=there " +
             std::to_string(i) + "\n";
  }
  const Double events("!batch\t2\n!stale\t3\nchannel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tmessage=here\n",
                      {{"srv01", there}});
  {
    WindowsEventLogs logs(kEnglish, L"SRV01");
    const std::vector<std::wstring> expected{L"there 5", L"there 4", L"there 3",
                                             L"there 2", L"there 1", L"there 0"};
    EXPECT_EQ(messages(logs), expected);
    EXPECT_EQ(messages(logs), expected);
  }
  EXPECT_EQ(events.logged("session "), std::vector<std::string>{"session SRV01"});
  const std::vector<std::string> queries = events.logged("query ");
  EXPECT_GT(queries.size(), 2u) << "the result went stale";
  for (const std::string& query : queries)
    EXPECT_EQ(query.rfind("query @SRV01 System ", 0), 0u) << query;
  EXPECT_EQ(openHandles(), 0u) << "the session closed with the source";
}

// Each failure of another computer, at its first query or during the walk, is its own, with
// the Windows error code and how it was reached. Where it does not serve the Event Log API
// (Windows XP and 2003), or this Windows' API does not work, WMI reads it at
// \\NAME\root\cimv2, which Wine's WMI refuses as another computer (WBEM_E_TRANSPORT_FAILURE).
TEST(WindowsEventLogs, EveryFailureOfAnotherComputerIsItsOwn) {
  std::string lines;
  for (int i = 0; i < 3; ++i) lines += "channel=System\ttime=2021-06-01T16:00:00Z\n";
  constexpr long kWmiTransport = static_cast<long>(0x80041015);
  const struct {
    const char* directives;
    long code;
    Reach reach;
  } cases[] = {
      {"!computer\tsrv01\t1722\n", RPC_S_SERVER_UNAVAILABLE, Reach::EventLogApi},
      {"!computer\tsrv01\t5\n", ERROR_ACCESS_DENIED, Reach::EventLogApi},
      {"!computer\tsrv01\t1326\n", ERROR_LOGON_FAILURE, Reach::EventLogApi},
      {"!fail\tEvtOpenSession\t1\t1722\n", RPC_S_SERVER_UNAVAILABLE, Reach::EventLogApi},
      {"!batch\t1\n!fail\tEvtNext\t2\t1722\n", RPC_S_SERVER_UNAVAILABLE, Reach::EventLogApi},
      {"!computer\tsrv01\t1753\n", kWmiTransport, Reach::Wmi},
      {"!computer\tsrv01\t1717\n", kWmiTransport, Reach::Wmi},
      {"!stub\n", kWmiTransport, Reach::Wmi},
  };
  for (const auto& c : cases) {
    // The computer's events, unless a directive after them makes it fail.
    const Double events(c.directives, {{"srv01", lines}});
    WindowsEventLogs logs(kEnglish, L"srv01");
    try {
      listed(logs);
      ADD_FAILURE() << c.directives << "passed";
    } catch (const ComputerError& error) {
      EXPECT_EQ(error.code(), c.code) << c.directives;
      EXPECT_EQ(error.reach(), c.reach) << c.directives;
      EXPECT_FALSE(error.description().empty()) << c.directives;
    } catch (const RunTimeError& error) {
      ADD_FAILURE() << c.directives << "a run-time error " << error.code();
    }
  }
  // WMI passes RPC's failures on as HRESULTs of Windows error codes; its own stay.
  const ComputerError unavailable =
      computerError(RunTimeError(L"Connecting", static_cast<long>(0x800706BA), L"RPC"), Reach::Wmi);
  EXPECT_EQ(unavailable.code(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(unavailable.description(), systemErrorText(RPC_S_SERVER_UNAVAILABLE));
  const ComputerError denied =
      computerError(RunTimeError(L"Connecting", static_cast<long>(0x80041003), L"Access denied"), Reach::Wmi);
  EXPECT_EQ(denied.code(), static_cast<long>(0x80041003));
  EXPECT_EQ(denied.description(), L"Access denied");
}

// A Windows Event Collector's log: its computers, each once without regard to ASCII case as
// its newest event spells it, in name order; and each one's events of the query's log, of
// every spelling, with the message its computer rendered, else this computer's providers'
// message, else its strings. The same whether the event service compares names without
// regard to case (Unicode's, which takes SRV\u00C4 for srv\u00E4) or exactly.
TEST(WindowsComputers, ACollectorLogGivesItsComputersAndTheirEvents) {
  const std::string at = "log=ForwardedEvents\ttime=2021-06-01T16:00:0";
  const std::string forwarded =
      at + "1Z\tchannel=System\tcomputer=SRV01.corp\tprovider=P\trendered=Rendered there\n" +
      at + "2Z\tchannel=System\tcomputer=srv01.CORP\tprovider=Local\tmessage=Formatted here\n" +
      at + "3Z\tchannel=Application\tcomputer=srv01.CORP\tprovider=Q\tstring=its strings\n" +
      at + "4Z\tchannel=Security\tcomputer=srv01.Corp\trendered=Security\n" +
      at + "5Z\tchannel=System\tcomputer=ws02\trendered=Of ws02\n" +
      at + "6Z\tchannel=System\tcomputer=SRV\u00C4\trendered=Upper\n" +
      at + "7Z\tchannel=System\tcomputer=srv\u00E4\trendered=Lower\n" +
      "channel=System\ttime=2021-06-01T16:00:08Z\tcomputer=HERE\trendered=Here\n";
  for (const std::string& compare : {std::string(), std::string("!exact\n")}) {
    const Double events(compare + forwarded);
    WindowsComputers computers(kEnglish, L"ForwardedEvents");
    const std::optional<GatheredComputers> gathered = computers.gathered();
    ASSERT_TRUE(gathered);
    EXPECT_EQ(gathered->names,
              (std::vector<std::wstring>{L"srv01.Corp", L"SRV\u00C4", L"srv\u00E4", L"ws02"}));
    EXPECT_EQ(gathered->where, L"ForwardedEvents");
    EXPECT_TRUE(gathered->collector);
    const auto srv01 = computers.computer(L"srv01.corp.");
    EXPECT_EQ(messages(*srv01), (std::vector<std::wstring>{L"Formatted here", L"Rendered there"})) << compare;
    EXPECT_EQ(messages(*srv01, kApplication), std::vector<std::wstring>{L"its strings"}) << compare;
    EXPECT_EQ(messages(*computers.computer(L"SRV\u00C4")), std::vector<std::wstring>{L"Upper"}) << compare;
    for (const std::string& query : events.logged("query "))
      EXPECT_EQ(query.rfind("query ForwardedEvents ", 0), 0u) << query;
  }
}

// Where a log stands, and only what is new since a position read, with the event service
// evaluating the position (EventRecordID>N): of this computer's log, of another computer's,
// and of one computer's events in a collector's log, whatever the others' numbers there.
TEST(EvtEventSource, WhereALogStandsAndWhatIsNewSinceAPosition) {
  using enum SinceSaved;
  // Each case's log holds the records from `oldest` to `newest`.
  const struct {
    int oldest;
    int newest;
    std::optional<LogPosition> saved;
    SinceSaved since;
  } cases[] = {
      {1, 12, std::nullopt, Continues}, {1, 12, L"8", Continues},    {1, 12, L"12", Continues},
      {9, 12, L"8", Continues},         {10, 12, L"8", Overwritten}, {1, 7, L"8", Cleared},
      {1, 12, L"eight", Cleared},       {1, 0, L"8", Cleared},
  };
  const std::string at = "\ttime=2021-06-01T16:00:00Z\tlevel=2\trecord=";
  for (const auto& c : cases) {
    std::string local;
    std::string there;
    std::string forwarded;
    for (int record = c.oldest; record <= c.newest; ++record) {
      local += "channel=System" + at + std::to_string(record) + "\n";
      there += "channel=System" + at + std::to_string(record) + "\n";
      // Another computer's events between srv01's, numbered far beyond them.
      forwarded += "log=ForwardedEvents\tchannel=System\tcomputer=ws02" + at + std::to_string(record + 1000) +
                   "\nlog=ForwardedEvents\tchannel=System\tcomputer=srv01" + at + std::to_string(record) + "\n";
    }
    const Double events(local + forwarded + "log=ForwardedEvents\tchannel=System\tcomputer=ws02" + at + "5000\n",
                        {{"srv01", there}});
    WindowsEventLogs here(kEnglish);
    WindowsEventLogs srv01(kEnglish, L"srv01");
    WindowsComputers collector(kEnglish, L"ForwardedEvents");
    ASSERT_TRUE(collector.gathered());
    const std::unique_ptr<EventSource> gathered = collector.computer(L"srv01");
    const std::wstring saved = c.saved.value_or(L"-");
    for (EventSource* source : {static_cast<EventSource*>(&here), static_cast<EventSource*>(&srv01), gathered.get()}) {
      const LogMark mark = source->connect()->mark(kSystem, c.saved);
      EXPECT_EQ(mark.since, c.since) << saved;
      EXPECT_EQ(mark.newest, c.newest > 0 ? std::optional(std::to_wstring(c.newest)) : std::nullopt) << saved;
      // The newer events alone travel; after a position that is no number, every one.
      const std::optional<std::uint64_t> after = c.saved ? recordOfPosition(*c.saved) : std::nullopt;
      const int newer = std::max(0, c.newest - std::max(c.oldest - 1, static_cast<int>(after.value_or(0))));
      EXPECT_EQ(listed(*source, {std::nullopt, std::nullopt, c.saved}).size(), static_cast<std::size_t>(newer))
          << saved;
    }
  }
  WindowsEventLogs here(kEnglish);
  const Double events("channel=System" + at + "4\n");
  EXPECT_EQ(here.connect()->mark(L"Select * from Win32_NTLogEvent where Logfile = 'Security'", L"2").since, Cleared);
}

// Whether the double has a call that waits for EvtCancel, waiting for one at most ten seconds.
bool hangs(const Double& events) {
  for (int waited = 0; waited < 5000; ++waited) {
    if (!events.logged("hang ").empty()) return true;
    Sleep(2);
  }
  return false;
}

// Another computer that stops answering, at any call of its read: the call ends when the
// read is cancelled from another thread, as the reads of many computers do after a minute
// without an answer, EvtCancel reaching it on the session or its result; an EvtNext that
// waits beyond the call limit times out by itself. What was read before is kept, and the
// failure is the computer's own, with the code Windows gives. Through WMI the same (each of
// its calls cancelled: the WMI source's tests).
TEST(WindowsEventLogs, AComputerThatStopsAnsweringIsCancelledOrTimesOut) {
  const std::chrono::milliseconds limit(300);
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += "channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tmessage=m\n";
  const struct {
    std::string directives;
    std::size_t read;  // events whose messages were read before
    long code;
    Reach reach;
    bool cancelled;    // by the test, else by the time limit
    const char* cancel = "cancel srv01";  // the API double's note of the EvtCancel that ends it
    std::wstring wmiHangs = L"";
    int wmiHangsFrom = 1;
    int wmiSilentFrom = 0;
  } cases[] = {
      {"!hang\tsrv01\tEvtQuery\n", 0, ERROR_CANCELLED, Reach::EventLogApi, true},
      {"!batch\t2\n!hang\tsrv01\tEvtNext\t2\n", 2, ERROR_CANCELLED, Reach::EventLogApi, true, "cancel results"},
      {"!batch\t2\n!hang\tsrv01\tEvtNext\t2\n", 2, ERROR_TIMEOUT, Reach::EventLogApi, false, ""},
      {"!hang\tsrv01\tEvtOpenPublisherMetadata\n", 0, ERROR_CANCELLED, Reach::EventLogApi, true},
      // Each message is formatted in two calls, the first for its size; so are the first
      // event's values, whose buffer serves the next events.
      {"!hang\tsrv01\tEvtFormatMessage\t3\n", 1, ERROR_CANCELLED, Reach::EventLogApi, true},
      {"!hang\tsrv01\tEvtRender\t5\n", 3, ERROR_CANCELLED, Reach::EventLogApi, true},
      {"!computer\tsrv01\t1717\n", 3, ERROR_CANCELLED, Reach::Wmi, true, "", L"Next", 4},
      {"!computer\tsrv01\t1753\n", 1, ERROR_TIMEOUT, Reach::Wmi, false, "", L"", 1, 2},
  };
  int number = 0;
  for (const auto& c : cases) {
    // The computer's events, unless a directive after them makes it fail; each case a file of
    // its own, which the double counts its calls in anew.
    const Double events("!case\t" + std::to_string(++number) + "\n" + c.directives, {{"srv01", lines}});
    test::WmiDouble wmi;
    std::vector<test::WmiRow> rows;
    for (long record = 5; record > 0; --record)
      rows.push_back(test::ntLogEvent(L"System", record, 1, L"error", L"20210601160000.000000+000", L"m"));
    wmi.add(L"srv01", {rows, S_OK, c.wmiHangs, c.wmiHangsFrom, c.wmiSilentFrom});
    WindowsEventLogs logs(kEnglish, L"srv01", c.cancelled ? kCallLimit : limit, wmi.client());
    std::size_t read = 0;
    std::optional<ComputerError> failure;
    test::ReadingThread reading([&] {
      try {
        auto objects = logs.connect()->ExecQuery(kSystem, {});
        for (; objects->next(); ++read) objects->property(L"Message");
      } catch (const ComputerError& error) {
        failure = error;
      }
    });
    if (c.cancelled) {
      EXPECT_TRUE(c.reach == Reach::Wmi ? wmi.hanging(std::chrono::seconds(10)) : hangs(events)) << c.directives;
      logs.cancel();
    }
    ASSERT_TRUE(reading.join()) << "the read ends";
    ASSERT_TRUE(failure) << c.directives;
    EXPECT_EQ(failure->code(), c.code) << c.directives;
    EXPECT_EQ(failure->reach(), c.reach) << c.directives;
    EXPECT_EQ(failure->description(), systemErrorText(static_cast<DWORD>(c.code))) << c.directives;
    EXPECT_EQ(read, c.read) << c.directives;
    if (*c.cancel) {
      const std::vector<std::string> cancels = events.logged("cancel ");
      EXPECT_NE(std::find(cancels.begin(), cancels.end(), c.cancel), cancels.end()) << c.directives;
    }
    if (c.reach == Reach::Wmi && c.cancelled) {
      const std::vector<std::wstring> calls = wmi.calls();
      EXPECT_EQ(std::count(calls.begin(), calls.end(), L"cancel"), 1) << c.directives;
    }
  }
  EXPECT_EQ(openHandles(), 0u) << "every handle closed with the sources";
}

// Windows XP and 2003 do not serve the API's remote protocol: WMI reads them, in this
// computer's spelling and zone, and tells where their logs stand.
TEST(WindowsEventLogs, WmiReadsAComputerWithoutTheRemoteProtocolInThisComputersTerms) {
  const Double events("!computer\txp01\t1717\n");
  test::WmiDouble wmi;
  test::WmiComputer xp01;
  xp01.rows = {test::ntLogEvent(L"System", 31, 2, L"warning", L"20211215093000.000000+060", L"w"),
               test::ntLogEvent(L"System", 30, 1, L"error", L"20210601180000.000000+120", L"e"),
               test::ntEventlogFile(L"System", 2)};
  wmi.add(L"xp01", xp01);
  WindowsEventLogs logs(kEnglish, L"xp01", kCallLimit, wmi.client());
  EXPECT_EQ(listed(logs), (std::vector<std::wstring>{
                              L"Warning|20211215033000.000000-300|0|7002|Service Control Manager|w",
                              L"Error|20210601120000.000000-240|0|7001|Service Control Manager|e"}));
  const LogMark mark = logs.connect()->mark(kSystem, L"29");
  EXPECT_EQ(mark.newest, L"31");
  EXPECT_EQ(mark.since, SinceSaved::Continues);
  EXPECT_EQ(listed(logs, {std::nullopt, std::nullopt, L"30"}).size(), 1u);
}

}  // namespace
}  // namespace brask
