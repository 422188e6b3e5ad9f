#include "validation/error_traps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fakes.h"

namespace brask {
namespace {

using enum ControlId;
using fakes::FakeClock;
using fakes::FakeForm;
using fakes::FakeLocale;
using fakes::RecordingDialogs;

struct Check {
  const wchar_t* prompt;
  const wchar_t* title;
};

// The fourteen checks, by number.
const Check kChecks[15] = {
    {nullptr, nullptr},
    {L"You must select at least one log to query or you won't get any results!",
     L"Please check your selections"},
    {L"You must select at least one type to list or you won't get any results!",
     L"Please check your selections"},
    {L"You must select either 'Number of events' or 'Date of events'.  Your choice.",
     L"Please check your selections"},
    {L"The number of events must be a number (1 to 20).", L"Please check your selections"},
    {L"Err... the number of events must be from 1 to 20.", L"Please check your selections"},
    {L"The 'From:' day is invalid.", L"Please check your dates"},
    {L"The 'From:' month is invalid.", L"Please check your dates"},
    {L"Best keep the From: date in the current or previous year to get some meaningful results.",
     L"Please check your dates"},
    {L"The 'To:' day is invalid.", L"Please check your dates"},
    {L"The 'To:' month is invalid.", L"Please check your dates"},
    {L"Best keep the To: date in the current or previous year to get some meaningful results.",
     L"Please check your dates"},
    {L"The 'From:' date must be a valid date not in the future.", L"Please check your input"},
    {L"The 'To:' date must be a valid date not in the future.", L"Please check your input"},
    {L"The 'From:' date must not be after the 'To:' date.", L"Please check your input"},
};

// The number of the check whose prompt this is; -1 for a prompt of none.
int checkOf(const std::wstring& prompt) {
  for (int i = 1; i <= 14; ++i) {
    if (prompt == kChecks[i].prompt) return i;
  }
  return -1;
}

const ControlId kCheckBoxes[] = {chkApplication, chkSystem,  chkError,
                                 chkInformation, chkWarning, chkCritical};
const ControlId kDateFields[] = {txtDayFrom, txtMthFrom, txtYrFrom, txtDayTo, txtMthTo, txtYrTo};

// The form, also recording which text boxes were read.
class ReadForm : public FakeForm {
 public:
  std::vector<ControlId> textsRead;

  std::wstring text(ControlId textBox) override {
    textsRead.push_back(textBox);
    return FakeForm::text(textBox);
  }
};

struct Dates {
  const wchar_t* dayFrom;
  const wchar_t* monthFrom;
  const wchar_t* yearFrom;
  const wchar_t* dayTo;
  const wchar_t* monthTo;
  const wchar_t* yearTo;
};

// A window whose every control the checks read holds a value, so that reading leaves
// the fake's maps as they are.
struct Window {
  ReadForm form;
  RecordingDialogs dialogs;
  FakeClock clock;  // 10 August 2009, 21:02:23
  FakeLocale locale;

  Window() {
    for (ControlId box : kCheckBoxes) form.checks[box] = 0;
    form.options[optNumber] = false;
    form.options[optDate] = false;
    form.texts[txtNumber] = L"";
    for (ControlId field : kDateFields) form.texts[field] = L"";
  }

  void numberMode(const wchar_t* number) {
    form.checks[chkApplication] = 1;
    form.checks[chkError] = 1;
    form.options[optNumber] = true;
    form.texts[txtNumber] = number;
  }

  void dateMode(const Dates& dates) {
    form.checks[chkApplication] = 1;
    form.checks[chkError] = 1;
    form.options[optDate] = true;
    setDates(dates);
  }

  void setDates(const Dates& dates) {
    form.texts[txtDayFrom] = dates.dayFrom;
    form.texts[txtMthFrom] = dates.monthFrom;
    form.texts[txtYrFrom] = dates.yearFrom;
    form.texts[txtDayTo] = dates.dayTo;
    form.texts[txtMthTo] = dates.monthTo;
    form.texts[txtYrTo] = dates.yearTo;
  }
};

// Calls ErrorTraps once and expects the message of check `expected` alone (0: none), the
// matching result, and the form as it was.
void expectCheck(Window& window, int expected, const std::string& what) {
  const auto checks = window.form.checks;
  const auto options = window.form.options;
  const auto texts = window.form.texts;
  window.dialogs.messages.clear();

  const int result = ErrorTraps(window.form, window.dialogs, window.clock, window.locale);

  const auto& messages = window.dialogs.messages;
  const int expectedResult = expected == 0 ? 0 : 1;
  EXPECT_EQ(result, expectedResult)
      << what << ": result expected " << expectedResult << ", got " << result;
  if (expected == 0) {
    EXPECT_TRUE(messages.empty()) << what << ": expected no message, got " << messages.size()
                                  << ", the first \"" << messages.front().prompt << "\"";
  } else if (messages.size() != 1) {
    ADD_FAILURE() << what << ": expected one message, that of check " << expected << ", got "
                  << messages.size();
  } else {
    EXPECT_EQ(messages[0].prompt, kChecks[expected].prompt)
        << what << ": expected check " << expected << " \"" << kChecks[expected].prompt
        << "\", got check " << checkOf(messages[0].prompt) << " \"" << messages[0].prompt << "\"";
    EXPECT_EQ(messages[0].title, kChecks[expected].title)
        << what << ": title expected \"" << kChecks[expected].title << "\", got \""
        << messages[0].title << "\"";
  }
  EXPECT_EQ(window.form.checks, checks) << what << ": check boxes changed";
  EXPECT_EQ(window.form.options, options) << what << ": option buttons changed";
  EXPECT_EQ(window.form.texts, texts) << what << ": texts changed";
  EXPECT_EQ(window.form.ended, 0) << what << ": expected the window kept, got it ended";
}

std::string narrow(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

std::string shown(const wchar_t* text) {
  std::string quoted = "\"";
  quoted += narrow(text);
  quoted += '"';
  return quoted;
}

const Dates kToday{L"10", L"8", L"2009", L"10", L"8", L"2009"};

TEST(ErrorTraps, Selections) {
  static const struct {
    int application, system, error, information, warning, critical;
    bool number, date;
    int expected;
  } cases[] = {
      {0, 0, 0, 0, 0, 0, false, false, 1},  // everything missing: the log message alone
      {0, 0, 1, 1, 1, 1, true, false, 1},
      {0, 0, 1, 0, 0, 0, false, true, 1},
      {1, 0, 0, 0, 0, 0, false, false, 2},
      {0, 1, 0, 0, 0, 0, true, false, 2},
      {1, 1, 0, 0, 0, 0, false, true, 2},
      {1, 0, 1, 0, 0, 0, false, false, 3},  // valid number and dates, no option
      {1, 1, 1, 1, 1, 1, false, false, 3},
      {1, 0, 1, 0, 0, 0, true, false, 0},
      {0, 1, 1, 0, 0, 0, true, false, 0},
      {1, 0, 0, 1, 0, 0, true, false, 0},
      {1, 0, 0, 0, 1, 0, true, false, 0},
      {1, 0, 0, 0, 0, 1, true, false, 0},  // Critical alone is a type
      {1, 0, 0, 0, 0, 1, false, true, 0},
      {1, 1, 1, 1, 1, 1, false, true, 0},
      // A grayed check box (state 2) counts as checked.
      {2, 0, 1, 0, 0, 0, true, false, 0},
      {0, 2, 0, 0, 0, 2, true, false, 0},
      {1, 0, 0, 2, 0, 0, false, true, 0},
      {1, 0, 0, 0, 2, 0, true, false, 0},
      {1, 0, 2, 0, 0, 0, true, false, 0},
  };
  for (const auto& c : cases) {
    Window window;
    window.form.checks[chkApplication] = c.application;
    window.form.checks[chkSystem] = c.system;
    window.form.checks[chkError] = c.error;
    window.form.checks[chkInformation] = c.information;
    window.form.checks[chkWarning] = c.warning;
    window.form.checks[chkCritical] = c.critical;
    window.form.options[optNumber] = c.number;
    window.form.options[optDate] = c.date;
    window.form.texts[txtNumber] = L"5";
    window.setDates(kToday);
    const std::string what = "logs " + std::to_string(c.application) + std::to_string(c.system) +
                             ", types " + std::to_string(c.error) + std::to_string(c.information) +
                             std::to_string(c.warning) + std::to_string(c.critical) +
                             (c.number ? ", number" : "") + (c.date ? ", date" : "");
    expectCheck(window, c.expected, what);
  }
}

TEST(ErrorTraps, NumberField) {
  static const struct {
    const wchar_t* text;
    int expected;
  } cases[] = {
      {L"", 4},    {L"   ", 4},   {L"abc", 4}, {L"12abc", 4}, {L"0x10", 4},  {L"&H10", 4},
      {L"1e1", 4}, {L"2.5.0", 4}, {L"-", 4},   {L"+", 4},     {L"0", 5},     {L"-3", 5},
      {L"21", 5},  {L"20.5", 5},  {L"0.5", 5}, {L"-0", 5},    {L"1,000", 0}, {L"1", 0},
      {L"20", 0},  {L"2.5", 0},   {L" 7 ", 0}, {L"7", 0},     {L"+4", 0},    {L"19.99", 0},
      {L"020", 0}, {L"1,5,0", 0},
  };
  for (const auto& c : cases) {
    Window window;
    window.numberMode(c.text);
    expectCheck(window, c.expected, "number " + shown(c.text));
  }
}

TEST(ErrorTraps, NumberFieldBeyondDouble) {
  Window window;
  const std::wstring manyDigits(400, L'9');
  window.numberMode(manyDigits.c_str());
  expectCheck(window, 5, "number of 400 nines");
  window.form.texts[txtNumber] = L"-" + manyDigits;
  expectCheck(window, 5, "number of 400 nines, negative");
  window.form.texts[txtNumber] = L"1e400";
  expectCheck(window, 4, "number \"1e400\"");
}

TEST(ErrorTraps, NumberFieldInTheUsersNotation) {
  static const struct {
    const wchar_t* text;
    int expected;
  } cases[] = {
      {L"2,5", 0},                  // 2 events
      {L"2.5.0", 0},                // full stops group digits here
      {L"1,5,0", 4},                // two decimal commas
      {L"0,5", 5},   {L"20,5", 0},  // the leading value reads only up to the comma
      {L"abc", 4},
  };
  for (const auto& c : cases) {
    Window window;
    window.locale.user[lctype::kDecimal] = L",";
    window.locale.user[lctype::kThousand] = L".";
    window.numberMode(c.text);
    expectCheck(window, c.expected, "decimal comma, number " + shown(c.text));
  }
}

TEST(ErrorTraps, NumberModeNeverReadsTheDates) {
  static const Dates garbage[] = {
      {L"", L"", L"", L"", L"", L""},
      {L"abc", L"x", L"1999", L"99", L"-1", L"&H"},
      {L"31", L"4", L"2009", L"29", L"2", L"2009"},
      {L"11", L"8", L"2009", L"1", L"1", L"2009"},
  };
  for (const Dates& dates : garbage) {
    Window window;
    window.numberMode(L"7");
    window.setDates(dates);
    const std::string what = "number mode, From " + shown(dates.dayFrom) + "/" +
                             shown(dates.monthFrom) + "/" + shown(dates.yearFrom);
    expectCheck(window, 0, what);
    for (ControlId field : kDateFields) {
      const auto reads =
          std::count(window.form.textsRead.begin(), window.form.textsRead.end(), field);
      EXPECT_EQ(reads, 0) << what << ": date field " << static_cast<int>(field) << " read " << reads
                          << " times, expected never";
    }
  }
}

TEST(ErrorTraps, DateModeNeverJudgesTheNumber) {
  static const wchar_t* const numbers[] = {L"", L"abc", L"0", L"99", L"12abc", L"-3"};
  for (const wchar_t* number : numbers) {
    Window window;
    window.dateMode(kToday);
    window.form.texts[txtNumber] = number;
    expectCheck(window, 0, "date mode, number " + shown(number));
  }
}

// With the clock on 31 December 2009, From 1/1/2008 and To 31/12/2009, one field changed.
TEST(ErrorTraps, DateFieldBounds) {
  static const struct {
    ControlId field;
    const wchar_t* text;
    int expected;
  } cases[] = {
      {txtDayFrom, L"1", 0},    {txtDayFrom, L"31", 0},   {txtDayFrom, L"01", 0},
      {txtDayFrom, L" 1 ", 0},  {txtDayFrom, L"0", 6},    {txtDayFrom, L"32", 6},
      {txtDayFrom, L"0.5", 6},  {txtDayFrom, L"31.5", 6}, {txtDayFrom, L"", 6},
      {txtDayFrom, L"abc", 6},  {txtDayFrom, L"-1", 6},   {txtDayFrom, L"1e400", 6},
      {txtDayFrom, L"1.5", 12}, {txtDayFrom, L"5x", 12},  {txtDayFrom, L"&H1F", 12},
      {txtMthFrom, L"1", 0},    {txtMthFrom, L"12", 0},   {txtMthFrom, L"0", 7},
      {txtMthFrom, L"13", 7},   {txtMthFrom, L"0.5", 7},  {txtMthFrom, L"12.5", 7},
      {txtMthFrom, L"", 7},     {txtMthFrom, L"2.5", 12}, {txtDayTo, L"1", 0},
      {txtDayTo, L"31", 0},     {txtDayTo, L"0", 9},      {txtDayTo, L"32", 9},
      {txtDayTo, L"0.5", 9},    {txtDayTo, L"31.5", 9},   {txtDayTo, L"", 9},
      {txtDayTo, L"5x", 13},    {txtMthTo, L"1", 0},      {txtMthTo, L"12", 0},
      {txtMthTo, L"0", 10},     {txtMthTo, L"13", 10},    {txtMthTo, L"0.5", 10},
      {txtMthTo, L"12.5", 10},  {txtMthTo, L"", 10},      {txtMthTo, L"4", 13},
      {txtMthTo, L"2", 13},
  };
  for (const auto& c : cases) {
    Window window;
    window.clock.at = {2009, 12, 31, 15, 0, 0};
    window.dateMode({L"1", L"1", L"2008", L"31", L"12", L"2009"});
    window.form.texts[c.field] = c.text;
    expectCheck(window, c.expected,
                "field " + std::to_string(static_cast<int>(c.field)) + " " + shown(c.text));
  }
}

// With the clock on 31 December 2009, From 1/1/2008 and To 31/12/2009, one year changed.
TEST(ErrorTraps, YearChecks) {
  static const struct {
    ControlId field;
    const wchar_t* text;
    int expected;
  } cases[] = {
      {txtYrFrom, L"2009", 0},    {txtYrFrom, L"2008", 0},  {txtYrFrom, L" 2009 ", 0},
      {txtYrFrom, L"02008", 0},   {txtYrFrom, L"2007", 8},  {txtYrFrom, L"2010", 8},
      {txtYrFrom, L"09", 8},      {txtYrFrom, L"9", 8},     {txtYrFrom, L"2009.5", 8},
      {txtYrFrom, L"2008.1", 8},  {txtYrFrom, L"", 8},      {txtYrFrom, L"abc", 8},
      {txtYrFrom, L"2008.0", 12}, {txtYrTo, L"2009", 0},    {txtYrTo, L"2008", 0},
      {txtYrTo, L" 2009", 0},     {txtYrTo, L"2007", 11},   {txtYrTo, L"2010", 11},
      {txtYrTo, L"09", 11},       {txtYrTo, L"2009.5", 11}, {txtYrTo, L"", 11},
  };
  for (const auto& c : cases) {
    Window window;
    window.clock.at = {2009, 12, 31, 15, 0, 0};
    window.dateMode({L"1", L"1", L"2008", L"31", L"12", L"2009"});
    window.form.texts[c.field] = c.text;
    expectCheck(window, c.expected,
                (c.field == txtYrFrom ? "From year " : "To year ") + shown(c.text));
  }
}

TEST(ErrorTraps, DatesAgainstTodayAndEachOther) {
  static const struct {
    DateTime now;
    Dates dates;
    int expected;
  } cases[] = {
      {{2009, 8, 10, 21, 2, 23}, {L"10", L"8", L"2009", L"10", L"8", L"2009"}, 0},
      {{2009, 8, 10, 0, 0, 0}, {L"10", L"8", L"2009", L"10", L"8", L"2009"}, 0},
      {{2009, 8, 10, 23, 59, 59}, {L"10", L"8", L"2009", L"10", L"8", L"2009"}, 0},
      {{2009, 8, 10, 23, 59, 59}, {L"11", L"8", L"2009", L"11", L"8", L"2009"}, 12},
      {{2009, 8, 10, 21, 2, 23}, {L"11", L"8", L"2009", L"10", L"8", L"2009"}, 12},
      {{2009, 8, 10, 21, 2, 23}, {L"31", L"12", L"2009", L"31", L"12", L"2009"}, 12},
      {{2009, 8, 10, 21, 2, 23}, {L"10", L"8", L"2009", L"11", L"8", L"2009"}, 13},
      {{2009, 8, 10, 21, 2, 23}, {L"10", L"8", L"2008", L"11", L"8", L"2009"}, 13},
      {{2009, 8, 10, 21, 2, 23}, {L"10", L"8", L"2009", L"9", L"8", L"2009"}, 14},
      {{2009, 8, 10, 21, 2, 23}, {L"2", L"1", L"2008", L"1", L"1", L"2008"}, 14},
      {{2009, 8, 10, 21, 2, 23}, {L"1", L"8", L"2009", L"31", L"7", L"2009"}, 14},
      {{2009, 8, 10, 21, 2, 23}, {L"9", L"8", L"2009", L"9", L"8", L"2009"}, 0},
      {{2009, 8, 10, 21, 2, 23}, {L"1", L"1", L"2008", L"10", L"8", L"2009"}, 0},
      // leading zeros and blanks
      {{2009, 8, 10, 21, 2, 23}, {L"05", L"03", L"2009", L"10", L"08", L"2009"}, 0},
      {{2009, 3, 5, 12, 0, 0}, {L"05", L"03", L"2009", L"05", L"03", L"2009"}, 0},
      {{2009, 8, 10, 21, 2, 23}, {L" 5 ", L" 3 ", L" 2009 ", L"10 ", L" 8", L"2009 "}, 0},
      // days that do not exist
      {{2009, 8, 10, 21, 2, 23}, {L"31", L"4", L"2009", L"10", L"8", L"2009"}, 12},
      {{2009, 8, 10, 21, 2, 23}, {L"29", L"2", L"2009", L"10", L"8", L"2009"}, 12},
      {{2009, 8, 10, 21, 2, 23}, {L"29", L"2", L"2008", L"10", L"8", L"2009"}, 0},
      {{2009, 8, 10, 21, 2, 23}, {L"1", L"4", L"2009", L"31", L"4", L"2009"}, 13},
      {{2009, 8, 10, 21, 2, 23}, {L"1", L"1", L"2009", L"29", L"2", L"2009"}, 13},
      {{2009, 8, 10, 21, 2, 23}, {L"1", L"1", L"2008", L"29", L"2", L"2008"}, 0},
      // 1 January: December of the year before is still a recent year.
      {{2010, 1, 1, 0, 0, 5}, {L"15", L"12", L"2009", L"1", L"1", L"2010"}, 0},
      {{2010, 1, 1, 0, 0, 5}, {L"1", L"1", L"2010", L"1", L"1", L"2010"}, 0},
      {{2010, 1, 1, 0, 0, 5}, {L"31", L"12", L"2009", L"31", L"12", L"2009"}, 0},
      {{2010, 1, 1, 0, 0, 5}, {L"31", L"12", L"2008", L"1", L"1", L"2010"}, 8},
      {{2010, 1, 1, 0, 0, 5}, {L"15", L"12", L"2009", L"2", L"1", L"2010"}, 13},
  };
  for (const auto& c : cases) {
    Window window;
    window.clock.at = c.now;
    window.dateMode(c.dates);
    const Dates& d = c.dates;
    const std::string what = "today " + std::to_string(c.now.day) + "/" +
                             std::to_string(c.now.month) + "/" + std::to_string(c.now.year) +
                             ", From " + shown(d.dayFrom) + "/" + shown(d.monthFrom) + "/" +
                             shown(d.yearFrom) + ", To " + shown(d.dayTo) + "/" + shown(d.monthTo) +
                             "/" + shown(d.yearTo);
    expectCheck(window, c.expected, what);
  }
}

// Mending one failure after another: each call shows the message of the first check that
// still fails, and only that one.
TEST(ErrorTraps, EarlierCheckWins) {
  Window window;
  window.form.texts[txtNumber] = L"abc";
  window.setDates({L"0", L"13", L"1999", L"32", L"0", L"2010"});
  expectCheck(window, 1, "nothing chosen");
  const struct {
    ControlId control;
    const wchar_t* text;  // nullptr: check the box or select the option
    int expected;
  } steps[] = {
      {chkSystem, nullptr, 2}, {chkWarning, nullptr, 3},
      {optDate, nullptr, 6},   {txtDayFrom, L"31", 7},
      {txtMthFrom, L"4", 8},   {txtYrFrom, L"2009", 9},
      {txtDayTo, L"31", 10},   {txtMthTo, L"9", 11},
      {txtYrTo, L"2009", 12},   // From 31/4/2009 names no day, To 31/9/2009 neither
      {txtDayFrom, L"30", 13},  // To still names no day, and lies ahead
      {txtDayTo, L"1", 13},     // To 1/9/2009 lies ahead
      {txtMthTo, L"4", 14},     // To 1/4/2009 before From 30/4/2009
      {txtMthTo, L"5", 0},
  };
  for (const auto& step : steps) {
    if (step.control == chkSystem || step.control == chkWarning)
      window.form.checks[step.control] = 1;
    if (step.control == optDate) window.form.options[optDate] = true;
    if (step.text) window.form.texts[step.control] = step.text;
    expectCheck(window, step.expected, "step expecting check " + std::to_string(step.expected));
  }
}

TEST(ErrorTraps, EarlierCheckWinsInNumberMode) {
  Window window;
  window.form.texts[txtNumber] = L"abc";
  window.setDates({L"0", L"13", L"1999", L"32", L"0", L"2010"});
  expectCheck(window, 1, "nothing chosen");
  window.form.checks[chkApplication] = 1;
  expectCheck(window, 2, "a log");
  window.form.checks[chkCritical] = 1;
  expectCheck(window, 3, "a log and a type");
  window.form.options[optNumber] = true;
  expectCheck(window, 4, "number mode, \"abc\"");
  window.form.texts[txtNumber] = L"21";
  expectCheck(window, 5, "number mode, \"21\"");
  window.form.texts[txtNumber] = L"20";
  expectCheck(window, 0, "number mode, \"20\"");
}

}  // namespace
}  // namespace brask
