#include "report/event_record.h"

#include <gtest/gtest.h>

#include "report/listings.h"
#include "report_test_support.h"

namespace brask::fakes {
namespace {

// Writes the one event of a log through the latest-events listing and returns the report.
std::wstring recordOf(const Event& e, const std::wstring& logName = L"'System'") {
  FakeEventLog log;
  log.logs[logName] = {e};
  FakeLocale locale("dd/MM/yyyy");
  MemoryText file;
  ReportFile report(file);
  listLastEvents({log, locale, report}, L"Error", 1, logName);
  return file.text;
}

TEST(EventRecord, LaysOutFourLinesAndAnEmptyOne) {
  EXPECT_EQ(recordOf(event(L"Error", L"20090810210223.000000+060", L"Disk full.", 7, L"disk")),
            L"Log: 'System' Date/Time: 10/08/2009 21:02:23\r\n"
            L"Type: Error Category: 0\r\n"
            L"Event: 7 Source: disk\r\n"
            L"Disk full.\r\n"
            L"\r\n");
}

TEST(EventRecord, DateModeLogNameGivesTwoBlanksBeforeDate) {
  const auto report = lines(recordOf(event(L"Error", L"20090810210223.000000+060"), L"'System' "));
  EXPECT_EQ(report.at(0), L"Log: 'System'  Date/Time: 10/08/2009 21:02:23");
}

TEST(EventRecord, MessageCleanUp) {
  struct Case {
    std::optional<std::wstring> message;  // nothing: the property is missing
    std::wstring written;
  } cases[] = {
      {std::nullopt, L"The event description cannot be found."},
      {L"", L""},
      {L"Line one\r\nLine two\r\n", L"Line one Line two "},
      {L"lone\nfeed", L"lone\nfeed"},
      {L"lone\rreturn", L"lone\rreturn"},
      {L"\r\r\n\n", L"\r \n"},
      {L"tab\tand \u00e9", L"tab\tand \u00e9"},
  };
  for (const Case& c : cases) {
    Event e = event(L"Error", L"20090810210223.000000+060");
    if (c.message) {
      e[L"Message"] = *c.message;
    } else {
      e.erase(L"Message");
    }
    const std::wstring report = recordOf(e);
    const std::wstring expectedTail = c.written + L"\r\n\r\n";
    ASSERT_GE(report.size(), expectedTail.size());
    EXPECT_EQ(report.substr(report.size() - expectedTail.size()), expectedTail)
        << "message " << (c.message ? *c.message : L"(missing)");
  }
}

TEST(EventRecord, EmptyMessageLeavesTwoEmptyLinesAfterTheThird) {
  Event e = event(L"Error", L"20090810210223.000000+060");
  e[L"Message"] = std::wstring();
  const auto report = lines(recordOf(e));
  ASSERT_EQ(report.size(), 5u);
  EXPECT_EQ(report[3], L"");
  EXPECT_EQ(report[4], L"");
}

TEST(EventRecord, MissingPropertiesContributeNoText) {
  const Event e{{L"Type", std::wstring(L"Error")}, {L"TimeWritten", std::wstring(L"20090810210223.000000+060")}};
  const auto report = lines(recordOf(e));
  EXPECT_EQ(report.at(1), L"Type: Error Category: ");
  EXPECT_EQ(report.at(2), L"Event:  Source: ");
  EXPECT_EQ(report.at(3), L"The event description cannot be found.");
}

TEST(EventRecord, NumbersAreDecimalWithoutGrouping) {
  Event e = event(L"Error", L"20090810210223.000000+060", L"m", 3221232472LL);
  e[L"Category"] = std::int64_t{-1};
  const auto report = lines(recordOf(e));
  EXPECT_EQ(report.at(1), L"Type: Error Category: -1");
  EXPECT_EQ(report.at(2), L"Event: 3221232472 Source: Service Control Manager");
}

TEST(EventDate, IgnoresFractionAndOffset) {
  const auto report = lines(recordOf(event(L"Error", L"20091231235959.123456-300")));
  EXPECT_EQ(report.at(0), L"Log: 'System' Date/Time: 31/12/2009 23:59:59");
}

TEST(EventDate, MalformedTimeWrittenIsATypeMismatch) {
  const PropertyValue bad[] = {
      PropertyValue{},
      PropertyValue{std::wstring()},
      PropertyValue{std::wstring(L"2009")},
      PropertyValue{std::wstring(L"2009081021022")},
      PropertyValue{std::wstring(L"20091310210223.000000+060")},
      PropertyValue{std::wstring(L"20090230210223.000000+060")},
      PropertyValue{std::wstring(L"20090810250223.000000+060")},
      PropertyValue{std::wstring(L"2009/8/1 21:02:23.000000")},
      PropertyValue{std::wstring(L"00000101000000.000000+000")},
      PropertyValue{std::wstring(L"x0090810210223.000000+060")},
      PropertyValue{std::int64_t{2009}},
  };
  for (const PropertyValue& value : bad) {
    Event e = event(L"Error", L"");
    e[L"TimeWritten"] = value;
    try {
      recordOf(e);
      ADD_FAILURE() << "TimeWritten " << propertyText(value) << " was accepted";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), kTypeMismatch) << propertyText(value);
    }
  }
}

TEST(EventDate, ValidTimesReadAsWallClock) {
  struct Case {
    const wchar_t* timeWritten;
    DateTime expected;
  } cases[] = {
      {L"20090810210223.000000+060", {2009, 8, 10, 21, 2, 23}},
      {L"20080229000000.000000+000", {2008, 2, 29, 0, 0, 0}},
      {L"20261208235959", {2026, 12, 8, 23, 59, 59}},
  };
  for (const Case& c : cases) {
    FakeEventLog log;
    log.logs[L"'System'"] = {event(L"Error", c.timeWritten)};
    const auto events = log.connect()->ExecQuery(queryText(L"'System'"), {});
    ASSERT_TRUE(events->next());
    EXPECT_EQ(eventDate(*events), c.expected) << c.timeWritten;
  }
}

}  // namespace
}  // namespace brask::fakes
