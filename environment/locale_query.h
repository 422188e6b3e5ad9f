// The language of the system: a general locale query and the English language name of
// the system default locale.
#pragma once

#include <cstdint>
#include <string>

#include "platform/locale_api.h"

namespace brask {

// The locale text of (dwLocaleID, dwLCType) without its terminating zero, asked for in two
// steps, size first; empty when the platform has no answer.
std::wstring GetUserLocaleInfo(LocaleApi& locale, std::int32_t dwLocaleID, std::int32_t dwLCType);

// Overwrites strLang1 with the English name of the system default locale's language,
// such as "Dutch"; with the empty string when the platform has none.
void getLanguage(LocaleApi& locale, std::wstring& strLang1);

}  // namespace brask
