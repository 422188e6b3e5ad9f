#include "environment/locale_query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fakes.h"

namespace brask {
namespace {

using fakes::FakeLocale;

constexpr std::int32_t kEnglishUS = 0x0409;
constexpr std::int32_t kGerman = 0x0407;
constexpr std::int32_t kDutch = 0x0413;

std::string shown(const std::vector<int>& sizes) {
  std::string text = "{";
  for (std::size_t i = 0; i < sizes.size(); ++i) text += (i ? ", " : "") + std::to_string(sizes[i]);
  return text + "}";
}

// Also records the locale and type of every GetLocaleInfoA call.
class AskedLocale : public FakeLocale {
 public:
  std::vector<std::pair<std::int32_t, std::int32_t>> asked;

  int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) override {
    asked.emplace_back(locale, lcType);
    return FakeLocale::GetLocaleInfoA(locale, lcType, buffer, size);
  }
};

// Answers the two calls of the protocol with given numbers, and records the buffer it was
// handed for the fill.
class ScriptedLocale : public FakeLocale {
 public:
  int size = 0;
  int count = 0;
  std::string fill;
  std::string bufferHanded;

  int GetLocaleInfoA(std::int32_t, std::int32_t, char* buffer, int bufferSize) override {
    sizesAsked.push_back(bufferSize);
    if (bufferSize == 0) return size;
    bufferHanded.assign(buffer, static_cast<std::size_t>(bufferSize));
    fill.copy(buffer, std::min(fill.size(), static_cast<std::size_t>(bufferSize)));
    return count;
  }
};

TEST(GetUserLocaleInfo, SizeThenFill) {
  FakeLocale locale;
  locale.info[{kGerman, lctype::kEnglishLanguage}] = "German";
  const std::wstring text = GetUserLocaleInfo(locale, kGerman, lctype::kEnglishLanguage);
  EXPECT_EQ(text, L"German") << "expected \"German\", got \"" << text << "\"";
  EXPECT_EQ(locale.sizesAsked, (std::vector<int>{0, 7}))
      << "sizes asked: expected {0, 7}, got " << shown(locale.sizesAsked);
}

TEST(GetUserLocaleInfo, ProtocolAnswers) {
  static const struct {
    const char* what;
    int size;
    int count;
    const char* fill;
    const wchar_t* expected;
    std::vector<int> sizesAsked;
  } cases[] = {
      {"size 7, count 7", 7, 7, "German", L"German", {0, 7}},
      // The count, not the terminating zero, ends the text.
      {"size 10, count 7", 10, 7, "German", L"German", {0, 10}},
      {"count 1: the zero alone", 7, 1, "", L"", {0, 7}},
      {"size 0: no second call", 0, 7, "German", L"", {0}},
      {"second call 0", 7, 0, "German", L"", {0, 7}},
      {"negative size", -1, 7, "German", L"", {0}},
      {"count beyond the buffer", 4, 7, "German", L"", {0, 4}},
  };
  for (const auto& c : cases) {
    ScriptedLocale locale;
    locale.size = c.size;
    locale.count = c.count;
    locale.fill = std::string(c.fill) + '\0';
    const std::wstring text = GetUserLocaleInfo(locale, kGerman, lctype::kEnglishLanguage);
    EXPECT_EQ(text, c.expected) << c.what << ": expected \"" << c.expected << "\", got \"" << text
                                << "\"";
    EXPECT_EQ(locale.sizesAsked, c.sizesAsked)
        << c.what << ": sizes asked expected " << shown(c.sizesAsked) << ", got "
        << shown(locale.sizesAsked);
    if (c.sizesAsked.size() == 2) {
      const std::string blanks(static_cast<std::size_t>(c.size), ' ');
      EXPECT_EQ(locale.bufferHanded, blanks) << c.what << ": expected a buffer of " << c.size
                                             << " blanks, got \"" << locale.bufferHanded << "\"";
    }
  }
}

TEST(GetUserLocaleInfo, UnknownLocaleOrTypeAsksOnce) {
  static const struct {
    std::int32_t locale;
    std::int32_t type;
  } cases[] = {
      {0x7777, lctype::kEnglishLanguage},
      {kEnglishUS, 0x7777},
      {0, lctype::kEnglishLanguage},
  };
  for (const auto& c : cases) {
    FakeLocale locale;
    const std::wstring text = GetUserLocaleInfo(locale, c.locale, c.type);
    EXPECT_EQ(text, L"") << "locale 0x" << std::hex << c.locale << ", type 0x" << c.type
                         << ": expected \"\", got \"" << text << "\"";
    EXPECT_EQ(locale.sizesAsked, (std::vector<int>{0}))
        << "locale 0x" << std::hex << c.locale << ", type 0x" << c.type
        << ": sizes asked expected {0}, got " << shown(locale.sizesAsked);
  }
}

TEST(GetUserLocaleInfo, SecondCallFailing) {
  FakeLocale locale;
  locale.failFill = true;
  const std::wstring text = GetUserLocaleInfo(locale, kEnglishUS, lctype::kEnglishLanguage);
  EXPECT_EQ(text, L"") << "expected \"\", got \"" << text << "\"";
  EXPECT_EQ(locale.sizesAsked, (std::vector<int>{0, 8}))
      << "sizes asked: expected {0, 8}, got " << shown(locale.sizesAsked);
}

TEST(GetUserLocaleInfo, BytesAboveAsciiKeepTheirCode) {
  FakeLocale locale;
  locale.info[{0x0414, lctype::kEnglishLanguage}] = "Norwegian (Bokm\xE5l)";
  const std::wstring text = GetUserLocaleInfo(locale, 0x0414, lctype::kEnglishLanguage);
  EXPECT_EQ(text, L"Norwegian (Bokm\u00E5l)")
      << "expected \"Norwegian (Bokm\u00E5l)\", got \"" << text << "\"";
}

TEST(GetLanguage, SetsTheLanguageName) {
  static const struct {
    const char* language;
    const wchar_t* expected;
  } cases[] = {
      {"Dutch", L"Dutch"},   {"English", L"English"}, {"German", L"German"},
      {"French", L"French"}, {"Italian", L"Italian"}, {"Spanish", L"Spanish"},
  };
  for (const auto& c : cases) {
    FakeLocale locale("M/d/yyyy", c.language);
    std::wstring strLang1 = L"previous";
    getLanguage(locale, strLang1);
    EXPECT_EQ(strLang1, c.expected)
        << "expected \"" << c.expected << "\", got \"" << strLang1 << "\"";
  }
}

TEST(GetLanguage, FailureOverwritesAnEarlierName) {
  static const struct {
    const char* what;
    bool failFill;
    bool known;
    std::vector<int> sizesAsked;
  } cases[] = {
      {"first call 0", false, false, {0}},
      {"second call 0", true, true, {0, 7}},
  };
  for (const auto& c : cases) {
    FakeLocale locale("M/d/yyyy", "French");
    locale.failFill = c.failFill;
    if (!c.known) locale.info.erase({locale.lcid, lctype::kEnglishLanguage});
    std::wstring strLang1 = L"French";
    getLanguage(locale, strLang1);
    EXPECT_EQ(strLang1, L"") << c.what << ": expected \"\", got \"" << strLang1 << "\"";
    EXPECT_EQ(locale.sizesAsked, c.sizesAsked)
        << c.what << ": sizes asked expected " << shown(c.sizesAsked) << ", got "
        << shown(locale.sizesAsked);
  }
}

TEST(GetLanguage, UsesTheSystemDefaultLocale) {
  // The user's own locale is English (United States); the system default is Dutch.
  AskedLocale locale;
  locale.info[{kEnglishUS, lctype::kEnglishLanguage}] = "English";
  locale.info[{kDutch, lctype::kEnglishLanguage}] = "Dutch";
  locale.lcid = kDutch;
  std::wstring strLang1;
  getLanguage(locale, strLang1);
  EXPECT_EQ(strLang1, L"Dutch") << "expected \"Dutch\", got \"" << strLang1 << "\"";
  const std::vector<std::pair<std::int32_t, std::int32_t>> expected{
      {kDutch, lctype::kEnglishLanguage}, {kDutch, lctype::kEnglishLanguage}};
  EXPECT_EQ(locale.asked, expected)
      << "expected two calls for (0x413, 0x1001), got " << locale.asked.size()
      << " calls, the first for (0x" << std::hex
      << (locale.asked.empty() ? 0 : locale.asked[0].first) << ", 0x"
      << (locale.asked.empty() ? 0 : locale.asked[0].second) << ")";
}

}  // namespace
}  // namespace brask
