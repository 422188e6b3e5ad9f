#include "validation/date_strings.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fakes.h"

namespace brask {
namespace {

using fakes::FakeForm;

TEST(DateStrings, JoinedExactlyAsTyped) {
  static const struct {
    const wchar_t* day;
    const wchar_t* month;
    const wchar_t* year;
    const wchar_t* expected;
  } cases[] = {
      {L"10", L"8", L"2009", L"10/8/2009"},       {L"05", L"03", L"2009", L"05/03/2009"},
      {L" 5 ", L" 3", L"2009 ", L" 5 / 3/2009 "}, {L"", L"", L"", L"//"},
      {L"5x", L"a/b", L"20.09", L"5x/a/b/20.09"},
  };
  for (const auto& c : cases) {
    FakeForm form;
    form.texts[ControlId::txtDayFrom] = c.day;
    form.texts[ControlId::txtMthFrom] = c.month;
    form.texts[ControlId::txtYrFrom] = c.year;
    form.texts[ControlId::txtDayTo] = std::wstring(L"T") + c.day;
    form.texts[ControlId::txtMthTo] = std::wstring(L"T") + c.month;
    form.texts[ControlId::txtYrTo] = std::wstring(L"T") + c.year;
    const std::wstring expectedTo = std::wstring(L"T") + c.day + L"/T" + c.month + L"/T" + c.year;
    const std::wstring from = fromString(form);
    const std::wstring to = toString(form);
    EXPECT_EQ(from, c.expected) << "From: expected \"" << c.expected << "\", got \"" << from
                                << "\"";
    EXPECT_EQ(to, expectedTo) << "To: expected \"" << expectedTo << "\", got \"" << to << "\"";
  }
}

}  // namespace
}  // namespace brask
