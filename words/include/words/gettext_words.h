// The words of the program's GNU gettext catalog, in the language the locale
// chose, as every Debian program finds them (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG); English wherever the program was built without gettext.
#pragma once

#include "words/words.h"

namespace quotalis::words {

// The catalog's domain: share/locale/<language>/LC_MESSAGES/quotalis.mo.
inline constexpr char kTextDomain[] = "quotalis";

// The catalog's words through dgettext: whatever bindtextdomain and the
// locale say when a word is asked for (the command line sets both first
// thing, cli/language.h). The language is read from the catalog's header
// ("Language: ja") the first time it is asked for; "en" without a catalog.
const Words& GettextWords();

}  // namespace quotalis::words
