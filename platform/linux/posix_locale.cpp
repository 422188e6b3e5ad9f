#include "platform/linux/posix_locale.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/linux/lcid_table.h"
#include "platform/linux/time_picture.h"

namespace brask {
namespace {

// LOCALE_CUSTOM_UNSPECIFIED: a locale that has no identifier of its own.
constexpr std::int32_t kUnknownLcid = 0x1000;

const char* setVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// The LANG=... value of a locale file, quotes removed; empty when it has none.
std::string langOfFile(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::string lang;
  while (std::getline(file, line)) {
    if (line.rfind("LANG=", 0) != 0) continue;
    lang = line.substr(5);
    if (lang.size() >= 2 && (lang.front() == '"' || lang.front() == '\'') && lang.back() == lang.front()) {
      lang = lang.substr(1, lang.size() - 2);
    }
  }
  return lang;
}

std::string systemDefaultLocaleName(const std::vector<std::string>& defaultLocaleFiles) {
  for (const char* name : {"LC_ALL", "LANG"}) {
    if (const char* value = setVariable(name)) return value;
  }
  for (const std::string& path : defaultLocaleFiles) {
    std::string lang = langOfFile(path);
    if (!lang.empty()) return lang;
  }
  return "en_US";
}

// Wide text as the single-byte text of the A functions: one byte a character, '?' for a
// character beyond that range.
std::string singleByte(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes += c >= 0 && c <= 0xFF ? static_cast<char>(c) : '?';
  return bytes;
}

std::wstring fromSingleByte(const std::string& bytes) {
  std::wstring text;
  for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

}  // namespace

PosixLocale::PosixLocale(const std::vector<std::string>& defaultLocaleFiles)
    : time_(openLocale(userLocaleName("LC_TIME"))),
      numeric_(openLocale(userLocaleName("LC_NUMERIC"))),
      timeDecoder_(codesetOf(time_.get())),
      numericDecoder_(codesetOf(numeric_.get())) {
  const LcidEntry* entry = lcidEntryForPosixName(systemDefaultLocaleName(defaultLocaleFiles));
  systemLcid_ = entry != nullptr ? entry->lcid : kUnknownLcid;
}

std::int32_t PosixLocale::GetSystemDefaultLCID() { return systemLcid_; }

int PosixLocale::GetLocaleInfoA(std::int32_t locale, std::int32_t lcType, char* buffer, int size) {
  const LcidEntry* entry = lcidEntryForLcid(locale);
  if (entry == nullptr) return 0;
  std::string text;
  if (lcType == lctype::kEnglishLanguage) {
    text = entry->englishLanguage;
  } else if (lcType == lctype::kShortDate) {
    text = shortDate_ ? *shortDate_ : singleByte(localePicture());
  } else {
    return 0;
  }
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (buffer == nullptr || size < needed) return 0;
  std::memcpy(buffer, text.c_str(), needed);
  return needed;
}

void PosixLocale::SetLocaleInfoA(std::int32_t locale, std::int32_t lcType, const char* text) {
  if (lcidEntryForLcid(locale) == nullptr || lcType != lctype::kShortDate || text == nullptr) return;
  // Writing back the locale's own picture puts the locale's own text back in force.
  if (text == singleByte(localePicture())) {
    shortDate_.reset();
  } else {
    shortDate_ = text;
  }
}

std::wstring PosixLocale::userLocaleText(std::int32_t lcType) {
  using namespace lctype;
  if (lcType == kShortDate) return shortDate_ ? fromSingleByte(*shortDate_) : localePicture();
  if (lcType == kLongTime) return windowsPicture(timeText(T_FMT));
  if (lcType == kDecimal) return numericText(RADIXCHAR);
  if (lcType == kThousand) return numericText(THOUSEP);
  if (lcType == kAm) return timeText(AM_STR);
  if (lcType == kPm) return timeText(PM_STR);
  // Windows counts the days from Monday, the C library from Sunday.
  if (lcType >= kDayName1 && lcType < kDayName1 + 7) return timeText(DAY_1 + (lcType - kDayName1 + 1) % 7);
  if (lcType >= kAbbrevDayName1 && lcType < kAbbrevDayName1 + 7) {
    return timeText(ABDAY_1 + (lcType - kAbbrevDayName1 + 1) % 7);
  }
  if (lcType >= kMonthName1 && lcType < kMonthName1 + 12) return timeText(MON_1 + (lcType - kMonthName1));
  if (lcType >= kAbbrevMonthName1 && lcType < kAbbrevMonthName1 + 12) {
    return timeText(ABMON_1 + (lcType - kAbbrevMonthName1));
  }
  return L"";
}

std::wstring PosixLocale::localePicture() { return windowsPicture(timeText(D_FMT)); }

std::wstring PosixLocale::timeText(nl_item item) { return timeDecoder_(nl_langinfo_l(item, time_.get())); }

std::wstring PosixLocale::numericText(nl_item item) {
  return numericDecoder_(nl_langinfo_l(item, numeric_.get()));
}

}  // namespace brask
