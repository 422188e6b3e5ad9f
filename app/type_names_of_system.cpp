#include "app/type_names_of_system.h"

#include <string>

#include "environment/locale_query.h"
#include "environment/version.h"

namespace brask {

EventTypeNames typeNamesOfSystem(LocaleApi& locale, VersionApi& version) {
  std::wstring language;
  std::wstring versionName;
  getLanguage(locale, language);
  getVersion(version, versionName);
  if (const auto generation = generationOf(versionName)) {
    if (auto names = eventTypeNames(language, *generation)) return *names;
  }
  return *eventTypeNames(L"English", Generation::Newer);
}

}  // namespace brask
