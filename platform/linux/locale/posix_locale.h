// The locale functions answered from POSIX locales. The system default locale comes from
// LC_ALL, LANG, the system's locale files, else English (United States); the user's
// pictures, separators and names from the LC_TIME and LC_NUMERIC locales of the
// environment. SetLocaleInfoA changes the short-date picture of this process only: Linux
// has no user-wide setting to change.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/locale_api.h"

namespace brask {

class PosixLocale : public LocaleApi {
 public:
  // Reads the environment and the user's locales now. defaultLocaleFiles hold LANG=...
  // lines, read in order when neither LC_ALL nor LANG is set.
  explicit PosixLocale(const std::vector<std::string>& defaultLocaleFiles = {"/etc/default/locale",
                                                                             "/etc/locale.conf"});

  std::int32_t GetSystemDefaultLCID() override;
  int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) override;
  void SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) override;
  std::wstring userLocaleText(std::int32_t lcType) override;

 private:
  std::int32_t systemLcid_;
  std::map<std::int32_t, std::wstring> texts_;  // the user's locale texts by type
  std::optional<std::string> shortDate_;        // set by SetLocaleInfoA
};

}  // namespace brask
