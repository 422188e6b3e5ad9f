#include "platform/linux/locale/user_locale.h"

#include <langinfo.h>

#include "platform/linux/environment_variable.h"

namespace brask {

std::string userLocaleName(const char* categoryVariable) {
  for (const char* name : {"LC_ALL", categoryVariable, "LANG"}) {
    if (std::optional<std::string> value = nonEmptyVariable(name)) return *value;
  }
  return "C";
}

LocaleHandle openLocale(const std::string& name) {
  // The categories whose texts the program reads; the rest stay "C", and their files unread.
  constexpr int kRead = LC_CTYPE_MASK | LC_NUMERIC_MASK | LC_TIME_MASK;
  locale_t locale = newlocale(kRead, name.c_str(), nullptr);
  if (locale == nullptr) locale = newlocale(kRead, "C", nullptr);
  return LocaleHandle(locale);
}

std::string codesetOf(locale_t locale) { return nl_langinfo_l(CODESET, locale); }

std::string userCodeset() { return codesetOf(openLocale(userLocaleName("LC_CTYPE")).get()); }

}  // namespace brask
