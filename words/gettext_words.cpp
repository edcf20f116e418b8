#include "words/gettext_words.h"

#include <string>

#ifdef QUOTALIS_HAVE_GETTEXT
#include <libintl.h>
#endif

namespace quotalis::words {

namespace {

#ifdef QUOTALIS_HAVE_GETTEXT
class Catalog final : public Words {
 public:
  std::string Translate(std::string_view english) const override {
    if (english.empty()) return {};  // "" would give the catalog's header
    const std::string key(english);
    return dgettext(kTextDomain, key.c_str());
  }

  std::string_view Language() const override {
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
#endif

}  // namespace

const Words& GettextWords() {
#ifdef QUOTALIS_HAVE_GETTEXT
  static const Catalog catalog;
  return catalog;
#else
  return EnglishWords();
#endif
}

}  // namespace quotalis::words
