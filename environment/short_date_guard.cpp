#include "environment/short_date_guard.h"

#include <string>

#include "environment/locale_query.h"
#include "platform/text/single_byte.h"

namespace brask {

void setShortDate(LocaleApi& locale, std::wstring& storeOriginal, std::int32_t& storeLocaleID) {
  storeLocaleID = locale.GetSystemDefaultLCID();
  const std::wstring format = GetUserLocaleInfo(locale, storeLocaleID, lctype::kShortDate);
  if (format.empty()) return;
  storeOriginal = format;
  if (toSingleByte(format) != kForcedShortDate) {
    locale.SetLocaleInfoA(storeLocaleID, lctype::kShortDate, kForcedShortDate);
  }
}

void restoreShortDate(LocaleApi& locale, const std::wstring& storeOriginal,
                      std::int32_t storeLocaleID) {
  const std::string original = toSingleByte(storeOriginal);
  if (original.empty() || original == kForcedShortDate) return;
  locale.SetLocaleInfoA(storeLocaleID, lctype::kShortDate, original.c_str());
}

}  // namespace brask
