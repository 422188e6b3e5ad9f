// The day-first readers and the date pictures. Input: a date text, a line feed, then a
// date picture.
#include "fakes/fakes.h"
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/text/date_picture.h"
#include "platform/text/day_first.h"

namespace brask::fuzz {
namespace {

bool isValid(const DateTime& at) {
  return makeDateTime(at.year, at.month, at.day, at.hour, at.minute, at.second) == at;
}

// The picture as one quoted literal, its quotes doubled.
std::wstring quoted(std::wstring_view picture) {
  std::wstring literal = L"'";
  for (wchar_t c : picture) literal += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
  return literal + L"'";
}

}  // namespace
}  // namespace brask::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  using namespace brask::fuzz;
  const std::vector<std::wstring> parts = lines(wideText(data, size), 2);
  const std::wstring& dateText = parts[0];
  const std::wstring& picture = parts[1];
  fakes::FakeLocale locale("dd/MM/yyyy");

  const auto date = readDayFirstDate(dateText);
  if (date) {
    FUZZ_CHECK(isValid(*date) && date->isMidnight());
    FUZZ_CHECK(readDayFirstDate(shortDateText(*date, locale)) == date);
  }
  const auto dateTime = readDayFirstDateTime(dateText);
  if (dateTime) {
    FUZZ_CHECK(isValid(*dateTime));
    FUZZ_CHECK(readDayFirstDateTime(formatPicture(*dateTime, L"dd/MM/yyyy HH:mm:ss", locale)) ==
               dateTime);
  }

  // Any picture formats any date; the picture quoted is its own text.
  const DateTime at = dateTime ? *dateTime : date ? *date : DateTime{2009, 8, 10, 21, 2, 23};
  formatPicture(at, picture, locale);
  FUZZ_CHECK(formatPicture(at, quoted(picture), locale) == picture);
  locale.user[lctype::kLongTime] = picture;
  const std::wstring general = generalDateText(at, locale);
  FUZZ_CHECK(readDayFirstDate(general.substr(0, general.find(L' '))) == at.midnight());
  return 0;
}
