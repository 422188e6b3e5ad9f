#include "validation/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

namespace brask {
namespace {

TEST(IsNumeric, FullStopLocale) {
  static const struct {
    const wchar_t* text;
    bool numeric;
  } cases[] = {
      {L"", false},      {L" ", false},      {L"   ", false},      {L"abc", false},
      {L"12abc", false}, {L"abc12", false},  {L"0x10", false},     {L"&H10", false},
      {L"1e3", false},   {L"7", true},       {L" 7 ", true},       {L"  7", true},
      {L"2.5", true},    {L".5", true},      {L"5.", true},        {L"-3", true},
      {L"+4", true},     {L" -3 ", true},    {L"3-", false},       {L"--3", false},
      {L"+-3", false},   {L"-", false},      {L"+", false},        {L".", false},
      {L"1,000", true},  {L"1,000.5", true}, {L"1,000,000", true}, {L"1.000,5", false},
      {L"1.2.3", false}, {L"2..5", false},   {L"1 000", false},    {L"0", true},
      {L"20", true},     {L"020", true},
  };
  for (const auto& c : cases) {
    const bool numeric = isNumeric(c.text, L".", L",");
    EXPECT_EQ(numeric, c.numeric) << "isNumeric(\"" << c.text << "\", \".\", \",\"): expected "
                                  << c.numeric << ", got " << numeric;
  }
}

TEST(IsNumeric, CommaLocale) {
  static const struct {
    const wchar_t* text;
    bool numeric;
  } cases[] = {
      {L"2,5", true},    {L"-2,5", true},     {L"1.000", true}, {L"1.000,5", true},
      {L"2,5,0", false}, {L"1,000.5", false}, {L"abc", false},  {L"", false},
      {L"7", true},      {L",", false},       {L" 2,5 ", true},
  };
  for (const auto& c : cases) {
    const bool numeric = isNumeric(c.text, L",", L".");
    EXPECT_EQ(numeric, c.numeric) << "isNumeric(\"" << c.text << "\", \",\", \".\"): expected "
                                  << c.numeric << ", got " << numeric;
  }
}

TEST(IsNumeric, LocaleWithoutGrouping) {
  const bool grouped = isNumeric(L"1,000", L".", L"");
  EXPECT_FALSE(grouped) << "isNumeric(\"1,000\", \".\", \"\"): expected 0, got " << grouped;
  const bool plain = isNumeric(L"1000.5", L".", L"");
  EXPECT_TRUE(plain) << "isNumeric(\"1000.5\", \".\", \"\"): expected 1, got " << plain;
}

TEST(LeadingValue, Examples) {
  static const struct {
    const wchar_t* text;
    double expected;
  } cases[] = {
      {L"7", 7},           {L" 2.5", 2.5},   {L"12abc", 12},
      {L"1,5", 1},         {L"abc", 0},      {L"", 0},
      {L" ", 0},           {L"1 2 3", 123},  {L"\t4\n2", 42},
      {L" \t\n 9", 9},     {L"2009 ", 2009}, {L" 2009 ", 2009},
      {L"&H1F", 31},       {L"&h1f", 31},    {L"&HFF", 255},
      {L"&H 1F", 31},      {L"&o17", 15},    {L"&O17", 15},
      {L"&O8", 0},         {L"&O78", 7},     {L"&H", 0},
      {L"&O", 0},          {L"&", 0},        {L"&HG", 0},
      {L"-3", -3},         {L"+4", 4},       {L"- 3", -3},
      {L"-", 0},           {L"+", 0},        {L"1e3", 1000},
      {L"1E3", 1000},      {L"1e+2", 100},   {L"1.5e-1", 0.15},
      {L"1e", 1},          {L"1e+", 1},      {L"1ex", 1},
      {L"1d2", 100},       {L"-.5", -0.5},   {L".5", 0.5},
      {L"5.", 5},          {L".", 0},        {L"1.2.3", 1.2},
      {L"20.5", 20.5},     {L"0x10", 0},     {L"05", 5},
      {L"2009.5", 2009.5}, {L"x7", 0},       {L"--3", 0},
  };
  for (const auto& c : cases) {
    const double value = leadingValue(c.text);
    EXPECT_DOUBLE_EQ(value, c.expected)
        << "leadingValue(\"" << c.text << "\"): expected " << c.expected << ", got " << value;
  }
}

TEST(LeadingValue, BeyondDouble) {
  const std::wstring manyDigits(400, L'9');
  const struct {
    std::wstring text;
  } cases[] = {
      {manyDigits},  {L"1" + std::wstring(399, L'0')},  {L"1e400"},
      {L"1E999999"}, {L"&H" + std::wstring(300, L'F')},
      {L"&H" + std::wstring(256, L'F') + L"0"}, {L"&O" + std::wstring(400, L'7')},
  };
  for (const auto& c : cases) {
    const double value = leadingValue(c.text);
    EXPECT_EQ(value, DBL_MAX) << "leadingValue(\"" << c.text.substr(0, 12)
                              << "...\"): expected the largest double, got " << value;
  }
  const double negative = leadingValue(L"-" + manyDigits);
  EXPECT_EQ(negative, -DBL_MAX) << "leadingValue(\"-999...\"): expected the lowest double, got " << negative;
  const double below = leadingValue(L"-1e400");
  EXPECT_EQ(below, -DBL_MAX) << "leadingValue(\"-1e400\"): expected the lowest double, got " << below;
  const double tiny = leadingValue(L"1e-400");
  EXPECT_LT(tiny, 1) << "leadingValue(\"1e-400\"): expected less than 1, got " << tiny;
  EXPECT_GE(tiny, 0) << "leadingValue(\"1e-400\"): expected at least 0, got " << tiny;
}

}  // namespace
}  // namespace brask
