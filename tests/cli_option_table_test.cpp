// The options' table against what is written of the options elsewhere:
// --help in both languages, the bash completion and the manual pages name
// every option and every notation of the tables, and nothing more.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "answer/notations.h"
#include "cli/options.h"
#include "cli/usage.h"
#include "words/table_words.h"

namespace {

using quotalis::cli::OptionTable;

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> Words(const std::string& list) {
  std::istringstream in(list);
  std::set<std::string> words;
  for (std::string word; in >> word;) words.insert(word);
  return words;
}

std::set<std::string> NotationNames() {
  std::set<std::string> names;
  for (const auto& n : quotalis::answer::AnswerNotations()) {
    names.insert(std::string(quotalis::exact::NotationName(n.notation)));
  }
  return names;
}

TEST(OptionTable, HelpListsEveryOptionInBothLanguages) {
  for (const char* language : {"en", "ja"}) {
    const quotalis::words::Words& words = quotalis::words::TableWords(language);
    const std::string help = quotalis::cli::UsageText(words);
    for (const auto& option : OptionTable()) {
      const std::string line = "\n  " + words.Translate(option.usage);
      EXPECT_NE(help.find(line), std::string::npos) << language << ": " << option.name;
      EXPECT_EQ(quotalis::cli::FindOption(option.name), &option);
    }
    // Every notation an answer may be written in is named where --notation is.
    for (const std::string& name : NotationNames()) {
      EXPECT_NE(help.find(name), std::string::npos) << language << ": " << name;
    }
  }
  EXPECT_EQ(quotalis::cli::FindOption("-h"), quotalis::cli::FindOption("--help"));
  EXPECT_EQ(quotalis::cli::FindOption("--foo"), nullptr);
}

TEST(OptionTable, CompletionOffersWhatTheTableHolds) {
  const std::string script = Slurp(QUOTALIS_SOURCE_DIR "/packaging/quotalis-cli.bash");
  ASSERT_FALSE(script.empty());
  // The options, offered after a dash.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(script, m, std::regex(R"(compgen -W '(--[^']*)' -- "\$cur")")));
  std::set<std::string> names = {"-h"};
  for (const auto& option : OptionTable()) names.insert(std::string(option.name));
  EXPECT_EQ(Words(m[1]), names);
  // The values of each option that takes one.
  for (const auto& option : OptionTable()) {
    if (!option.takesValue) continue;
    SCOPED_TRACE(option.name);
    const std::regex branch(
        std::string(option.name) +
        R"(\)\n(?:\s*#[^\n]*\n)?\s*(mapfile -t COMPREPLY < <\(compgen -W '([^']*)'|return))");
    ASSERT_TRUE(std::regex_search(script, m, branch));
    const std::set<std::string> offered = m[2].matched ? Words(m[2]) : std::set<std::string>{};
    const std::set<std::string> values(option.values.begin(), option.values.end());
    EXPECT_EQ(offered, values);
  }
  const auto* notation = quotalis::cli::FindOption("--notation");
  EXPECT_EQ(std::set<std::string>(notation->values.begin(), notation->values.end()),
            NotationNames());
}

TEST(OptionTable, ManualPagesNameEveryOptionAndNotation) {
  for (const char* page : {"/doc/man/quotalis-cli.1", "/doc/man/ja/quotalis-cli.1"}) {
    SCOPED_TRACE(page);
    std::string roff = Slurp(std::string(QUOTALIS_SOURCE_DIR) + page);
    ASSERT_FALSE(roff.empty());
    roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
    for (const auto& option : OptionTable()) {
      EXPECT_NE(roff.find(option.name), std::string::npos) << option.name;
    }
    for (const std::string& name : NotationNames()) {
      EXPECT_NE(roff.find(name), std::string::npos) << name;
    }
  }
}

}  // namespace
