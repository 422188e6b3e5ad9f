#include "platform/event_log/record_marks.h"

#include <gtest/gtest.h>

#include "platform/event_log/event_levels.h"

namespace brask {
namespace {

TEST(RecordMarks, WhatBecameOfASavedPositionByTheLogsNewestAndOldest) {
  using enum SinceSaved;
  const struct {
    std::optional<std::uint64_t> newest;
    std::optional<std::uint64_t> oldest;
    std::optional<LogPosition> saved;
    SinceSaved since;
  } cases[] = {
      {100, 1, std::nullopt, Continues},
      {std::nullopt, std::nullopt, std::nullopt, Continues},
      {100, 1, L"100", Continues},
      {100, 41, L"40", Continues},    // the event after the saved one is still there
      {100, 42, L"40", Overwritten},  // it is gone
      {39, 1, L"40", Cleared},
      {std::nullopt, std::nullopt, L"40", Cleared},
      {100, 1, L"", Cleared},
      {100, 1, L"4O", Cleared},
      {100, 1, L"-1", Cleared},
      {100, 1, L"18446744073709551616", Cleared},  // beyond 64 bits
      {UINT64_MAX, UINT64_MAX, L"18446744073709551615", Continues},
      {UINT64_MAX, UINT64_MAX, L"18446744073709551614", Continues},
  };
  for (const auto& c : cases) {
    const LogMark mark = recordMark(c.newest, c.oldest, c.saved);
    const std::wstring saved = c.saved.value_or(L"(none)");
    EXPECT_EQ(mark.since, c.since) << testing::PrintToString(saved);
    EXPECT_EQ(mark.newest, c.newest ? std::optional(std::to_wstring(*c.newest)) : std::nullopt);
  }
}

TEST(RecordMarks, AClassicEventsTypeByItsNumber) {
  const EventTypeNames english = *eventTypeNames(L"English", Generation::Newer);
  const EventTypeNames germanXp = *eventTypeNames(L"German", Generation::Older);
  const struct {
    std::optional<std::int64_t> eventType;
    const EventTypeNames& spelling;
    const wchar_t* type;
  } cases[] = {
      {1, english, L"Error"},           {2, english, L"Warning"},
      {3, english, L"Information"},     {4, english, L"Audit Success"},
      {5, english, L"Audit Failure"},   {0, english, L"Information"},
      {std::nullopt, english, L"Information"}, {6, english, L"Information"},
      {1, germanXp, L"Fehler"},         {2, germanXp, L"Warnung"},
      {3, germanXp, L"Informationen"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(classicEventType(c.eventType, c.spelling), c.type) << c.eventType.value_or(-1);
}

}  // namespace
}  // namespace brask
