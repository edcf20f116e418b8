// The program's languages: the table compiled into a program without gettext
// says, for every sentence of po/ja.po, what the catalog says (read here by
// this file, as gettext reads it); and Say and ProblemText fill in blanks
// and translate the library's words but never the user's text.
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "words/table_words.h"
#include "words/words.h"

namespace {

using quotalis::words::TableWords;

// A quoted string of a catalog line, its C escapes undone.
std::string Unquoted(std::string_view line) {
  const std::size_t open = line.find('"');
  const std::size_t close = line.rfind('"');
  std::string out;
  for (std::size_t i = open + 1; i < close; ++i) {
    if (line[i] != '\\') {
      out += line[i];
      continue;
    }
    const char e = line[++i];
    out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
  }
  return out;
}

// The translations of a catalog, as gettext uses them: entries are parted by
// blank lines; the header, fuzzy, untranslated and obsolete ones are not used.
std::map<std::string, std::string> Catalog(const std::string& path) {
  std::ifstream in(path);
  std::map<std::string, std::string> words;
  std::string line, id, str, *field = nullptr;
  bool fuzzy = false;
  const auto keep = [&] {
    if (!id.empty() && !str.empty() && !fuzzy) words[id] = str;
    id.clear();
    str.clear();
    fuzzy = false;
    field = nullptr;
  };
  while (std::getline(in, line)) {
    if (line.empty()) {
      keep();
    } else if (line.rfind("#,", 0) == 0) {
      fuzzy = fuzzy || line.find("fuzzy") != std::string::npos;
    } else if (line.rfind("msgid ", 0) == 0) {
      id = Unquoted(line);
      field = &id;
    } else if (line.rfind("msgstr ", 0) == 0) {
      str = Unquoted(line);
      field = &str;
    } else if (line.rfind("\"", 0) == 0 && field != nullptr) {
      *field += Unquoted(line);
    }
  }
  keep();
  return words;
}

TEST(TableWords, SayWhatTheCatalogSays) {
  const auto catalog = Catalog(QUOTALIS_PO_DIR "/ja.po");
  ASSERT_GT(catalog.size(), 200U) << "po/ja.po not read";
  const quotalis::words::Words& japanese = TableWords("ja");
  EXPECT_EQ(japanese.Language(), "ja");
  for (const auto& [english, translation] : catalog) {
    EXPECT_EQ(japanese.Translate(english), translation) << english;
  }
  // What the catalog does not hold stays English, as gettext leaves it.
  EXPECT_EQ(japanese.Translate("no such sentence"), "no such sentence");
  EXPECT_EQ(japanese.Translate(""), "");
}

TEST(TableWords, SpeakEnglishForAnyOtherLanguage) {
  for (const std::string_view language : {"en", "", "fr", "ja-JP", "JA"}) {
    SCOPED_TRACE(language);
    EXPECT_EQ(TableWords(language).Language(), "en");
    EXPECT_EQ(TableWords(language).Translate("remainder"), "remainder");
  }
  EXPECT_EQ(quotalis::words::TableLanguages(), (std::vector<std::string_view>{"en", "ja"}));
}

TEST(Words, FillBlanksAfterTranslating) {
  const quotalis::words::Words& japanese = TableWords("ja");
  // Japanese puts the quoted text first, as its own order wants.
  EXPECT_EQ(Say(japanese, "'{1}': {2}", {"0.1(6", "x"}), "「0.1(6」: x");
  EXPECT_EQ(Say(quotalis::words::EnglishWords(), "'{1}': {2}", {"0.1(6", "x"}), "'0.1(6': x");
  // A blank without its argument stays as it is.
  EXPECT_EQ(Say(quotalis::words::EnglishWords(), "{1} and {3}", {"a"}), "a and {3}");
}

TEST(Words, TranslateTheLibrarysWordsNotTheUsers) {
  const quotalis::words::Words& japanese = TableWords("ja");
  const quotalis::exact::Problem problem = quotalis::exact::MakeProblem(
      quotalis::exact::ProblemKind::Syntax, "the {2} opened at character {1} is never closed",
      {"4", "parenthesis"}, 4);
  EXPECT_EQ(ProblemText(problem, quotalis::words::EnglishWords()),
            "the parenthesis opened at character 4 is never closed");
  const std::string japaneseText = ProblemText(problem, japanese);
  EXPECT_NE(japaneseText.find("括弧"), std::string::npos) << japaneseText;
  EXPECT_NE(japaneseText.find("4"), std::string::npos) << japaneseText;
  // The user's own character stays as typed, though the catalog has a word
  // for the letter (the working read aloud names its unknown).
  const quotalis::exact::Problem letter = quotalis::exact::MakeProblem(
      quotalis::exact::ProblemKind::Character, "unexpected '{2}' at character {1}", {"4", "x"}, 4);
  const std::string letterText = ProblemText(letter, japanese);
  EXPECT_NE(letterText.find("「x」"), std::string::npos) << letterText;
  // A problem without blanks is its message translated.
  const quotalis::exact::Problem plain(quotalis::exact::ProblemKind::Empty, "remainder");
  EXPECT_EQ(ProblemText(plain, japanese), "あまり");
}

}  // namespace
