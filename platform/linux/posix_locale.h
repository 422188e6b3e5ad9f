// The locale functions answered from POSIX locales. The system default locale comes from
// LC_ALL, LANG, the system's locale files, else English (United States); the user's
// pictures, separators and names from the LC_TIME and LC_NUMERIC locales of the
// environment. SetLocaleInfoA changes the short-date picture of this process only: Linux
// has no user-wide setting to change.
#pragma once

#include <langinfo.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/user_locale.h"
#include "platform/linux/wide_decoder.h"
#include "platform/locale_api.h"

namespace brask {

class PosixLocale : public LocaleApi {
 public:
  // Reads the environment now; defaultLocaleFiles hold LANG=... lines, read in order when
  // neither LC_ALL nor LANG is set.
  explicit PosixLocale(
      const std::vector<std::string>& defaultLocaleFiles = {"/etc/default/locale", "/etc/locale.conf"});

  std::int32_t GetSystemDefaultLCID() override;
  int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) override;
  void SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) override;
  std::wstring userLocaleText(std::int32_t lcType) override;

 private:
  std::wstring localePicture();
  std::wstring timeText(nl_item item);
  std::wstring numericText(nl_item item);

  std::int32_t systemLcid_;
  LocaleHandle time_;
  LocaleHandle numeric_;
  WideDecoder timeDecoder_;
  WideDecoder numericDecoder_;
  std::optional<std::string> shortDate_;  // set by SetLocaleInfoA
};

}  // namespace brask
