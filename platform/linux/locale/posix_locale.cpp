#include "platform/linux/locale/posix_locale.h"

#include <langinfo.h>

#include <cstring>
#include <fstream>

#include "platform/linux/environment_variable.h"
#include "platform/linux/locale/lcid_table.h"
#include "platform/linux/locale/time_picture.h"
#include "platform/linux/locale/user_locale.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/text/single_byte.h"

namespace brask {
namespace {

// LOCALE_CUSTOM_UNSPECIFIED: a locale that has no identifier of its own.
constexpr std::int32_t kUnknownLcid = 0x1000;

// The LANG=... value of a locale file, quotes removed; empty when it has none.
std::string langOfFile(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::string lang;
  while (std::getline(file, line)) {
    if (line.rfind("LANG=", 0) != 0) continue;
    lang = line.substr(5);
    if (lang.size() >= 2 && (lang.front() == '"' || lang.front() == '\'') &&
        lang.back() == lang.front()) {
      lang = lang.substr(1, lang.size() - 2);
    }
  }
  return lang;
}

std::string systemDefaultLocaleName(const std::vector<std::string>& defaultLocaleFiles) {
  for (const char* name : {"LC_ALL", "LANG"}) {
    if (std::optional<std::string> value = nonEmptyVariable(name)) return *value;
  }
  for (const std::string& path : defaultLocaleFiles) {
    std::string lang = langOfFile(path);
    if (!lang.empty()) return lang;
  }
  return "en_US";
}

// The texts of one locale category as wide text, decoded from the locale's own set.
class CategoryTexts {
 public:
  explicit CategoryTexts(const char* categoryVariable)
      : locale_(openLocale(userLocaleName(categoryVariable))), decoder_(codesetOf(locale_.get())) {}
  std::wstring operator()(nl_item item) { return decoder_(nl_langinfo_l(item, locale_.get())); }

 private:
  LocaleHandle locale_;
  WideDecoder decoder_;
};

// The user's texts by information type; Windows counts the days from Monday, the C
// library from Sunday.
std::map<std::int32_t, std::wstring> userTexts() {
  using namespace lctype;
  CategoryTexts time("LC_TIME");
  CategoryTexts numeric("LC_NUMERIC");
  std::map<std::int32_t, std::wstring> texts{
      {kShortDate, windowsPicture(time(D_FMT))},
      {kLongTime, windowsPicture(time(T_FMT))},
      {kDecimal, numeric(RADIXCHAR)},
      {kThousand, numeric(THOUSEP)},
      {kAm, time(AM_STR)},
      {kPm, time(PM_STR)},
  };
  for (int day = 0; day < 7; ++day) {
    texts[kDayName1 + day] = time(DAY_1 + (day + 1) % 7);
    texts[kAbbrevDayName1 + day] = time(ABDAY_1 + (day + 1) % 7);
  }
  for (int month = 0; month < 12; ++month) {
    texts[kMonthName1 + month] = time(MON_1 + month);
    texts[kAbbrevMonthName1 + month] = time(ABMON_1 + month);
  }
  return texts;
}

}  // namespace

PosixLocale::PosixLocale(const std::vector<std::string>& defaultLocaleFiles) : texts_(userTexts()) {
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
    text = shortDate_ ? *shortDate_ : toSingleByte(texts_[lctype::kShortDate]);
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
  if (lcidEntryForLcid(locale) == nullptr || lcType != lctype::kShortDate || text == nullptr)
    return;
  // Writing back the locale's own picture puts the locale's own text back in force.
  if (text == toSingleByte(texts_[lctype::kShortDate])) {
    shortDate_.reset();
  } else {
    shortDate_ = text;
  }
}

std::wstring PosixLocale::userLocaleText(std::int32_t lcType) {
  if (lcType == lctype::kShortDate && shortDate_) return fromSingleByte(*shortDate_);
  const auto text = texts_.find(lcType);
  return text != texts_.end() ? text->second : L"";
}

}  // namespace brask
