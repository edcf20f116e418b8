// The real quotalis-cli in English and in Japanese over good and bad
// arguments and lines: the language changes the words and nothing else. The
// answers, the fields of --detail, --json's objects but for "error", and the
// exit statuses are the same; every Japanese message and the Japanese --help
// hold no English word.
#include <cctype>
#include <cstddef>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_spawn.h"

namespace {

using cli_spawn::kEnglish;
using cli_spawn::Result;
using cli_spawn::Spawn;

constexpr char kJapanese[] = "LANGUAGE=ja LC_ALL=C.UTF-8";

// Words in ASCII letters that Japanese text may hold: names the user types
// (options, notations, --max-digits' "all"), the program's name, names such
// as UTF-8 and Ctrl-D, and the units of memory sizes.
const std::set<std::string, std::less<>> kMessageWords = {
    "K",    "quotalis", "cli",      "UTF",   "Ctrl",   "all", "parentheses", "brackets", "quotes",
    "dots", "overline", "ellipsis", "latex", "keypad", "KiB", "MiB",         "GiB"};
// And in --help: the names of the locale's variables, of --json's fields
// and of its kinds of fault, as a program or a shell spells them, and the
// names of things (JSON, LaTeX, Quotalis, MiB).
const std::set<std::string, std::less<>> kHelpWords = {
    "LANGUAGE", "LC", "ALL", "MESSAGES", "LANG", "ja", "printf", "JSON", "LaTeX", "Quotalis", "MiB",
    "parens", "plain", "fraction", "mixed", "input", "reading", "decimal", "unreduced", "numerator",
    "denominator", "nonRecurring", "period", "cut", "working", "error", "kind", "position", "null",
    "true", "empty", "encoding", "character", "syntax", "zero", "too", "large", "argument",
    "unwritable", "overline", "periodAbove", "low", "high", "base", "JavaScript", "jq",
    // --double's and --float's fields, the standard's and the formats' names and the
    // answer past the largest number.
    "stored", "storedDecimal", "storedBinary", "storedError", "storedErrorDecimal", "sign",
    "exponentField", "exponent", "significand", "bits", "class", "format", "IEEE", "binary",
    "double", "float", "infinity",
    // --check's and --mark's placeholders, a file name, and the English
    // words a pupil writes around the equations, which --check passes over.
    "ENTRY", "ANSWER", "NAME", "TAB", "txt", "Let", "So",
    // --sheet's: the TeX program and package, the sheet's fields and kinds
    // in --json, and the files of the examples.
    "lualatex", "luatexja", "seed", "exercises", "number", "question", "answer", "pure", "pre",
    "whole", "to", "rounded", "sheet", "tex", "seventh"};

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// The runs of two or more ASCII letters in `text` that no list allows, once
// the user's own text (quoted 「...」), option names (--period), character
// names (U+3000) and bytes as the messages show them (\xFF) are taken out.
std::vector<std::string> EnglishWords(std::string text, bool help) {
  for (std::size_t open; (open = text.find("「")) != std::string::npos;) {
    const std::size_t close = text.find("」", open);
    text.erase(open, close == std::string::npos ? std::string::npos : close + 3 - open);
  }
  const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < text.size();) {
    if (!IsLetter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsLetter(text[end])) ++end;
    const std::string word = text.substr(i, end - i);
    const char before = i >= 1 ? text[i - 1] : ' ';
    if (before == '-' || (word == "U" && end < text.size() && text[end] == '+') ||
        (before == '\\' && word.starts_with('x'))) {
      // An option name runs on through its hyphens (--max-digits), a
      // character's name or a byte through its hexadecimal digits.
      end = i + 1;
      while (end < text.size() &&
             (text[end] == '-' || text[end] == '+' || IsLetter(text[end]) || isHex(text[end])))
        ++end;
    } else if (word.size() >= 2 && !kMessageWords.contains(word) &&
               !(help && kHelpWords.contains(word))) {
      found.push_back(word);
    }
    i = end;
  }
  return found;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// `object` with the text of its "error" field taken out, and that text.
std::string WithoutError(std::string object, std::string* error) {
  const std::string key = "\"error\":\"";
  const std::size_t from = object.find(key);
  if (from == std::string::npos) return object;
  std::size_t to = from + key.size();
  while (to < object.size() && object[to] != '"')
    to += object[to] == '\\' ? std::size_t{2} : std::size_t{1};
  *error = object.substr(from + key.size(), to - from - key.size());
  return object.erase(from + key.size(), to - from - key.size());
}

void ExpectJapanese(const std::string& text, bool help = false) {
  const std::vector<std::string> words = EnglishWords(text, help);
  EXPECT_TRUE(words.empty()) << "English in: " << text << "\nfirst: " << words.front();
}

struct LanguageRun {
  const char* name;
  std::string args, in;
};

const LanguageRun kRuns[] = {
    {"a decimal", "0.5", ""},
    {"K", "--period 1 0.1666", ""},
    {"detail of a decimal", "--detail .5", ""},
    {"detail of a fraction", "--detail 1/6", ""},
    {"JSON", "--json '0.1(6)'", ""},
    {"JSON of a cut mixed number", "--json --mixed --max-digits 2 '1 1/7'", ""},
    {"a cut period", "--max-digits 2 1/7", ""},
    {"a cut period, one digit", "--max-digits 1 1/7", ""},
    {"a cut decimal that ends", "--max-digits 3 1/1024", ""},
    {"a cut part before a period", "--max-digits 1 1/1536", ""},
    {"a cut period in detail", "--detail --max-digits 2 1/7", ""},
    {"a period past the limit",
     "--max-digits 2 1/14000000000000000000000143000000000000000000000183", ""},
    {"a part before a period past the limit",
     "--max-digits 2 1/112000000000000000000001144000000000000000000001464", ""},
    {"keypad", "--notation keypad 1/7", ""},
    {"keypad, too long", "--notation keypad 1/17", ""},
    {"keypad, a part too long", "--notation keypad 1/6144", ""},
    {"keypad, negative", "--notation keypad -- -1/2", ""},
    {"keypad, negative, JSON", "--json --notation keypad -- -1/2", ""},
    {"a second point", "1.2.3", ""},
    {"an unclosed parenthesis", "'0.1(6'", ""},
    {"a zero denominator", "1/0", ""},
    {"too many digits", "1e999999999", ""},
    {"a stray letter", "0.1x", ""},
    {"nothing", "''", ""},
    {"an ellipsis without a block", "0.5...", ""},
    {"an ellipsis after a calculator's display", "0.6666666667...", ""},
    {"an ellipsis after a long display", "0.3141592653589793238462643383279...", ""},
    {"K with a notation", "--period 1 '0.1(6)'", ""},
    {"K with a fraction", "--period 2 1/7", ""},
    {"unknown option", "--foo", ""},
    {"unknown option, JSON", "--json --foo", ""},
    {"K not a number", "--period x 1", ""},
    {"K negative", "--period -1 1", ""},
    {"K empty", "--period= 1", ""},
    {"unknown notation", "--notation roman 1", ""},
    {"a notation that cannot answer", "--notation plain 1", ""},
    {"max digits zero", "--max-digits 0 1", ""},
    {"max digits not a number", "--max-digits x 1", ""},
    {"max memory not a size", "--max-memory 12Q 1", ""},
    {"max memory zero", "--max-memory 0 1", ""},
    {"max memory passed", "--max-memory 1M 1e9999999", ""},
    {"lines, max memory passed", "--max-memory 5M", "0.5\n1e9999999\n1/7\n"},
    {"lines, max memory passed, JSON", "--json --max-memory 5M", "0.5\n1e9999999\n"},
    {"options that conflict", "--detail --explain 1", ""},
    {"too many arguments", "1 2", ""},
    {"a value missing", "--period", ""},
    {"a value given to a flag", "--json=1 1", ""},
    {"lines", "",
     "0.5\n.\n\n \t\n0.5 x\n0.5 -1\n0.5 1 2\n# comment\n1/7\n０．１６\u3000１\n0.1(6\n\xff\n"
     "0.1̇2\n0.16̇6\n1.2r\n0.1'6\n0.(3) 1\n1/6 2\n"},
    {"lines, JSON", "--json", "0.5\n.\n\n0.5 x\n1/7\n0.1(6\n"},
    {"lines, detail", "--detail", "0.5\n1/6\n.\n"},
    {"version", "--version", ""},
    {"rounded", "--rounded 0.6666666667", ""},
    {"rounded, detail", "--rounded --detail -- -3.14159", ""},
    {"rounded, JSON", "--rounded --json --mixed 71.47058824", ""},
    {"rounded, an exponent past the digits", "--rounded 1.5e3", ""},
    {"rounded, a fraction", "--rounded 2/3", ""},
    {"rounded, a recurring decimal", "--rounded '0.(6)'", ""},
    {"rounded, too long", "--rounded 1e-100001", ""},
    {"rounded with --period", "--rounded --period 1 0.5", ""},
    {"rounded lines", "--rounded", "0.5\n0.5 1\n1/2\n0.3...\n1e5\n"},
    {"rounded lines, JSON", "--rounded --json", "0.5\n0.5 1\n1e5\n"},
};

TEST(CommandLineLanguage, OnlyTheWordsChange) {
  for (const LanguageRun& run : kRuns) {
    SCOPED_TRACE(run.name);
    const Result en = Spawn(run.args, run.in, "", kEnglish);
    const Result ja = Spawn(run.args, run.in, "", kJapanese);
    EXPECT_EQ(ja.status, en.status);
    EXPECT_EQ(ja.err.empty(), en.err.empty()) << en.err << ja.err;
    for (const std::string& line : Lines(ja.err)) {
      EXPECT_TRUE(line.starts_with("quotalis-cli: ")) << line;
      ExpectJapanese(line);
    }
    const std::vector<std::string> enLines = Lines(en.out), jaLines = Lines(ja.out);
    ASSERT_EQ(jaLines.size(), enLines.size()) << en.out << ja.out;
    for (std::size_t i = 0; i < enLines.size(); ++i) {
      const std::string &e = enLines[i], &j = jaLines[i];
      if (e.starts_with("error: ")) {
        EXPECT_TRUE(j.starts_with("エラー: ")) << j;
        ExpectJapanese(j);
      } else if (e.starts_with("{")) {
        std::string enError, jaError;
        EXPECT_EQ(WithoutError(j, &jaError), WithoutError(e, &enError));
        ExpectJapanese(jaError);
      } else if (const std::size_t note = e.find(" [cut: ");
                 note != std::string::npos && e.find('\t') == std::string::npos) {
        // The digits are the answer; the note after them is words, but
        // in the fields of --detail (a tab between them).
        EXPECT_EQ(j.substr(0, note), e.substr(0, note));
        EXPECT_TRUE(j.substr(note).starts_with(" [省略: ")) << j;
        ExpectJapanese(j.substr(note));
      } else {
        EXPECT_EQ(j, e);
      }
    }
  }
}

TEST(CommandLineLanguage, HelpInJapanese) {
  const Result en = Spawn("--help", "", "", kEnglish);
  const Result ja = Spawn("--help", "", "", kJapanese);
  EXPECT_EQ(ja.status, 0);
  EXPECT_EQ(ja.err, "");
  EXPECT_NE(ja.out, en.out);
  EXPECT_TRUE(ja.out.starts_with("使い方: quotalis-cli [--detail] [--period K] 数\n")) << ja.out;
  // The limits filled in after translation.
  for (const char* limit : {"1000000", "10000000", "64 MiB"}) {
    EXPECT_NE(ja.out.find(limit), std::string::npos) << limit;
  }
  EXPECT_EQ(ja.out.find("{1}"), std::string::npos);
  for (const std::string& line : Lines(ja.out)) {
    // The lines of the examples are commands and answers.
    if (line.starts_with("  $ ")) continue;
    ExpectJapanese(line, true);
  }
}

// The words themselves: what counts as English.
TEST(CommandLineLanguage, TellsEnglishWords) {
  struct Row {
    std::string text;
    std::vector<std::string> words;
  };
  const std::vector<Row> rows = {
      {"「abc」: 1文字目の文字 U+0000 は書けません", {}},
      {"オプション --max-digits には値が必要です", {}},
      {"quotalis-cli: K の値", {}},
      {"the period has 6 digits", {"the", "period", "has", "digits"}},
      {"「x」 but not here", {"but", "not", "here"}},
      {"UTF-8 と Ctrl-D と a", {}},
      {"バイト \\xFF と U+FEFF と U+1F600 は", {}},
      {"\\xFF is", {"is"}},
  };
  for (const Row& row : rows) EXPECT_EQ(EnglishWords(row.text, false), row.words) << row.text;
}

}  // namespace
