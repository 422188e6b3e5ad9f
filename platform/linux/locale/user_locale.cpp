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
  locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), nullptr);
  if (locale == nullptr) locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return LocaleHandle(locale);
}

std::string codesetOf(locale_t locale) { return nl_langinfo_l(CODESET, locale); }

std::string userCodeset() { return codesetOf(openLocale(userLocaleName("LC_CTYPE")).get()); }

}  // namespace brask
