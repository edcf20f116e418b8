#include "cli/language.h"

#include "words/gettext_words.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef QUOTALIS_HAVE_GETTEXT
#include <libintl.h>
#endif

namespace quotalis::cli {

namespace {

#ifdef QUOTALIS_HAVE_GETTEXT
// The folder of the catalogs: QUOTALIS_LOCALE_FROM_PROGRAM from the
// program's own folder when it is there, else the installed QUOTALIS_LOCALE_DIR.
std::string CatalogFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path beside = program.parent_path() / QUOTALIS_LOCALE_FROM_PROGRAM;
    if (std::filesystem::is_directory(beside, error)) return beside.lexically_normal().string();
  }
  return QUOTALIS_LOCALE_DIR;
}

// The locale the environment asks for messages, as setlocale(LC_MESSAGES, "")
// reads it: the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
std::string AskedLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

// Sets `category` from the environment. When the locale asked for is not
// installed (a container or a fresh system often has C.UTF-8 alone),
// setlocale fails and gettext would speak English whatever the user asked;
// the C.UTF-8 locale, which the C library always has, with the asked
// locale's language as the first choice of LANGUAGE (unless LANGUAGE is set
// already) gives the user the same words: "ja_JP.UTF-8" -> LANGUAGE=ja_JP.
void UseCategory(int category) {
  if (std::setlocale(category, "")) return;
  if (!std::setlocale(category, "C.UTF-8") || category != LC_MESSAGES) return;
  const std::string asked = AskedLocale();
  const std::string language = asked.substr(0, asked.find_first_of(".@"));
  const char* chosen = std::getenv("LANGUAGE");
  if (!language.empty() && language != "C" && language != "POSIX" && !(chosen && *chosen)) {
    setenv("LANGUAGE", language.c_str(), 1);
  }
}
#endif

}  // namespace

void UseLocaleLanguage() {
#ifdef QUOTALIS_HAVE_GETTEXT
  // Only the categories the words need: the numbers the program reads and
  // writes keep the C locale's point whatever the user's locale.
  UseCategory(LC_MESSAGES);
  UseCategory(LC_CTYPE);
  bindtextdomain(words::kTextDomain, CatalogFolder().c_str());
  bind_textdomain_codeset(words::kTextDomain, "UTF-8");
#endif
}

const words::Words& LocaleWords() { return words::GettextWords(); }

}  // namespace quotalis::cli
