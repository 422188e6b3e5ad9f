// Windows locale identifiers and English language names of the POSIX locales.
#pragma once

#include <cstdint>
#include <string_view>

namespace brask {

struct LcidEntry {
  std::string_view posixName;  // language_TERRITORY, such as "de_AT"
  std::int32_t lcid;
  std::string_view englishLanguage;  // as LOCALE_SENGLANGUAGE names it
};

// The entry of a POSIX locale name such as "de_AT.UTF-8@euro": by language and
// territory, else the first entry of the language; "C" and "POSIX" are English (United
// States). Nothing for a language that the table does not hold.
const LcidEntry* lcidEntryForPosixName(std::string_view localeName);

// The entry of a locale identifier; nothing for an unknown one.
const LcidEntry* lcidEntryForLcid(std::int32_t lcid);

}  // namespace brask
