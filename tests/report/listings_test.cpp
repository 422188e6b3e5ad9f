#include "report/listings.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace brask::fakes {
namespace {

struct ListingTest : ::testing::Test {
  FakeEventLog log;
  FakeLocale locale{"dd/MM/yyyy"};
  MemoryText file;
  ReportFile report{file};
  Listing listing{log, locale, report};

  std::vector<std::wstring> reportLines() { return lines(file.text); }
  // The first line of every record, in the order written.
  std::vector<std::wstring> recordHeads() {
    std::vector<std::wstring> heads;
    for (const auto& line : reportLines()) {
      if (line.rfind(L"Log: ", 0) == 0) heads.push_back(line);
    }
    return heads;
  }
};

// A log of events one hour apart, newest first, starting at 10/08/2009 21:00:00.
std::vector<Event> hourly(const std::vector<std::wstring>& types) {
  std::vector<Event> events;
  int hour = 21;
  for (std::size_t i = 0; i < types.size(); ++i, --hour) {
    wchar_t time[32];
    std::swprintf(time, 32, L"200908%02d%02d0000.000000+060", 10 - (hour < 0 ? 1 : 0), (hour + 24) % 24);
    events.push_back(event(types[i], time, L"event " + std::to_wstring(i)));
  }
  return events;
}

TEST_F(ListingTest, LatestEventsTakesTheFirstNMatchesInDeliveryOrder) {
  log.logs[L"'System'"] = hourly({L"Error", L"Warning", L"Error", L"Error", L"Information", L"Error"});
  listLastEvents(listing, L"Error", 3, L"'System'");
  EXPECT_EQ(recordHeads(), (std::vector<std::wstring>{L"Log: 'System' Date/Time: 10/08/2009 21:00:00",
                                                      L"Log: 'System' Date/Time: 10/08/2009 19:00:00",
                                                      L"Log: 'System' Date/Time: 10/08/2009 18:00:00"}));
  EXPECT_EQ(log.queries, std::vector<std::wstring>{L"Select * from Win32_NTLogEvent where Logfile = 'System'"});
  // One write per record.
  EXPECT_EQ(file.writes.size(), 3u);
}

TEST_F(ListingTest, LatestEventsReadsOnlyTypeOfOtherEventsAndStopsAtTheNthMatch) {
  log.logs[L"'System'"] = hourly({L"Warning", L"Error", L"Error", L"Error"});
  listLastEvents(listing, L"Error", 2, L"'System'");
  const std::vector<std::wstring> record{L"Type", L"TimeWritten", L"Type", L"Category",
                                         L"EventCode", L"SourceName", L"Message"};
  std::vector<std::wstring> expected{L"Type"};
  expected.insert(expected.end(), record.begin(), record.end());
  expected.insert(expected.end(), record.begin(), record.end());
  EXPECT_EQ(log.reads, expected);
  EXPECT_EQ(log.connects, 1);
  EXPECT_EQ(log.released, 1);
}

TEST_F(ListingTest, LatestEventsWithFewerOrNoMatches) {
  log.logs[L"'Application'"] = hourly({L"Error", L"Warning"});
  listLastEvents(listing, L"Error", 20, L"'Application'");
  EXPECT_EQ(recordHeads().size(), 1u);
  listLastEvents(listing, L"Critical", 20, L"'Application'");
  EXPECT_EQ(recordHeads().size(), 1u);
  listLastEvents(listing, L"Error", 20, L"'System'");
  EXPECT_EQ(recordHeads().size(), 1u);
}

TEST_F(ListingTest, TypeTestIsExactAndCaseSensitive) {
  log.logs[L"'System'"] = hourly({L"Error", L"error", L"Error ", L"ERROR"});
  listLastEvents(listing, L"error", 20, L"'System'");
  ASSERT_EQ(recordHeads().size(), 1u);
  EXPECT_EQ(reportLines().at(1), L"Type: error Category: 0");
}

TEST_F(ListingTest, MissingOrNumericTypeNeverMatches) {
  auto events = hourly({L"Error", L"Error"});
  events[0].erase(L"Type");
  events[1][L"Type"] = std::int64_t{1};
  log.logs[L"'System'"] = events;
  listLastEvents(listing, L"Error", 20, L"'System'");
  listLastEvents(listing, L"1", 20, L"'System'");
  EXPECT_TRUE(recordHeads().empty());
}

TEST_F(ListingTest, FailedWriteStopsTheListingAndKeepsEarlierRecords) {
  log.logs[L"'System'"] = hourly({L"Error", L"Error", L"Error"});
  file.failAtWrite = 1;
  EXPECT_THROW(listLastEvents(listing, L"Error", 3, L"'System'"), RunTimeError);
  EXPECT_EQ(recordHeads().size(), 1u);
  EXPECT_EQ(log.released, 1);
}

TEST_F(ListingTest, QueryFailureIsARunTimeError) {
  log.failAtQuery = 0;
  EXPECT_THROW(listLastEvents(listing, L"Error", 3, L"'System'"), RunTimeError);
  EXPECT_THROW(listEventsBetween(listing, L"Error", {2009, 8, 1}, {2009, 8, 10}, L"'System' "),
               RunTimeError);
  EXPECT_TRUE(file.text.empty());
}

// The date range, From and To as midnight values, the To day listed in full.
struct RangeCase {
  const char* name;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> events;  // type, TimeWritten
  DateTime from;
  DateTime to;
  std::vector<std::wstring> listed;  // times of the records, in order
  bool noEventsLine;
};

class DateRange : public ListingTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(DateRange, ListsTheRangeAndStopsAtTheFirstOlderEvent) {
  const RangeCase& c = GetParam();
  std::vector<Event> events;
  for (const auto& [type, time] : c.events) events.push_back(event(type, time));
  log.logs[L"'Application' "] = events;

  listEventsBetween(listing, L"Error", c.from, c.to, L"'Application' ");

  std::vector<std::wstring> listed;
  for (const auto& head : recordHeads()) listed.push_back(head.substr(head.find(L"Time: ") + 6));
  EXPECT_EQ(listed, c.listed);
  const auto report = reportLines();
  const bool noEvents = !report.empty() && report.front().rfind(L"No ", 0) == 0;
  EXPECT_EQ(noEvents, c.noEventsLine);
  EXPECT_EQ(log.queries.at(0), L"Select * from Win32_NTLogEvent where Logfile = 'Application' ");
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DateRange,
    ::testing::Values(
        RangeCase{"FromMidnightListedDayBeforeEnds",
                  {{L"Error", L"20090801000000.000000+060"}, {L"Error", L"20090731235959.000000+060"},
                   {L"Error", L"20090730120000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {L"01/08/2009 00:00:00"}, false},
        RangeCase{"WholeToDayListed",
                  {{L"Error", L"20090811000000.000000+060"}, {L"Error", L"20090810235959.000000+060"},
                   {L"Error", L"20090810000000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {L"10/08/2009 23:59:59", L"10/08/2009 00:00:00"}, false},
        RangeCase{"FromEqualToListsThatDay",
                  {{L"Error", L"20090805120000.000000+060"}, {L"Error", L"20090804235959.000000+060"}},
                  {2009, 8, 5}, {2009, 8, 5}, {L"05/08/2009 12:00:00"}, false},
        RangeCase{"NothingInRangeWithAnOlderEvent",
                  {{L"Error", L"20090812000000.000000+060"}, {L"Error", L"20090701000000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {}, true},
        RangeCase{"AllNewerThanTo",
                  {{L"Error", L"20090812000000.000000+060"}, {L"Error", L"20090811000000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {}, false},
        RangeCase{"NoEventOfTheType",
                  {{L"Warning", L"20090805000000.000000+060"}, {L"Information", L"20090101000000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {}, false},
        RangeCase{"OtherTypesNeverStopTheListing",
                  {{L"Warning", L"20080101000000.000000+060"}, {L"Error", L"20090805000000.000000+060"},
                   {L"Information", L"20070101000000.000000+060"}, {L"Error", L"20090802000000.000000+060"},
                   {L"Error", L"20090301000000.000000+060"}, {L"Error", L"20090803000000.000000+060"}},
                  {2009, 8, 1}, {2009, 8, 10}, {L"05/08/2009 00:00:00", L"02/08/2009 00:00:00"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListingTest, NoEventsLineNamesTheLogTypeAndBothDates) {
  log.logs[L"'Application' "] = {event(L"Error", L"20090701000000.000000+060")};
  listEventsBetween(listing, L"Error", {2009, 8, 1}, {2009, 8, 10}, L"'Application' ");
  EXPECT_EQ(file.text,
            L"No 'Application' log Error events found from 01/08/2009 to 10/08/2009\r\n\r\n");
}

TEST_F(ListingTest, DateRangeHasNoCapAndItsCountDoesNotWrap) {
  // 65,536 records would bring a 16-bit count back to 0 and a false no-events line.
  std::vector<Event> events(65536, event(L"Error", L"20090805120000.000000+060", L"m"));
  events.push_back(event(L"Error", L"20090101000000.000000+060"));
  log.logs[L"'System' "] = events;
  listEventsBetween(listing, L"Error", {2009, 8, 1}, {2009, 8, 10}, L"'System' ");
  EXPECT_EQ(file.writes.size(), 65536u);
  EXPECT_EQ(file.text.find(L"No "), std::wstring::npos);
}

TEST_F(ListingTest, EachListingTellsTheSourceWhatItKeeps) {
  listLastEvents(listing, L"Fehler", 5, L"'System'");
  listEventsBetween(listing, L"Kritisch", {2009, 8, 1}, {2009, 8, 10}, L"'System' ");
  listEventsBetween(listing, L"Error", {2008, 12, 31}, {2008, 12, 31}, L"'System' ");
  ASSERT_EQ(log.wanted.size(), 3u);
  EXPECT_EQ(log.wanted[0].type, L"Fehler");
  EXPECT_EQ(log.wanted[0].writtenBefore, std::nullopt) << "number mode has no bound";
  EXPECT_EQ(log.wanted[1].type, L"Kritisch");
  EXPECT_EQ(log.wanted[1].writtenBefore, (DateTime{2009, 8, 11})) << "the midnight after To";
  EXPECT_EQ(log.wanted[2].writtenBefore, (DateTime{2009, 1, 1}));
}

TEST_F(ListingTest, DateRangeReadsTypeAndTimeOfSkippedEvents) {
  log.logs[L"'System' "] = {event(L"Error", L"20090812000000.000000+060"),
                            event(L"Warning", L"20090805000000.000000+060")};
  listEventsBetween(listing, L"Error", {2009, 8, 1}, {2009, 8, 10}, L"'System' ");
  EXPECT_EQ(log.reads, (std::vector<std::wstring>{L"Type", L"TimeWritten", L"Type"}));
  EXPECT_TRUE(file.text.empty());
}

}  // namespace
}  // namespace brask::fakes
