// The user's date and time formats and names as they stood when it was taken, for the
// threads that write records while the user-interface thread owns the locale.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/locale_api.h"

namespace brask {

class LocaleSnapshot final : public LocaleApi {
 public:
  // Takes what dates and times are written with: the short-date and long-time pictures,
  // the AM and PM designators, the names of days and months.
  explicit LocaleSnapshot(LocaleApi& locale);

  std::int32_t GetSystemDefaultLCID() override { return lcid_; }
  // Nothing: a snapshot answers the user's texts alone.
  int GetLocaleInfoA(std::int32_t, std::int32_t, char*, int) override { return 0; }
  void SetLocaleInfoA(std::int32_t, std::int32_t, const char*) override {}
  std::wstring userLocaleText(std::int32_t lcType) override;

 private:
  std::int32_t lcid_;
  std::map<std::int32_t, std::wstring> texts_;
};

}  // namespace brask
