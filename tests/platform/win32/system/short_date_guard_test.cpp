// The short-date guard on the real user setting: another process sees the forced format
// while it is in force and the user's own one after the restore, and the date code prints
// day-first meanwhile. Started with --print-user-short-date, the program is that other
// process.
#include "environment/short_date_guard.h"

#include <gtest/gtest.h>

#include <string>

#include "child_process.h"
#include "platform/text/date_picture.h"
#include "platform/win32/system/kernel32_locale.h"

namespace brask {
namespace {

constexpr char kPrintFlag[] = "--print-user-short-date";

// The user's short-date format as a second process reads it.
std::string shortDateSeenByAnotherProcess() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const auto result = test::runChild(L"\"" + std::wstring(path, length) + L"\" " +
                                     std::wstring(kPrintFlag, kPrintFlag + sizeof kPrintFlag - 1));
  EXPECT_EQ(result.exitCode, 0u);
  return result.output;
}

TEST(ShortDateGuard, ReplacesAndRestoresTheUsersFormatForEveryProgram) {
  Kernel32Locale locale;
  const std::string own = shortDateSeenByAnotherProcess();
  ASSERT_EQ(own, "M/d/yyyy") << "the prefix runs under en_US";
  const DateTime day{2009, 8, 10, 21, 2, 23};

  std::wstring storeOriginal;
  std::int32_t storeLocaleID = 0;
  setShortDate(locale, storeOriginal, storeLocaleID);
  // However this test ends, the user's format goes back.
  struct Restore {
    Kernel32Locale& locale;
    std::wstring& original;
    std::int32_t& id;
    ~Restore() { restoreShortDate(locale, original, id); }
  } restore{locale, storeOriginal, storeLocaleID};

  EXPECT_EQ(storeOriginal, L"M/d/yyyy");
  EXPECT_EQ(storeLocaleID, static_cast<std::int32_t>(GetSystemDefaultLCID()));
  EXPECT_EQ(shortDateSeenByAnotherProcess(), "dd/MM/yyyy");
  EXPECT_EQ(shortDateText(day, locale), L"10/08/2009");
  EXPECT_EQ(generalDateText(day, locale).substr(0, 11), L"10/08/2009 ");
  EXPECT_EQ(generalDateText(day.midnight(), locale), L"10/08/2009");

  restoreShortDate(locale, storeOriginal, storeLocaleID);
  EXPECT_EQ(shortDateSeenByAnotherProcess(), own);
  EXPECT_EQ(shortDateText(day, locale), L"8/10/2009");
}

TEST(ShortDateGuard, AFormatAlreadyDayFirstIsLeftAlone) {
  Kernel32Locale locale;
  const std::int32_t lcid = locale.GetSystemDefaultLCID();
  locale.SetLocaleInfoA(lcid, lctype::kShortDate, "dd/MM/yyyy");
  std::wstring storeOriginal;
  std::int32_t storeLocaleID = 0;
  setShortDate(locale, storeOriginal, storeLocaleID);
  EXPECT_EQ(storeOriginal, L"dd/MM/yyyy");
  restoreShortDate(locale, storeOriginal, storeLocaleID);
  EXPECT_EQ(shortDateSeenByAnotherProcess(), "dd/MM/yyyy");
  locale.SetLocaleInfoA(lcid, lctype::kShortDate, "M/d/yyyy");
  EXPECT_EQ(shortDateSeenByAnotherProcess(), "M/d/yyyy");
}

}  // namespace
}  // namespace brask

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == brask::kPrintFlag) {
    brask::test::printUtf8(brask::Kernel32Locale().userLocaleText(brask::lctype::kShortDate));
    return 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
