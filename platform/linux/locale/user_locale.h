// The user's locale of one category, chosen from the environment as the C library
// chooses it, but opened as an object of its own: the process locale is never changed.
#pragma once

#include <locale.h>

#include <memory>
#include <string>
#include <type_traits>

namespace brask {

struct LocaleFree {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// LC_ALL, else the category's own variable (such as "LC_TIME"), else LANG, else "C";
// an empty variable counts as unset.
std::string userLocaleName(const char* categoryVariable);

// The locale of that name with the categories whose texts the program reads (character set,
// numbers, dates and times), so that its texts and its character set agree; the "C" locale
// when the name is not installed.
LocaleHandle openLocale(const std::string& name);

// The character set of the locale, such as "UTF-8" or "ISO-8859-1".
std::string codesetOf(locale_t locale);

// The character set of the user's LC_CTYPE locale: that of the text the user reads.
std::string userCodeset();

}  // namespace brask
