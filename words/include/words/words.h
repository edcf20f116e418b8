// The words the program speaks. Every sentence and word shown to a reader is
// written in English in the source, marked for the translators with N_, and
// put into the reader's language at the moment it is shown, through Words:
// the command line's come from its GNU gettext catalog, chosen by the locale
// (words/gettext_words.h); the page's from a table made of the same catalog
// (words/table_words.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>

namespace quotalis::words {

// Marks an English sentence or word for the translators (xgettext
// --keyword=N_) without translating it; the exact library's refusals are
// marked with the same one.
using exact::N_;

class Words {
 public:
  virtual ~Words() = default;
  // `english` in the reader's language; `english` itself when it has no
  // translation.
  virtual std::string Translate(std::string_view english) const = 0;
  // The language the words are in, as a BCP 47 tag: "en", "ja".
  virtual std::string_view Language() const = 0;
};

// English, the words of the source.
class English final : public Words {
 public:
  std::string Translate(std::string_view english) const override { return std::string(english); }
  std::string_view Language() const override { return "en"; }
};

// The one English instance, for defaults.
const Words& EnglishWords();

// `format` translated, with its blanks {1}, {2}... filled with `args`
// (exact::FillIn). The arguments are put in as they stand: numbers, the
// user's text.
//   (Japanese, "the line is empty; give ENTRY [K]", {}) -> "行が空です。ENTRY [K] を..."
std::string Say(const Words& words, std::string_view format,
                const std::vector<std::string>& args = {});

// A refusal of the exact library in the reader's language: its sentence
// translated, and each of its arguments that is one of the library's words
// ("parenthesis", "blank") translated too; numbers and the user's characters
// have no translation and stay as they are.
std::string ProblemText(const exact::Problem& problem, const Words& words);

}  // namespace quotalis::words
