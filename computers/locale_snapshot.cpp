#include "computers/locale_snapshot.h"

namespace brask {

LocaleSnapshot::LocaleSnapshot(LocaleApi& locale) : lcid_(locale.GetSystemDefaultLCID()) {
  const struct {
    std::int32_t first;
    int count;
  } taken[] = {{lctype::kShortDate, 1},       {lctype::kLongTime, 1},
               {lctype::kAm, 1},              {lctype::kPm, 1},
               {lctype::kDayName1, 7},        {lctype::kAbbrevDayName1, 7},
               {lctype::kMonthName1, 12},     {lctype::kAbbrevMonthName1, 12}};
  for (const auto& range : taken) {
    for (int i = 0; i < range.count; ++i)
      texts_[range.first + i] = locale.userLocaleText(range.first + i);
  }
}

std::wstring LocaleSnapshot::userLocaleText(std::int32_t lcType) {
  const auto found = texts_.find(lcType);
  return found == texts_.end() ? std::wstring() : found->second;
}

}  // namespace brask
