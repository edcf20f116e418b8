// --rounded on the command line: answers in every form, refusals, standard
// input; the working of school displays in English, Japanese and LaTeX
// against the texts kept in tests/working/; and every formula of a working
// checked with exact rational arithmetic of this file's own.
#include <gmpxx.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "working_exercises.h"

namespace {

using cli_run::RunCli;

struct Row {
  const char* name;
  std::vector<std::string_view> args;
  std::string input;  // standard input
  std::string out;
  std::string err;
  int status;
};

const std::string kLongDisplay = "0." + std::string(100'001, '3');

TEST(Rounded, Answers) {
  const std::vector<Row> rows = {
      {"two thirds", {"--rounded", "0.6666666667"}, "", "2/3\n", "", 0},
      {"a school calculator", {"--rounded", "71.47058824"}, "", "1215/17\n", "", 0},
      {"pi", {"--rounded", "3.14159"}, "", "355/113\n", "", 0},
      {"a third", {"--rounded", "0.3333"}, "", "1/3\n", "", 0},
      {"a half", {"0.5", "--rounded"}, "", "1/2\n", "", 0},
      {"trailing zeros count", {"--rounded", "0.30"}, "", "3/10\n", "", 0},
      // 0.25 shows as 0.3: the high end is not among the values 0.2 stands for.
      {"the high end left out", {"--rounded", "0.2"}, "", "1/5\n", "", 0},
      {"the high end left out, negative", {"--rounded", "--", "-0.2"}, "", "-1/5\n", "", 0},
      {"the low end kept", {"--rounded", "0.8"}, "", "3/4\n", "", 0},
      {"a whole number", {"--rounded", "7"}, "", "7/1\n", "", 0},
      {"zero", {"--rounded", "0.0000"}, "", "0/1\n", "", 0},
      {"negative", {"--rounded", "--", "-0.6666666667"}, "", "-2/3\n", "", 0},
      {"the minus sign U+2212", {"--rounded", "\u22120.5"}, "", "-1/2\n", "", 0},
      {"full-width", {"--rounded", "０．６６６６６６６６６７"}, "", "2/3\n", "", 0},
      {"an exponent", {"--rounded", "1.5e-3"}, "", "1/646\n", "", 0},
      {"mixed", {"--rounded", "--mixed", "3.14159"}, "", "3 16/113\n", "", 0},
      {"mixed whole", {"--rounded", "--mixed", "7"}, "", "7\n", "", 0},
      {"mixed zero", {"--rounded", "--mixed", "0.00"}, "", "0\n", "", 0},
      {"detail",
       {"--rounded", "--detail", "0.6666666667"},
       "",
       "0.66666666665\t0.66666666675\t2/3\n",
       "",
       0},
      {"detail negative", {"--rounded", "--detail", "--", "-7"}, "", "-7.5\t-6.5\t-7/1\n", "", 0},
      {"detail zero", {"--rounded", "--detail", "0"}, "", "-0.5\t0.5\t0/1\n", "", 0},
      {"detail mixed",
       {"--rounded", "--detail", "--mixed", "1.5"},
       "",
       "1.45\t1.55\t1 1/2\n",
       "",
       0},
      {"json",
       {"--rounded", "--json", "0.6666666667"},
       "",
       R"j({"input":"0.6666666667","reading":"plain","low":"0.66666666665",)j"
       R"j("high":"0.66666666675","fraction":"2/3","numerator":"2","denominator":"3"})j"
       "\n",
       "",
       0},
      {"json negative and mixed",
       {"--rounded", "--json", "--mixed", "--", "-3.14159"},
       "",
       R"j({"input":"-3.14159","reading":"plain","low":"-3.141595","high":"-3.141585",)j"
       R"j("fraction":"-355/113","numerator":"-355","denominator":"113","mixed":"-3 16/113"})j"
       "\n",
       "",
       0},
      // Standard input: one display a line; K, a fraction or a recurring
      // decimal on a line is refused and the lines after it go on.
      {"lines",
       {"--rounded"},
       "0.6666666667\n# a note\n3.14159\n0.5 1\n1/2\n0.333...\n\n7\n",
       "2/3\n355/113\n"
       "error: '0.5 1': K is for a recurring decimal, and --rounded reads a display that ends; "
       "give the entry alone\n"
       "error: '1/2': a fraction is exact already, not a rounded display\n"
       "error: '0.333...': a recurring decimal is exact already, not a rounded display\n"
       "error: '': the line is empty; give ENTRY [K]\n"
       "7/1\n",
       "",
       1},
      {"lines as json",
       {"--rounded", "--json"},
       "1.5e3\n0.5\n",
       R"j({"input":"1.5e3","error":"'1.5e3': the exponent moves the last digit before the )j"
       R"j(units place, which leaves no digit to round at","kind":"syntax","position":4})j"
       "\n"
       R"j({"input":"0.5","reading":"plain","low":"0.45","high":"0.55","fraction":"1/2",)j"
       R"j("numerator":"1","denominator":"2"})j"
       "\n",
       "",
       1},
      // Refusals on the command line.
      {"an exponent that leaves no digit to round at",
       {"--rounded", "1.5e3"},
       "",
       "",
       "quotalis-cli: '1.5e3': the exponent moves the last digit before the units place, which "
       "leaves no digit to round at\n",
       2},
      {"the exponent's place in full-width",
       {"--rounded", "--json", "１．５ｅ３"},
       "",
       R"j({"input":"１．５ｅ３","error":"'１．５ｅ３': the exponent moves the last digit )j"
       R"j(before the units place, which leaves no digit to round at","kind":"syntax",)j"
       R"j("position":4})j"
       "\n",
       "",
       2},
      {"a fraction",
       {"--rounded", "2/3"},
       "",
       "",
       "quotalis-cli: '2/3': a fraction is exact already, not a rounded display\n",
       2},
      {"a recurring decimal",
       {"--rounded", "0.(6)"},
       "",
       "",
       "quotalis-cli: '0.(6)': a recurring decimal is exact already, not a rounded display\n",
       2},
      {"too long",
       {"--rounded", "--json", kLongDisplay},
       "",
       R"j({"input":")j" + kLongDisplay + R"j(","error":"')j" + kLongDisplay.substr(0, 24) +
           R"j(...': a rounded display may have at most 100,000 digits","kind":"too-large",)j"
           R"j("position":0})j"
           "\n",
       "",
       2},
      {"not a number",
       {"--rounded", "1,5"},
       "",
       "",
       "quotalis-cli: '1,5': unexpected ',' at character 2\n",
       2},
      {"--period with it",
       {"--period", "1", "--rounded", "0.5"},
       "",
       "",
       "quotalis-cli: --period and --rounded cannot be given together (see quotalis-cli --help)\n",
       2},
      {"--period with it, as json",
       {"--rounded", "--json", "--period=0", "0.5"},
       "",
       R"j({"input":null,"error":"--period and --rounded cannot be given together",)j"
       R"j("kind":"argument","position":0})j"
       "\n",
       "",
       2},
      {"--rounded takes no value",
       {"--rounded=yes", "0.5"},
       "",
       "",
       "quotalis-cli: the option --rounded takes no value (see quotalis-cli --help)\n",
       2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto r = RunCli(row.args, row.input);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(r.status, row.status);
  }
}

// --- Rational arithmetic of this file's own ---------------------------------

// The formulas of a line: each maximal stretch of numbers, variables (x, y,
// with a subscript: x₁), operators, parentheses and blanks between words,
// commas, colons and full stops.
struct Token {
  enum Kind { Number, Mixed, Variable, Operator, Relation } kind;
  std::string text;  // digits, "x₁", "+", "≤"...
  mpq_class value;   // of a number
};

bool StartsWith(std::string_view s, std::size_t at, std::string_view what) {
  return s.substr(at, what.size()) == what;
}

mpq_class NumberValue(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return mpq_class(mpz_class(text, 10));
  mpz_class scale;
  mpz_ui_pow_ui(scale.get_mpz_t(), 10, text.size() - point - 1);
  mpq_class v(mpz_class(text.substr(0, point) + text.substr(point + 1), 10), scale);
  v.canonicalize();
  return v;
}

std::vector<std::vector<Token>> Formulas(std::string_view line) {
  std::vector<std::vector<Token>> formulas(1);
  const auto end = [&] {
    if (!formulas.back().empty()) formulas.emplace_back();
  };
  std::size_t i = 0;
  const auto digits = [&](std::size_t from) {
    std::size_t j = from;
    while (j < line.size() && line[j] >= '0' && line[j] <= '9') ++j;
    return j;
  };
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ') {
      ++i;
    } else if (c >= '0' && c <= '9') {
      std::size_t j = digits(i);
      if (j + 1 < line.size() && line[j] == '.' && line[j + 1] >= '0' && line[j + 1] <= '9') {
        j = digits(j + 1);
      }
      std::string text(line.substr(i, j - i));
      // A mixed number: whole, one blank, numerator/denominator.
      const std::size_t n = j + 1, slash = digits(n);
      if (text.find('.') == std::string::npos && j < line.size() && line[j] == ' ' && slash > n &&
          slash < line.size() && line[slash] == '/' && digits(slash + 1) > slash + 1) {
        const std::size_t d = digits(slash + 1);
        mpq_class part(mpz_class(std::string(line.substr(n, slash - n)), 10),
                       mpz_class(std::string(line.substr(slash + 1, d - slash - 1)), 10));
        part.canonicalize();
        formulas.back().push_back({Token::Mixed, "", NumberValue(text) + part});
        i = d;
        continue;
      }
      formulas.back().push_back({Token::Number, text, NumberValue(text)});
      i = j;
    } else if ((c == 'x' || c == 'y') &&
               (i == 0 || !std::isalpha(static_cast<unsigned char>(line[i - 1]))) &&
               (i + 1 >= line.size() || !std::isalpha(static_cast<unsigned char>(line[i + 1])))) {
      std::string name(1, c);
      ++i;
      while (StartsWith(line, i, "\xE2\x82") && i + 2 < line.size()) {  // ₀ to ₉
        name += line.substr(i, 3);
        i += 3;
      }
      formulas.back().push_back({Token::Variable, name, 0});
    } else if (c == '+' || c == '-' || c == '/' || c == '(' || c == ')') {
      formulas.back().push_back({Token::Operator, std::string(1, c), 0});
      ++i;
    } else if (StartsWith(line, i, "×")) {
      formulas.back().push_back({Token::Operator, "×", 0});
      i += std::string_view("×").size();
    } else if (c == '=' || c == '<') {
      formulas.back().push_back({Token::Relation, std::string(1, c), 0});
      ++i;
    } else if (StartsWith(line, i, "≤")) {
      formulas.back().push_back({Token::Relation, "≤", 0});
      i += std::string_view("≤").size();
    } else {
      end();  // a word, a comma, a colon, a full stop
      ++i;
    }
  }
  if (formulas.back().empty()) formulas.pop_back();
  return formulas;
}

class Evaluator {
 public:
  Evaluator(const std::vector<Token>& t, std::size_t from, std::size_t to,
            const std::map<std::string, mpq_class>& known)
      : t_(t), at_(from), to_(to), known_(known) {}

  std::optional<mpq_class> Whole() {
    std::optional<mpq_class> v = Sum();
    if (!v || at_ != to_) return std::nullopt;
    return v;
  }

 private:
  bool Take(const char* op) {
    if (at_ < to_ && t_[at_].kind == Token::Operator && t_[at_].text == op) {
      ++at_;
      return true;
    }
    return false;
  }
  std::optional<mpq_class> Sum() {
    std::optional<mpq_class> v = Product();
    while (v) {
      const bool plus = Take("+");
      if (!plus && !Take("-")) break;
      const auto w = Product();
      if (!w) return std::nullopt;
      *v = plus ? mpq_class(*v + *w) : mpq_class(*v - *w);
    }
    return v;
  }
  std::optional<mpq_class> Product() {
    std::optional<mpq_class> v = Unary();
    while (v) {
      const bool times = Take("×");
      if (!times && !Take("/")) break;
      const auto w = Unary();
      if (!w || (!times && *w == 0)) return std::nullopt;
      *v = times ? mpq_class(*v * *w) : mpq_class(*v / *w);
    }
    return v;
  }
  std::optional<mpq_class> Unary() {
    if (Take("-")) {
      const auto v = Unary();
      if (!v) return std::nullopt;
      return mpq_class(-*v);
    }
    if (Take("(")) {
      const auto v = Sum();
      if (!v || !Take(")")) return std::nullopt;
      return v;
    }
    if (at_ >= to_) return std::nullopt;
    const Token& token = t_[at_++];
    if (token.kind == Token::Number || token.kind == Token::Mixed) return token.value;
    if (token.kind == Token::Variable) {
      const auto it = known_.find(token.text);
      if (it != known_.end()) return it->second;
    }
    return std::nullopt;
  }

  const std::vector<Token>& t_;
  std::size_t at_, to_;
  const std::map<std::string, mpq_class>& known_;
};

// Empty when every relation of every formula of the working holds, x being
// `x`; otherwise the first line that does not, and why. A formula "v = ..."
// whose v has no value yet gives v its value, so "let x = 3 + 1/x₁, so that
// x₁ = 1/(x - 3)" names x₁ and then checks the first equation.
std::string FalseLine(const std::string& working, const mpq_class& x) {
  std::map<std::string, mpq_class> known = {{"x", x}};
  int relations = 0;
  std::istringstream lines(working);
  for (std::string line; std::getline(lines, line);) {
    // The property of neighbouring fractions, named in letters: no formula
    // of the working.
    for (const std::string property : {"(ad - bc = 1)", "（ad \u2212 bc = 1）"}) {
      if (const std::size_t at = line.find(property); at != std::string::npos) {
        line.erase(at, property.size());
      }
    }
    std::vector<std::vector<Token>> formulas;
    for (auto& f : Formulas(line)) {
      for (const Token& t : f) {
        if (t.kind == Token::Relation) {
          formulas.push_back(f);
          break;
        }
      }
    }
    std::vector<bool> done(formulas.size(), false);
    for (bool progress = true; progress;) {
      progress = false;
      for (std::size_t k = 0; k < formulas.size(); ++k) {
        if (done[k]) continue;
        const std::vector<Token>& t = formulas[k];
        std::vector<std::size_t> cuts = {0};
        for (std::size_t i = 0; i < t.size(); ++i) {
          if (t[i].kind == Token::Relation) cuts.push_back(i);
        }
        cuts.push_back(t.size());
        std::vector<std::optional<mpq_class>> sides;
        for (std::size_t s = 0; s + 1 < cuts.size(); ++s) {
          const std::size_t from = s == 0 ? 0 : cuts[s] + 1;
          sides.push_back(Evaluator(t, from, cuts[s + 1], known).Whole());
        }
        // A variable named by the rest.
        if (!sides[0] && cuts[1] == 1 && t[0].kind == Token::Variable && t[1].text == "=" &&
            sides.size() == 2 && sides[1]) {
          known[t[0].text] = *sides[1];
          done[k] = progress = true;
          ++relations;
          continue;
        }
        bool all = true;
        for (const auto& side : sides) all = all && side.has_value();
        if (!all) continue;
        for (std::size_t s = 1; s < sides.size(); ++s) {
          const std::string& r = t[cuts[s]].text;
          const bool holds = r == "="   ? *sides[s - 1] == *sides[s]
                             : r == "<" ? *sides[s - 1] < *sides[s]
                                        : *sides[s - 1] <= *sides[s];
          if (!holds) return "false: " + line;
          ++relations;
        }
        done[k] = progress = true;
      }
    }
    for (std::size_t k = 0; k < formulas.size(); ++k) {
      if (!done[k]) return "unread: " + line;
    }
  }
  return relations > 0 ? "" : "no relation at all";
}

// The check finds a false line: each of these is one line of a working made false.
TEST(Rounded, FalseLinesAreFound) {
  const mpq_class pi(355, 113);
  EXPECT_EQ(FalseLine("3.141585 ≤ x ≤ 3.141595\n", pi), "");
  EXPECT_NE(FalseLine("3.141586 ≤ x ≤ 3.1415921\n", pi), "");
  EXPECT_EQ(
      FalseLine("let x = 3 + 1/x₁, so that x₁ = 1/(x - 3)\n7 1767/28319 ≤ x₁ ≤ 7 1781/28317\n", pi),
      "");
  EXPECT_NE(FalseLine("let x = 3 + 1/x₁, so that x₁ = 1/(x - 3)\n7 1767/28319 ≤ x₁ ≤ 7 1/17\n", pi),
            "");
  EXPECT_NE(FalseLine("let x = 3 + 1/x₁, so that x₁ = 1/(x - 4)\n", pi), "");
  EXPECT_NE(FalseLine("Put the whole parts back: x = 3 + 1/(7 + 1/15) = 355/113\n", pi), "");
  EXPECT_NE(FalseLine("333/106 < 3.141585 ≤ 355/113 ≤ 3.141595 < 22/8\n", pi), "");
  EXPECT_NE(FalseLine("22 × 106 - 333 × 7 = 2, so every fraction\n", pi), "");
  const std::string steps =
      "let x = 3 + 1/x₁, so that x₁ = 1/(x - 3)\nlet x₁ = 7 + 1/x₂, so that x₂ = 1/(x₁ - 7)\n";
  EXPECT_EQ(FalseLine(steps + "the smallest is 16: let x₂ = 16\n", pi), "");
  EXPECT_NE(FalseLine(steps + "the smallest is 17: let x₂ = 17\n", pi), "");
  EXPECT_NE(FalseLine("let y = -x, so that 3.141585 ≤ y ≤ 3.141595\n", pi), "");
  EXPECT_EQ(FalseLine("let y = -x, so that -3.141595 ≤ y ≤ -3.141585\n", pi), "");
}

// --- The working ------------------------------------------------------------

using quotalis::testing::Exercise;
using quotalis::testing::Kept;

const std::vector<Exercise> kExercises = {
    {"rounded_two_thirds", {"0.6666666667"}, "2/3"},
    {"rounded_calculator", {"71.47058824"}, "1215/17"},
    {"rounded_pi", {"3.14159"}, "355/113"},
    {"rounded_negative_half", {"--", "-0.5"}, "-1/2"},
    {"rounded_whole", {"7"}, "7"},
    {"rounded_zero", {"0.0000"}, "0"},
    {"rounded_mixed", {"--mixed", "3.14159"}, "355/113"},
};

const std::vector<std::string> kLatex = {"rounded_two_thirds", "rounded_pi"};

// The real program's working of the display read as rounded, in `language`
// ("" for English).
std::string Program(const std::vector<std::string>& args, const std::string& language) {
  std::vector<std::string> all = {"--rounded", "--explain"};
  all.insert(all.end(), args.begin(), args.end());
  return quotalis::testing::ProgramOutput(all, language);
}

mpq_class Value(const char* text) {
  mpq_class v(text, 10);
  v.canonicalize();
  return v;
}

TEST(Rounded, WorkingInEnglishAndJapanese) {
  for (const Exercise& e : kExercises) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(Program(e.args, ""), Kept("en", e.name, ".txt"));
    EXPECT_EQ(Program(e.args, "ja"), Kept("ja", e.name, ".txt"));
  }
}

TEST(Rounded, WorkingInLatex) {
  for (const Exercise& e : kExercises) {
    if (std::find(kLatex.begin(), kLatex.end(), e.name) == kLatex.end()) continue;
    SCOPED_TRACE(e.name);
    std::vector<std::string> args = {"--notation", "latex"};
    args.insert(args.end(), e.args.begin(), e.args.end());
    EXPECT_EQ(Program(args, ""), Kept("latex/en", e.name, ".tex"));
    EXPECT_EQ(Program(args, "ja"), Kept("latex/ja", e.name, ".tex"));
  }
}

// The formulas of the kept texts hold, in both languages: the words differ,
// the formulas do not.
TEST(Rounded, EveryFormulaOfTheKeptWorkingHolds) {
  for (const Exercise& e : kExercises) {
    for (const char* language : {"en", "ja"}) {
      SCOPED_TRACE(std::string(language) + "/" + e.name);
      EXPECT_EQ(FalseLine(Kept(language, e.name, ".txt"), Value(e.value)), "");
    }
  }
}

// Seeded displays of every shape, their working in English in-process: every
// formula holds, x being the answer, which the range of the display holds.
TEST(Rounded, EveryFormulaHoldsOverSeededDisplays) {
  std::mt19937 random(20261216);
  const auto digits = [&](unsigned most) {
    std::string s(random() % (most + 1), '0');
    for (char& c : s) c = static_cast<char>('0' + random() % 10);
    return s;
  };
  for (int i = 0; i < 300; ++i) {
    std::string display = (random() % 4 == 0 ? "-" : "") + digits(3);
    std::string after = digits(12);
    if (random() % 5 == 0) after += "0";  // a trailing zero counts
    if (!after.empty() || display.empty() || display == "-") display += "." + after + "1";
    if (random() % 6 == 0) display += "e-" + std::to_string(random() % 4);
    SCOPED_TRACE(display);
    const auto answer = RunCli({"--rounded", "--", display});
    ASSERT_EQ(answer.status, 0) << answer.err;
    std::string value = answer.out.substr(0, answer.out.size() - 1);
    const auto working = RunCli({"--rounded", "--explain", "--", display});
    ASSERT_EQ(working.status, 0) << working.err;
    EXPECT_EQ(FalseLine(working.out, Value(value.c_str())), "") << working.out;
  }
}

// The LaTeX working is one align* environment whose braces balance and whose
// commands a worksheet's amsmath knows.
TEST(Rounded, LatexIsOneAlignEnvironment) {
  const std::vector<std::string> known = {"begin", "end", "intertext", "frac", "le", "times"};
  for (const Exercise& e : kExercises) {
    SCOPED_TRACE(e.name);
    std::vector<std::string> args = {"--notation", "latex"};
    args.insert(args.end(), e.args.begin(), e.args.end());
    const std::string tex = Program(args, "ja");
    EXPECT_EQ(tex.rfind("\\begin{align*}\n", 0), 0u);
    EXPECT_TRUE(tex.ends_with("\\end{align*}\n"));
    int depth = 0;
    for (std::size_t i = 0; i < tex.size(); ++i) {
      if (tex[i] == '{') ++depth;
      if (tex[i] == '}') --depth;
      EXPECT_GE(depth, 0);
      if (tex[i] != '\\' || i + 1 >= tex.size()) continue;
      if (tex[i + 1] == '\\') {
        ++i;
        continue;
      }
      std::size_t j = i + 1;
      while (j < tex.size() && std::isalpha(static_cast<unsigned char>(tex[j]))) ++j;
      const std::string command = tex.substr(i + 1, j - i - 1);
      EXPECT_NE(std::find(known.begin(), known.end(), command), known.end()) << command;
    }
    EXPECT_EQ(depth, 0);
  }
}

}  // namespace
