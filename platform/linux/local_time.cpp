#include "platform/linux/local_time.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace brask {
namespace {

constexpr std::time_t kQuarter = 15 * 60;

LocalTime askTheLibrary(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec},
          local.tm_gmtoff};
}

// The offset of one quarter of an hour, of one time zone, as last asked on this thread.
struct QuarterOffset {
  std::optional<std::string> zone;
  std::time_t quarter = 0;
  std::optional<long> offset;  // nothing where the offset changes within the quarter
  bool known = false;
};

thread_local QuarterOffset lastQuarter;

}  // namespace

LocalTime localTime(std::time_t seconds) {
  const char* variable = std::getenv("TZ");
  const std::optional<std::string> zone = variable ? std::optional<std::string>(variable) : std::nullopt;
  const std::time_t quarter = seconds / kQuarter - (seconds % kQuarter < 0 ? 1 : 0);
  QuarterOffset& last = lastQuarter;
  if (!last.known || last.quarter != quarter || last.zone != zone) {
    const LocalTime first = askTheLibrary(quarter * kQuarter);
    const LocalTime end = askTheLibrary(quarter * kQuarter + kQuarter - 1);
    // A zone that counts leap seconds is not its offset from UTC: it is asked every time.
    const bool uniform = first.utcOffset == end.utcOffset &&
                         first.wallClock == utcDateTime(quarter * kQuarter + first.utcOffset);
    last = {zone, quarter, uniform ? std::optional(first.utcOffset) : std::nullopt, true};
  }
  if (!last.offset) return askTheLibrary(seconds);
  return {utcDateTime(static_cast<std::int64_t>(seconds) + *last.offset), *last.offset};
}

DateTime localDateTime(std::time_t seconds) { return localTime(seconds).wallClock; }

}  // namespace brask
