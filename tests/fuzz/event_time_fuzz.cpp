// The event date of a TimeWritten value, and the CIM time text of a journal time stamp.
// Input: any bytes, read as a TimeWritten text; their first eight as a number, a whole
// number TimeWritten and a time stamp in microseconds; the ninth picks the time zone.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>

#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/linux/cim_time.h"
#include "platform/run_time_error.h"
#include "platform/text/decimal_text.h"
#include "report/event_record.h"

namespace brask::fuzz {
namespace {

// An event whose one property is its TimeWritten.
class WrittenAt : public EventObjects {
 public:
  explicit WrittenAt(PropertyValue value) : value_(std::move(value)) {}
  bool next() override { return false; }
  PropertyValue property(std::wstring_view name) override {
    FUZZ_CHECK(name == L"TimeWritten");
    return value_;
  }

 private:
  PropertyValue value_;
};

std::optional<DateTime> eventDateOf(const PropertyValue& value) {
  WrittenAt event(value);
  try {
    return eventDate(event);
  } catch (const RunTimeError& error) {
    FUZZ_CHECK(error.code() == kTypeMismatch);
    return std::nullopt;
  }
}

bool isValid(const DateTime& at) {
  return makeDateTime(at.year, at.month, at.day, at.hour, at.minute, at.second) == at;
}

// The event date, when there is one, is the date and time that the first 14 characters
// of the value's text state.
void checkEventDate(const PropertyValue& value) {
  const auto date = eventDateOf(value);
  if (!date) return;
  FUZZ_CHECK(isValid(*date));
  const std::wstring stated = decimalText(date->year, 4) + decimalText(date->month, 2) +
                              decimalText(date->day, 2) + decimalText(date->hour, 2) +
                              decimalText(date->minute, 2) + decimalText(date->second, 2);
  FUZZ_CHECK(propertyText(value).substr(0, 14) == stated);
}

void useZone(unsigned char pick) {
  static const char* const kZones[] = {
      "UTC",        "Europe/Amsterdam", "America/St_Johns", "Pacific/Kiritimati",
      "Etc/GMT+12", "XYZ-24",           "Asia/Kathmandu",   "Australia/Lord_Howe",
  };
  static const char* current = nullptr;
  const char* zone = kZones[pick % std::size(kZones)];
  if (zone == current) return;
  setenv("TZ", zone, 1);
  tzset();
  current = zone;
}

}  // namespace
}  // namespace brask::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brask;
  using namespace brask::fuzz;
  checkEventDate(wideText(data, size));
  checkEventDate(PropertyValue{});

  std::uint64_t number = 0;
  std::memcpy(&number, data, std::min(size, sizeof number));
  checkEventDate(static_cast<std::int64_t>(number));

  // The time stamp's event date is its local wall-clock time, when that lies within the
  // years a date holds; else the text is refused as no date.
  useZone(size > sizeof number ? data[sizeof number] : 0);
  const std::wstring cim = cimDateTime(number);
  const DateTime wallClock = localWallClock(number);
  FUZZ_CHECK(cim.size() >= 25 && cim[14] == L'.');
  FUZZ_CHECK(cim.substr(15, 6) == decimalText(static_cast<std::int64_t>(number % 1000000), 6));
  const auto date = eventDateOf(cim);
  if (isValid(wallClock)) {
    FUZZ_CHECK(date == wallClock);
  } else {
    FUZZ_CHECK(!date);
  }
  return 0;
}
