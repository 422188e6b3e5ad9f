#include "platform/event_log/event_xpath.h"

#include <gtest/gtest.h>

#include "platform/event_log/file_time.h"

namespace brask {
namespace {

TEST(EventXPath, SelectsTheLevelsSpelledAsTheTypeAndTheTimeBound) {
  const EventTypeNames english = *eventTypeNames(L"English", Generation::Newer);
  const EventTypeNames dutchXp = *eventTypeNames(L"Dutch", Generation::Older);
  const std::wstring before = L"TimeCreated[@SystemTime<'2009-08-11T00:00:00.000Z']";
  const std::optional<DateTime> any;
  // One computer's events in a collector's log: its spellings there, and its log.
  const EventOrigin spelt{{L"SRV01.corp", L"srv01.CORP"}, L"System"};
  const EventOrigin quoted{{L"o'neil"}, L"Application"};
  const EventOrigin unquotable{{L"srv01", L"o'neil\"s"}, L"System"};
  const EventOrigin many{std::vector<std::wstring>(11, L"srv01"), L"System"};
  const struct {
    const wchar_t* type;  // any type when null
    std::optional<DateTime> writtenBefore;
    const EventTypeNames& spelling;
    std::wstring xpath;
    std::optional<std::uint64_t> recordBelow = std::nullopt;
    const EventOrigin* origin = nullptr;
    std::optional<std::uint64_t> recordAbove = std::nullopt;
  } cases[] = {
      {nullptr, any, english, L"*"},
      {L"Critical", any, english, L"*[System[Level=1]]"},
      {L"Error", any, english, L"*[System[Level=2]]"},
      {L"Warning", any, english, L"*[System[Level=3]]"},
      {L"Information", any, english, L"*[System[Level=0 or Level>3]]"},
      {L"Fout", any, dutchXp, L"*[System[Level=1 or Level=2]]"},
      {L"Audit Success", any, english, L"*"},
      {L"Kritiek", any, english, L"*[System[Level<0]]"},
      {nullptr, DateTime{2009, 8, 10}, english, L"*[System[" + before + L"]]"},
      {L"Fout", DateTime{2009, 8, 10}, dutchXp, L"*[System[(Level=1 or Level=2) and " + before + L"]]"},
      {nullptr, any, english, L"*[System[EventRecordID<42]]", 42},
      {L"Fout", DateTime{2009, 8, 10}, dutchXp,
       L"*[System[(Level=1 or Level=2) and " + before + L" and EventRecordID<7]]", 7},
      {L"Error", any, english,
       L"*[System[Level=2 and EventRecordID<9 and (Computer='SRV01.corp' or "
       L"Computer='srv01.CORP') and Channel='System']]",
       9, &spelt},
      {nullptr, any, english, L"*[System[Computer=\"o'neil\" and Channel='Application']]", {}, &quoted},
      {nullptr, any, english, L"*[System[Channel='System']]", {}, &unquotable},
      {L"Error", any, english, L"*[System[Level=2 and Channel='System']]", {}, &many},
      // Only what is new since a bookmark, also in a walk read on below its last event.
      {nullptr, any, english, L"*[System[EventRecordID>41]]", {}, nullptr, 41},
      {L"Error", any, english,
       L"*[System[Level=2 and EventRecordID<90 and EventRecordID>41 and Channel='System']]", 90,
       &many, 41},
  };
  for (const auto& c : cases) {
    EventsWanted wanted{std::nullopt, c.writtenBefore};
    if (c.type) wanted.type = c.type;
    EXPECT_EQ(eventXPath(levelSelectionFor(wanted, c.spelling), c.recordBelow, c.origin, c.recordAbove),
              c.xpath)
        << testing::PrintToString(std::wstring(c.type ? c.type : L"(any)"));
  }
}

TEST(SystemTime, ReadAsTheEventXmlWritesIt) {
  constexpr std::uint64_t kUnixEpoch = 116444736000000000;
  const struct {
    const char* text;
    std::optional<std::uint64_t> fileTime;
  } cases[] = {
      {"1970-01-01T00:00:00Z", kUnixEpoch},
      {"1601-01-01T00:00:00.0000001Z", 1},
      {"2017-07-12T17:16:28.214161600Z", 131443533882141616},  // nine digits: the last two left out
      {"2017-07-12T17:16:28.2Z", 131443533882000000},
      {"2000-02-29T23:59:59.9999999Z", 125963423999999999},
      {"2001-02-29T00:00:00Z", std::nullopt},
      {"2017-07-12T17:16:28", std::nullopt},
      {"2017-07-12T17:16:28.Z", std::nullopt},
      {"2017-07-12 17:16:28Z", std::nullopt},
      {"+017-07-12T17:16:28Z", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(fileTimeOfSystemTime(c.text), c.fileTime) << c.text;
  // Written back to the millisecond.
  for (const std::uint64_t microseconds : {0ull, 951868799999000ull, 4102444800123000ull}) {
    const std::wstring text = systemTimeText(microseconds);
    EXPECT_EQ(fileTimeOfSystemTime(std::string(text.begin(), text.end())),
              microseconds * 10 + kUnixEpoch);
  }
}

}  // namespace
}  // namespace brask
