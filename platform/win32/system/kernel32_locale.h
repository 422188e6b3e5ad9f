// The locale functions of kernel32, called as they are.
#pragma once

#include "platform/locale_api.h"

namespace brask {

class Kernel32Locale final : public LocaleApi {
 public:
  std::int32_t GetSystemDefaultLCID() override;
  int GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) override;
  void SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) override;
  // GetLocaleInfoW for LOCALE_USER_DEFAULT, size first.
  std::wstring userLocaleText(std::int32_t lcType) override;
};

}  // namespace brask
