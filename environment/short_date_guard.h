// Forces the day-first short-date format for the length of a run and puts the user's own
// format back afterwards. The setting belongs to the user: on Windows every other program
// of the user sees it while it is forced.
#pragma once

#include <cstdint>
#include <string>

#include "platform/locale_api.h"

namespace brask {

inline constexpr const char* kForcedShortDate = "dd/MM/yyyy";

// Saves the short-date format of the system default locale in storeOriginal (and that
// locale in storeLocaleID) and forces kForcedShortDate when it differs. When the platform
// has no answer nothing is saved and nothing forced.
void setShortDate(LocaleApi& locale, std::wstring& storeOriginal, std::int32_t& storeLocaleID);

// Writes storeOriginal back when it differs from kForcedShortDate; an empty text is never
// written back.
void restoreShortDate(LocaleApi& locale, const std::wstring& storeOriginal,
                      std::int32_t storeLocaleID);

// setShortDate when made, restoreShortDate when it goes out of scope: every way out of a
// run puts the user's format back, an exception before its handler runs.
class ShortDateGuard {
 public:
  ShortDateGuard(LocaleApi& locale, std::wstring& storeOriginal, std::int32_t& storeLocaleID)
      : locale_(locale), storeOriginal_(storeOriginal), storeLocaleID_(storeLocaleID) {
    setShortDate(locale_, storeOriginal, storeLocaleID);
  }
  ~ShortDateGuard() { restoreShortDate(locale_, storeOriginal_, storeLocaleID_); }
  ShortDateGuard(const ShortDateGuard&) = delete;
  ShortDateGuard& operator=(const ShortDateGuard&) = delete;

 private:
  LocaleApi& locale_;
  const std::wstring& storeOriginal_;
  const std::int32_t& storeLocaleID_;
};

}  // namespace brask
