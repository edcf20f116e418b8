#include "cli/language.h"

#include <clocale>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef QUOTALIS_HAVE_GETTEXT
#include <libintl.h>
#endif

namespace quotalis::cli {

namespace {

#ifdef QUOTALIS_HAVE_GETTEXT
class CatalogWords final : public explain::Words {
 public:
  std::string Translate(std::string_view english) const override {
    if (english.empty()) return {};  // "" would give the catalog's header
    const std::string key(english);
    return dgettext(kTextDomain, key.c_str());
  }
  std::string_view Language() const override {
    // The header of the catalog in use says "Language: ja".
    static const std::string language = [] {
      const std::string header = dgettext(kTextDomain, "");
      const std::size_t at = header.find("Language: ");
      if (at == std::string::npos) return std::string("en");
      const std::size_t from = at + 10;
      return header.substr(from, header.find('\n', from) - from);
    }();
    return language;
  }
};

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
#endif

}  // namespace

void UseLocaleLanguage() {
#ifdef QUOTALIS_HAVE_GETTEXT
  // Only the categories the words need: the numbers the program reads and
  // writes keep the C locale's point whatever the user's locale.
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  bindtextdomain(kTextDomain, CatalogFolder().c_str());
  bind_textdomain_codeset(kTextDomain, "UTF-8");
#endif
}

const explain::Words& LocaleWords() {
#ifdef QUOTALIS_HAVE_GETTEXT
  static const CatalogWords words;
#else
  static const explain::English words;
#endif
  return words;
}

}  // namespace quotalis::cli
