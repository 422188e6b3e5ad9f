// The Event Log API source over the test double of wevtapi.dll, which the test prefix has
// in its system directory, under TZ=America/New_York: each case writes the double's events
// and reads them as the listings do.
#include "platform/win32/wevtapi/evt_event_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "fakes/event_lines.h"
#include "platform/event_log/file_time.h"
#include "platform/run_time_error.h"
#include "platform/win32/module_function.h"

namespace brask {
namespace {

const std::wstring kSystem = L"Select * from Win32_NTLogEvent where Logfile = 'System'";
const EventTypeNames kEnglish = *eventTypeNames(L"English", Generation::Newer);

std::wstring temporary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// The double's events for the next query, and what it did since this was made.
struct Double {
  explicit Double(const std::string& lines) {
    std::ofstream(events.c_str(), std::ios::binary) << lines;
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

std::unique_ptr<EvtEventSource> source(const EventTypeNames& spelling = kEnglish) {
  std::unique_ptr<EvtEventSource> opened = EvtEventSource::open(spelling);
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
      {"strings of every kind, one not valid UTF-16",
       at + "09.1234567Z\tprovider=P\tstring=u32:4294967295\tstring=i32:-5\tstring=hex64:0x1F"
            "\tstring=guid:78563412341278560102030405060708\tstring=sid:010200000000000520000000"
            "20020000\tstring=bin:00FF10\tstring=ft:2009-08-10T21:02:23.5Z\tstring=null"
            "\tstring=\\uD800x\n",
       kEnglish,
       {L"Information" + local +
        L"|-|-|P|4294967295 -5 0x1F {12345678-1234-5678-0102-030405060708} S-1-5-32-544 00FF10 "
        L"2009-08-10T21:02:23.500Z  \xD800x"}},
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
  EXPECT_EQ(events.logged("open "), (std::vector<std::string>{"open B", "open A"}));
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

TEST(EvtEventSource, AFailingCallIsARunTimeErrorWithItsCode) {
  const std::string event = "channel=System\ttime=2021-06-01T16:00:00Z\tprovider=P\tmessage=m\n";
  const struct {
    const char* directive;
    long code;
  } cases[] = {
      {"!fail\tEvtQuery\t1\t5\n", ERROR_ACCESS_DENIED},
      {"!fail\tEvtQuery\t1\t15007\n", ERROR_EVT_CHANNEL_NOT_FOUND},
      {"!fail\tEvtNext\t2\t15011\n", ERROR_EVT_QUERY_RESULT_STALE},
      {"!fail\tEvtRender\t1\t14\n", ERROR_OUTOFMEMORY},
      {"!fail\tEvtOpenPublisherMetadata\t1\t1722\n", RPC_S_SERVER_UNAVAILABLE},
      {"!fail\tEvtFormatMessage\t1\t5\n", ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    const Double events(c.directive + event + event);
    const auto opened = source();
    ASSERT_TRUE(opened);
    try {
      listed(*opened);
      ADD_FAILURE() << c.directive << "passed";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), c.code) << c.directive;
      EXPECT_FALSE(error.description().empty()) << c.directive;
    }
  }
}

}  // namespace
}  // namespace brask
