#include "platform/linux/locale/time_picture.h"

#include <gtest/gtest.h>

namespace brask {
namespace {

TEST(WindowsPicture, TranslatesTheFormatsOfTheLocales) {
  const struct {
    const wchar_t* format;
    const wchar_t* picture;
  } cases[] = {
      {L"%m/%d/%Y", L"MM/dd/yyyy"},      // en_US date
      {L"%d/%m/%y", L"dd/MM/yy"},        // en_GB date
      {L"%d.%m.%Y", L"dd.MM.yyyy"},      // de_DE date
      {L"%d-%m-%y", L"dd-MM-yy"},        // nl_NL date
      {L"%m/%d/%y", L"MM/dd/yy"},        // C date
      {L"%r", L"hh:mm:ss tt"},           // en_US time
      {L"%T", L"HH:mm:ss"},              // most time formats
      {L"%H:%M:%S", L"HH:mm:ss"},        // C time
      {L"%I:%M:%S %p", L"hh:mm:ss tt"},  // twelve hours
      {L"%l:%M:%S %P", L"h:mm:ss tt"},   // unpadded twelve hours
      {L"%-d/%-m/%Y", L"d/M/yyyy"},      // glibc's unpadded flag
      {L"%e.%m.%Y", L"d.MM.yyyy"},       // blank-padded day
      {L"%Y-%m-%d", L"yyyy-MM-dd"},      // ISO order
      {L"%F %R", L"yyyy-MM-dd HH:mm"},   // composites
      {L"%D", L"MM/dd/yy"},              //
      {L"%a %d %b %Y", L"ddd dd MMM yyyy"},
      {L"%A, %B %d", L"dddd, MMMM dd"},
      {L"%d de %B", L"dd' de 'MMMM"},                                // literal letters are quoted
      {L"%d o'%m", L"dd' o'''MM"},                                   // and so is a quote, doubled
      {L"%Y\u5e74%m\u6708%d\u65e5", L"yyyy\u5e74MM\u6708dd\u65e5"},  // ja_JP
      {L"%Ey %OH", L"yy HH"},                                        // alternative forms
      {L"%H:%M:%S %Z", L"HH:mm:ss "},                                // no time zone in a picture
      {L"100%% %d", L"100% dd"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windowsPicture(c.format), c.picture)
        << "format " << testing::PrintToString(std::wstring(c.format));
  }
}

}  // namespace
}  // namespace brask
