#include "platform/linux/user_locale.h"

#include <langinfo.h>

#include <cstdlib>

namespace brask {
namespace {

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::string userLocaleName(const char* categoryVariable) {
  for (const char* name : {"LC_ALL", categoryVariable, "LANG"}) {
    if (const char* value = variable(name)) return value;
  }
  return "C";
}

LocaleHandle openLocale(const std::string& name) {
  locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), nullptr);
  if (locale == nullptr) locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return LocaleHandle(locale);
}

std::string codesetOf(locale_t locale) { return nl_langinfo_l(CODESET, locale); }

}  // namespace brask
