#include "environment/short_date_guard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fakes.h"

namespace brask {
namespace {

using fakes::FakeLocale;
using Sets = std::vector<std::pair<std::int32_t, std::string>>;

constexpr std::int32_t kEnglishUS = 0x0409;
constexpr std::int32_t kGerman = 0x0407;

std::string shown(const Sets& sets) {
  std::string text = "{";
  for (std::size_t i = 0; i < sets.size(); ++i) {
    text += (i ? ", " : "") + std::string("(0x") +
            (sets[i].first == lctype::kShortDate ? "1F" : "?") + ", \"" + sets[i].second + "\")";
  }
  return text + "}";
}

std::wstring wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

std::string inForce(FakeLocale& locale) { return locale.info[{locale.lcid, lctype::kShortDate}]; }

TEST(ShortDateGuard, ForcesAndRestores) {
  static const struct {
    const char* user;
    bool forced;  // the user's format differs from dd/MM/yyyy
  } cases[] = {
      {"M/d/yyyy", true},   {"dd/mm/yyyy", true},  {"dd-MM-yyyy", true},
      {"d.M.yyyy", true},   {"yyyy-MM-dd", true},  {"dd/MM/yy", true},
      {"DD/MM/YYYY", true}, {"dd/MM/yyyy ", true}, {"dd/MM/yyyy", false},
  };
  for (const auto& c : cases) {
    FakeLocale locale(c.user);
    std::wstring storeOriginal;
    std::int32_t storeLocaleID = 0;
    setShortDate(locale, storeOriginal, storeLocaleID);

    const std::wstring user = wide(c.user);
    EXPECT_EQ(storeOriginal, user) << "\"" << c.user << "\": storeOriginal expected \"" << user
                                   << "\", got \"" << storeOriginal << "\"";
    EXPECT_EQ(storeLocaleID, kEnglishUS)
        << "\"" << c.user << "\": storeLocaleID expected 0x409, got 0x" << std::hex
        << storeLocaleID;
    EXPECT_EQ(inForce(locale), "dd/MM/yyyy")
        << "\"" << c.user << "\": after setShortDate expected \"dd/MM/yyyy\" in force, got \""
        << inForce(locale) << "\"";
    const Sets forcedSets = c.forced ? Sets{{lctype::kShortDate, "dd/MM/yyyy"}} : Sets{};
    EXPECT_EQ(locale.sets, forcedSets) << "\"" << c.user << "\": after setShortDate expected "
                                       << shown(forcedSets) << ", got " << shown(locale.sets);

    restoreShortDate(locale, storeOriginal, storeLocaleID);
    EXPECT_EQ(inForce(locale), c.user)
        << "\"" << c.user << "\": after restoreShortDate expected \"" << c.user
        << "\" in force, got \"" << inForce(locale) << "\"";
    Sets allSets = forcedSets;
    if (c.forced) allSets.emplace_back(lctype::kShortDate, c.user);
    EXPECT_EQ(locale.sets, allSets) << "\"" << c.user << "\": after restoreShortDate expected "
                                    << shown(allSets) << ", got " << shown(locale.sets);
    EXPECT_EQ(storeOriginal, user)
        << "\"" << c.user << "\": storeOriginal after restore expected \"" << user << "\", got \""
        << storeOriginal << "\"";
  }
}

TEST(ShortDateGuard, UsesTheSystemDefaultLocale) {
  FakeLocale locale("M/d/yyyy");
  locale.lcid = kGerman;
  locale.info[{kGerman, lctype::kShortDate}] = "dd.MM.yyyy";
  std::wstring storeOriginal;
  std::int32_t storeLocaleID = 0;
  setShortDate(locale, storeOriginal, storeLocaleID);
  EXPECT_EQ(storeLocaleID, kGerman) << "expected 0x407, got 0x" << std::hex << storeLocaleID;
  EXPECT_EQ(storeOriginal, L"dd.MM.yyyy")
      << "expected \"dd.MM.yyyy\", got \"" << storeOriginal << "\"";
  EXPECT_EQ((locale.info[{kGerman, lctype::kShortDate}]), "dd/MM/yyyy")
      << "expected the system default locale's format forced";
  EXPECT_EQ((locale.info[{kEnglishUS, lctype::kShortDate}]), "M/d/yyyy")
      << "expected another locale's format untouched";

  // The restore goes to the saved locale, whatever the system default is by then.
  locale.lcid = kEnglishUS;
  restoreShortDate(locale, storeOriginal, storeLocaleID);
  EXPECT_EQ((locale.info[{kGerman, lctype::kShortDate}]), "dd.MM.yyyy")
      << "expected \"dd.MM.yyyy\" restored in locale 0x407, got \""
      << locale.info[{kGerman, lctype::kShortDate}] << "\"";
  EXPECT_EQ((locale.info[{kEnglishUS, lctype::kShortDate}]), "M/d/yyyy")
      << "expected locale 0x409 untouched, got \"" << locale.info[{kEnglishUS, lctype::kShortDate}]
      << "\"";
}

TEST(ShortDateGuard, PlatformWithoutAnswer) {
  static const struct {
    const char* what;
    bool failFirst;
    bool failSecond;
    std::vector<int> sizesAsked;
  } cases[] = {
      {"first call 0", true, false, {0}},
      {"second call 0", false, true, {0, 9}},
  };
  for (const auto& c : cases) {
    for (const wchar_t* before : {L"", L"yyyy-MM-dd"}) {
      FakeLocale locale("M/d/yyyy");
      if (c.failFirst) locale.info.erase({locale.lcid, lctype::kShortDate});
      locale.failFill = c.failSecond;
      std::wstring storeOriginal = before;
      std::int32_t storeLocaleID = 0;
      setShortDate(locale, storeOriginal, storeLocaleID);
      EXPECT_EQ(storeOriginal, before) << c.what << ": storeOriginal expected \"" << before
                                       << "\", got \"" << storeOriginal << "\"";
      EXPECT_TRUE(locale.sets.empty())
          << c.what << ": expected no SetLocaleInfoA, got " << shown(locale.sets);
      EXPECT_EQ(locale.sizesAsked, c.sizesAsked)
          << c.what << ": expected " << c.sizesAsked.size() << " GetLocaleInfoA calls, got "
          << locale.sizesAsked.size();
    }
  }
}

TEST(ShortDateGuard, NeverRestoresAnEmptyFormat) {
  // A fresh window: nothing saved yet.
  FakeLocale fresh("M/d/yyyy");
  restoreShortDate(fresh, L"", kEnglishUS);
  EXPECT_TRUE(fresh.sets.empty()) << "fresh storeOriginal: expected no SetLocaleInfoA, got "
                                  << shown(fresh.sets);
  EXPECT_EQ(inForce(fresh), "M/d/yyyy")
      << "expected \"M/d/yyyy\" in force, got \"" << inForce(fresh) << "\"";

  // A run whose guard got no answer, in a fresh window.
  FakeLocale failing("M/d/yyyy");
  failing.failFill = true;
  std::wstring storeOriginal;
  std::int32_t storeLocaleID = 0;
  setShortDate(failing, storeOriginal, storeLocaleID);
  restoreShortDate(failing, storeOriginal, storeLocaleID);
  EXPECT_TRUE(failing.sets.empty())
      << "guard without answer: expected no SetLocaleInfoA, got " << shown(failing.sets);
  EXPECT_EQ(inForce(failing), "M/d/yyyy")
      << "expected \"M/d/yyyy\" in force, got \"" << inForce(failing) << "\"";
}

TEST(ShortDateGuard, SecondRunSavesTheUsersFormat) {
  FakeLocale locale("M/d/yyyy");
  std::wstring storeOriginal;
  std::int32_t storeLocaleID = 0;
  for (int run = 1; run <= 2; ++run) {
    setShortDate(locale, storeOriginal, storeLocaleID);
    EXPECT_EQ(storeOriginal, L"M/d/yyyy")
        << "run " << run << ": storeOriginal expected \"M/d/yyyy\", got \"" << storeOriginal
        << "\"";
    EXPECT_EQ(inForce(locale), "dd/MM/yyyy")
        << "run " << run << ": expected \"dd/MM/yyyy\" in force, got \"" << inForce(locale) << "\"";
    restoreShortDate(locale, storeOriginal, storeLocaleID);
    EXPECT_EQ(inForce(locale), "M/d/yyyy")
        << "run " << run << ": expected \"M/d/yyyy\" back, got \"" << inForce(locale) << "\"";
  }
  const Sets expected{{lctype::kShortDate, "dd/MM/yyyy"},
                      {lctype::kShortDate, "M/d/yyyy"},
                      {lctype::kShortDate, "dd/MM/yyyy"},
                      {lctype::kShortDate, "M/d/yyyy"}};
  EXPECT_EQ(locale.sets, expected)
      << "expected " << shown(expected) << ", got " << shown(locale.sets);
}

}  // namespace
}  // namespace brask
