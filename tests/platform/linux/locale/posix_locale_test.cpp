#include "platform/linux/locale/posix_locale.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "scoped_env.h"

namespace brask {
namespace {

using test::ScopedEnv;

// No locale files: the system default comes from the environment alone.
const std::vector<std::string> kNoFiles;

// The environment of a user whose every category follows LANG.
ScopedEnv langOnly(const char* lang) {
  return ScopedEnv{{"LC_ALL", std::nullopt},
                   {"LC_TIME", std::nullopt},
                   {"LC_NUMERIC", std::nullopt},
                   {"LANG", lang ? std::optional<std::string>(lang) : std::nullopt}};
}

std::string localeText(PosixLocale& locale, std::int32_t lcid, std::int32_t type) {
  const int size = locale.GetLocaleInfoA(lcid, type, nullptr, 0);
  if (size == 0) return "(no answer)";
  std::string buffer(static_cast<std::size_t>(size), ' ');
  const int count = locale.GetLocaleInfoA(lcid, type, buffer.data(), size);
  EXPECT_EQ(count, size) << "lcid " << lcid << " type " << type;
  EXPECT_EQ(buffer.back(), '\0');
  return buffer.substr(0, static_cast<std::size_t>(count > 0 ? count - 1 : 0));
}

TEST(PosixLocale, SystemDefaultLcidAndLanguageFromLang) {
  const struct {
    const char* lang;
    std::int32_t lcid;
    const char* language;
  } cases[] = {
      {"en_US.UTF-8", 0x0409, "English"},
      {"en_GB.UTF-8", 0x0809, "English"},
      {"de_DE.UTF-8", 0x0407, "German"},
      {"de_AT.UTF-8", 0x0C07, "German"},
      {"de_CH.UTF-8", 0x0807, "German"},
      {"nl_NL.UTF-8", 0x0413, "Dutch"},
      {"nl_BE.UTF-8", 0x0813, "Dutch"},
      {"fr_FR.UTF-8", 0x040C, "French"},
      {"fr_BE.UTF-8", 0x080C, "French"},
      {"fr_CA.UTF-8", 0x0C0C, "French"},
      {"fr_CH.UTF-8", 0x100C, "French"},
      {"it_IT.UTF-8", 0x0410, "Italian"},
      {"it_CH.UTF-8", 0x0810, "Italian"},
      {"es_ES.UTF-8", 0x0C0A, "Spanish"},
      {"pt_BR.UTF-8", 0x0416, "Portuguese"},
      {"pt_PT.UTF-8", 0x0816, "Portuguese"},
      {"pl_PL.UTF-8", 0x0415, "Polish"},
      {"sv_SE.UTF-8", 0x041D, "Swedish"},
      {"da_DK.UTF-8", 0x0406, "Danish"},
      {"nb_NO.UTF-8", 0x0414, "Norwegian"},
      {"fi_FI.UTF-8", 0x040B, "Finnish"},
      {"ru_RU.UTF-8", 0x0419, "Russian"},
      {"ja_JP.UTF-8", 0x0411, "Japanese"},
      {"zh_CN.UTF-8", 0x0804, "Chinese"},
      {"cs_CZ.UTF-8", 0x0405, "Czech"},
      {"tr_TR.UTF-8", 0x041F, "Turkish"},
      {"de_DE@euro", 0x0407, "German"},
      {"de_DE", 0x0407, "German"},
      {"de", 0x0407, "German"},
      {"de_BE.UTF-8", 0x0407, "German"},
      {"C", 0x0409, "English"},
      {"POSIX", 0x0409, "English"},
      {"C.UTF-8", 0x0409, "English"},
      {"xx_YY.UTF-8", 0x1000, "(no answer)"},
  };
  for (const auto& c : cases) {
    const ScopedEnv env = langOnly(c.lang);
    PosixLocale locale(kNoFiles);
    EXPECT_EQ(locale.GetSystemDefaultLCID(), c.lcid) << "LANG=" << c.lang;
    EXPECT_EQ(localeText(locale, locale.GetSystemDefaultLCID(), 0x1001), c.language)
        << "LANG=" << c.lang;
  }
}

TEST(PosixLocale, SystemDefaultComesFromLcAllThenLangThenTheLocaleFiles) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("brask_locale_files_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "default") << "# no LANG here\nLC_TIME=de_DE.UTF-8\n";
  std::ofstream(dir / "conf") << "LANG=\"nl_NL.UTF-8\"\n";
  const std::vector<std::string> files{(dir / "default").string(), (dir / "conf").string()};
  const struct {
    std::optional<std::string> lcAll, lang;
    std::vector<std::string> files;
    std::int32_t lcid;
  } cases[] = {
      {"it_IT.UTF-8", "fr_FR.UTF-8", files, 0x0410},
      {"", "fr_FR.UTF-8", files, 0x040C},  // an empty LC_ALL counts as unset
      {std::nullopt, "fr_FR.UTF-8", files, 0x040C},
      {std::nullopt, std::nullopt, files, 0x0413},  // the second file names it
      {std::nullopt, "", files, 0x0413},
      {std::nullopt, std::nullopt, {(dir / "missing").string()}, 0x0409},
  };
  for (const auto& c : cases) {
    const ScopedEnv env{{"LC_ALL", c.lcAll}, {"LANG", c.lang}};
    EXPECT_EQ(PosixLocale(c.files).GetSystemDefaultLCID(), c.lcid)
        << "LC_ALL=" << c.lcAll.value_or("(unset)") << " LANG=" << c.lang.value_or("(unset)");
  }
  std::filesystem::remove_all(dir);
}

TEST(PosixLocale, GetLocaleInfoAKeepsTheSizeThenFillProtocol) {
  const ScopedEnv env = langOnly("de_DE.UTF-8");
  PosixLocale locale(kNoFiles);
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1001, nullptr, 0), 7);
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1001, buffer, 7), 7);
  EXPECT_STREQ(buffer, "German");
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1001, buffer, 6), 0) << "buffer too small";
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1001, nullptr, 7), 0) << "no buffer";
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1001, buffer, 16), 7) << "larger buffer";
  EXPECT_EQ(locale.GetLocaleInfoA(0x7777, 0x1001, nullptr, 0), 0) << "unknown locale";
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1234, nullptr, 0), 0) << "unknown type";
  EXPECT_EQ(locale.GetLocaleInfoA(0x0407, 0x1F, nullptr, 0), 11);
  EXPECT_EQ(localeText(locale, 0x0407, 0x1F), "dd.MM.yyyy");
}

TEST(PosixLocale, PicturesSeparatorsAndDesignatorsOfTheUsersLocale) {
  const struct {
    const char* lang;
    const wchar_t* shortDate;
    const wchar_t* longTime;
    const wchar_t* decimal;
    const wchar_t* thousand;
    const wchar_t* am;
  } cases[] = {
      {"en_US.UTF-8", L"MM/dd/yyyy", L"hh:mm:ss tt", L".", L",", L"AM"},
      {"en_GB.UTF-8", L"dd/MM/yy", L"HH:mm:ss", L".", L",", L"am"},
      {"de_DE.UTF-8", L"dd.MM.yyyy", L"HH:mm:ss", L",", L".", L""},
      {"nl_NL.UTF-8", L"dd-MM-yy", L"HH:mm:ss", L",", L".", L""},
      {"fr_FR.UTF-8", L"dd/MM/yyyy", L"HH:mm:ss", L",", L"\u202F", L""},
      {"it_IT.UTF-8", L"dd/MM/yyyy", L"HH:mm:ss", L",", L".", L""},
      {"C", L"MM/dd/yy", L"HH:mm:ss", L".", L"", L"AM"},
  };
  for (const auto& c : cases) {
    const ScopedEnv env = langOnly(c.lang);
    PosixLocale locale(kNoFiles);
    EXPECT_EQ(locale.userLocaleText(0x1F), c.shortDate) << c.lang;
    EXPECT_EQ(locale.userLocaleText(0x1003), c.longTime) << c.lang;
    EXPECT_EQ(locale.userLocaleText(0x0E), c.decimal) << c.lang;
    EXPECT_EQ(locale.userLocaleText(0x0F), c.thousand) << c.lang;
    EXPECT_EQ(locale.userLocaleText(0x28), c.am) << c.lang;
  }
}

TEST(PosixLocale, DayAndMonthNamesStartOnMondayAndJanuary) {
  const ScopedEnv env = langOnly("de_DE.ISO-8859-1");  // decoded from the locale's own set
  PosixLocale locale(kNoFiles);
  const struct {
    std::int32_t type;
    const wchar_t* text;
  } cases[] = {
      {0x2A, L"Montag"},   {0x30, L"Sonntag"},   {0x31, L"Mo"},       {0x37, L"So"},
      {0x38, L"Januar"},   {0x3A, L"M\u00e4rz"}, {0x43, L"Dezember"}, {0x44, L"Jan"},
      {0x46, L"M\u00e4r"}, {0x4F, L"Dez"},       {0x29, L""},         {0x50, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(locale.userLocaleText(c.type), c.text) << "type " << c.type;
}

TEST(PosixLocale, CategoriesFollowLcAllThenTheirOwnVariableThenLang) {
  {
    const ScopedEnv env{{"LC_ALL", std::nullopt},
                        {"LC_TIME", "de_DE.UTF-8"},
                        {"LC_NUMERIC", "fr_FR.UTF-8"},
                        {"LANG", "en_US.UTF-8"}};
    PosixLocale locale(kNoFiles);
    EXPECT_EQ(locale.GetSystemDefaultLCID(), 0x0409) << "LC_TIME does not name the system locale";
    EXPECT_EQ(locale.userLocaleText(0x1F), L"dd.MM.yyyy");
    EXPECT_EQ(locale.userLocaleText(0x0E), L",");
  }
  {
    const ScopedEnv env{
        {"LC_ALL", "it_IT.UTF-8"}, {"LC_TIME", "en_US.UTF-8"}, {"LANG", "en_US.UTF-8"}};
    PosixLocale locale(kNoFiles);
    EXPECT_EQ(locale.userLocaleText(0x38), L"gennaio");
  }
}

TEST(PosixLocale, SetLocaleInfoAChangesTheShortDateOfThisProcess) {
  const ScopedEnv env = langOnly("en_US.UTF-8");
  PosixLocale locale(kNoFiles);
  locale.SetLocaleInfoA(0x0409, 0x1F, "dd/MM/yyyy");
  EXPECT_EQ(localeText(locale, 0x0409, 0x1F), "dd/MM/yyyy");
  EXPECT_EQ(locale.userLocaleText(0x1F), L"dd/MM/yyyy");
  locale.SetLocaleInfoA(0x7777, 0x1F, "yyyy");  // unknown locale: ignored
  locale.SetLocaleInfoA(0x0409, 0x1003, "HH");  // other types: ignored
  EXPECT_EQ(locale.userLocaleText(0x1F), L"dd/MM/yyyy");
  EXPECT_EQ(locale.userLocaleText(0x1003), L"hh:mm:ss tt");
  locale.SetLocaleInfoA(0x0409, 0x1F, "MM/dd/yyyy");  // the locale's own picture back
  EXPECT_EQ(localeText(locale, 0x0409, 0x1F), "MM/dd/yyyy");
  EXPECT_EQ(PosixLocale(kNoFiles).userLocaleText(0x1F), L"MM/dd/yyyy")
      << "a new start reads the locale's own";
}

}  // namespace
}  // namespace brask
