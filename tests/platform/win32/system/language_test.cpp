// The language of the system default locale under the Unix locale this test was started
// in, named by BRASK_EXPECTED_LANGUAGE.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "environment/locale_query.h"
#include "platform/win32/system/kernel32_locale.h"

namespace brask {
namespace {

std::string expectedLanguage() {
  const char* language = std::getenv("BRASK_EXPECTED_LANGUAGE");
  return language ? language : "";
}

TEST(Kernel32Locale, GetLanguageNamesTheSystemLanguage) {
  const std::string expected = expectedLanguage();
  ASSERT_FALSE(expected.empty()) << "BRASK_EXPECTED_LANGUAGE is not set";
  Kernel32Locale locale;
  std::wstring strLang1 = L"French from an earlier run";
  getLanguage(locale, strLang1);
  EXPECT_EQ(strLang1, std::wstring(expected.begin(), expected.end()));
}

TEST(Kernel32Locale, GetLocaleInfoAGivesTheSizeFirstThenFills) {
  const std::string expected = expectedLanguage();
  Kernel32Locale locale;
  const std::int32_t lcid = locale.GetSystemDefaultLCID();
  const int size = locale.GetLocaleInfoA(lcid, lctype::kEnglishLanguage, nullptr, 0);
  EXPECT_EQ(size, static_cast<int>(expected.size()) + 1);
  std::string buffer(static_cast<std::size_t>(size), ' ');
  EXPECT_EQ(locale.GetLocaleInfoA(lcid, lctype::kEnglishLanguage, buffer.data(), size), size);
  EXPECT_EQ(buffer, expected + '\0');
  EXPECT_EQ(locale.GetLocaleInfoA(lcid, lctype::kEnglishLanguage, buffer.data(), size - 1), 0)
      << "a buffer one too small";
}

TEST(Kernel32Locale, NoAnswerForAnUnknownLocaleOrType) {
  Kernel32Locale locale;
  const std::int32_t lcid = locale.GetSystemDefaultLCID();
  EXPECT_EQ(GetUserLocaleInfo(locale, 0x7FFF, lctype::kEnglishLanguage), L"");
  EXPECT_EQ(GetUserLocaleInfo(locale, lcid, 0x7FFF), L"");
}

TEST(Kernel32Locale, TheUsersPicturesAreThere) {
  Kernel32Locale locale;
  for (std::int32_t type : {lctype::kShortDate, lctype::kLongTime, lctype::kMonthName1}) {
    EXPECT_FALSE(locale.userLocaleText(type).empty()) << "type " << type;
  }
  EXPECT_EQ(locale.userLocaleText(0x7FFF), L"");
}

}  // namespace
}  // namespace brask
