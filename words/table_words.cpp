#include "words/table_words.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

namespace quotalis::words {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// po/ja.po's translations, sorted by their English bytes.
constexpr Pair kJapanese[] = {
#include "ja_words.inc"
};

// As gettext answers: the translation when the table has one, else the
// English itself.
class Table final : public Words {
 public:
  std::string Translate(std::string_view english) const override {
    const auto* found =
        std::lower_bound(std::begin(kJapanese), std::end(kJapanese), english,
                         [](const Pair& pair, std::string_view key) { return pair.first < key; });
    if (found == std::end(kJapanese) || found->first != english) return std::string(english);
    return std::string(found->second);
  }
  std::string_view Language() const override { return "ja"; }
};

}  // namespace

const Words& TableWords(std::string_view language) {
  static const Table japanese;
  if (language == "ja") return japanese;
  return EnglishWords();
}

std::vector<std::string_view> TableLanguages() { return {"en", "ja"}; }

}  // namespace quotalis::words
