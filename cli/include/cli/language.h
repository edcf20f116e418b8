// The command line's language: its GNU gettext catalog, chosen by the locale
// as in every Debian program (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), English
// when there is none. Answers, --detail, the keys of --json and the exit
// statuses never depend on it.
#pragma once

#include "words/words.h"

namespace quotalis::cli {

// Takes the message language from the environment and finds the catalogs:
// beside the program (the same relative place as where it is installed, so
// that the build tree and any install prefix work), else where the build
// said it would be installed. Call once, first thing in main.
void UseLocaleLanguage();

// The words of the catalog in the language UseLocaleLanguage chose; English
// before it is called, and wherever the program was built without gettext.
const words::Words& LocaleWords();

}  // namespace quotalis::cli
