// The working (--explain) of school exercises, in English and in Japanese,
// against the texts kept in tests/working/; every equation of an English
// working checked with exact rational arithmetic of this file's own; the
// LaTeX working's structure.
#include <gmpxx.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "answer/sheet.h"
#include "cli_run.h"
#include "words/table_words.h"
#include "working_exercises.h"

namespace {

// --- The exercises ---------------------------------------------------------

using quotalis::testing::Exercise;
using quotalis::testing::kExercises;

const std::set<std::string> kLatex = {"sixth", "exponent", "seventh", "mixed_number",
                                      "thousand_zeros"};

using quotalis::testing::Kept;
using quotalis::testing::ShellQuoted;

// The real program's working (--explain) of `args`, in `language` ("" for
// the C locale's English).
std::string Program(const std::vector<std::string>& args, const std::string& language) {
  std::vector<std::string> all = {"--explain"};
  all.insert(all.end(), args.begin(), args.end());
  return quotalis::testing::ProgramOutput(all, language);
}

TEST(Working, SchoolExercisesInEnglish) {
  for (const Exercise& e : kExercises) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(Program(e.args, ""), Kept("en", e.name, ".txt"));
  }
}

TEST(Working, SchoolExercisesInJapanese) {
  for (const Exercise& e : kExercises) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(Program(e.args, "ja"), Kept("ja", e.name, ".txt"));
  }
}

TEST(Working, SchoolExercisesInLatex) {
  for (const Exercise& e : kExercises) {
    if (kLatex.count(e.name) == 0) continue;
    SCOPED_TRACE(e.name);
    std::vector<std::string> args = {"--notation", "latex"};
    args.insert(args.end(), e.args.begin(), e.args.end());
    EXPECT_EQ(Program(args, ""), Kept("latex/en", e.name, ".tex"));
    EXPECT_EQ(Program(args, "ja"), Kept("latex/ja", e.name, ".tex"));
  }
}

// --- Rational arithmetic of the test's own ---------------------------------

// A formula of a working read as a value: numbers (12, 0.25, 16.(6),
// 16.666...), x and y, + - × ÷ /, parentheses, a superscript power after a
// number (10⁶, 3², 10⁻⁵), a number or power before a variable multiplying it
// (100x, 10⁶x), a whole number and a fraction side by side making a mixed
// number (2 19/55). Nothing when the text is not such a formula or uses an
// unknown variable.
class Reader {
 public:
  Reader(std::string_view text, const std::map<char, mpq_class>& known)
      : text_(text), known_(known) {}

  std::optional<mpq_class> Whole() {
    std::optional<mpq_class> v = Sum();
    Blanks();
    if (!v || at_ != text_.size()) return std::nullopt;
    return v;
  }

 private:
  void Blanks() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }
  bool Take(std::string_view token) {
    Blanks();
    if (text_.substr(at_, token.size()) != token) return false;
    at_ += token.size();
    return true;
  }

  std::optional<mpq_class> Sum() {
    std::optional<mpq_class> v = Product();
    while (v) {
      if (Take("+")) {
        const auto w = Product();
        if (!w) return std::nullopt;
        *v += *w;
      } else if (Take("- ")) {  // binary minus has blanks around it
        const auto w = Product();
        if (!w) return std::nullopt;
        *v -= *w;
      } else {
        break;
      }
    }
    return v;
  }

  std::optional<mpq_class> Product() {
    std::optional<mpq_class> v = Signed();
    while (v) {
      bool divide = false;
      if (Take("×")) {
      } else if (Take("÷") || Take("/")) {
        divide = true;
      } else {
        break;
      }
      const auto w = Signed();
      if (!w || (divide && *w == 0)) return std::nullopt;
      *v = divide ? mpq_class(*v / *w) : mpq_class(*v * *w);
    }
    return v;
  }

  std::optional<mpq_class> Signed() {
    if (Take("-")) {
      const auto v = Signed();
      if (!v) return std::nullopt;
      return mpq_class(-*v);
    }
    return Juxtaposed();
  }

  // A number, then perhaps a variable it multiplies, or the fraction of a
  // mixed number.
  std::optional<mpq_class> Juxtaposed() {
    Blanks();
    const std::size_t start = at_;
    std::optional<mpq_class> v = Primary();
    if (!v) return std::nullopt;
    const bool number = start < text_.size() && text_[start] >= '0' && text_[start] <= '9';
    if (number && at_ < text_.size() && (text_[at_] == 'x' || text_[at_] == 'y')) {
      const auto var = Primary();
      if (!var) return std::nullopt;
      return mpq_class(*v * *var);
    }
    // A mixed number: "2 19/55", a whole number, one blank, digits and "/".
    if (number && v->get_den() == 1 && at_ + 1 < text_.size() && text_[at_] == ' ' &&
        text_[at_ + 1] >= '0' && text_[at_ + 1] <= '9') {
      ++at_;
      const auto n = Primary();
      if (!n || !Take("/")) return std::nullopt;
      const auto d = Primary();
      if (!d || *d == 0) return std::nullopt;
      return mpq_class(*v + *n / *d);
    }
    return v;
  }

  std::optional<mpq_class> Primary() {
    Blanks();
    if (at_ >= text_.size()) return std::nullopt;
    const char c = text_[at_];
    if (c == '(') {
      ++at_;
      const auto v = Sum();
      if (!v || !Take(")")) return std::nullopt;
      return v;
    }
    if (c == 'x' || c == 'y') {
      ++at_;
      const auto it = known_.find(c);
      if (it == known_.end()) return std::nullopt;
      return it->second;
    }
    if (c < '0' || c > '9') return std::nullopt;
    mpq_class v = Decimal();
    const std::optional<long> power = Superscript();
    if (power) {
      mpz_class p;
      mpz_ui_pow_ui(p.get_mpz_t(), 10, 0);
      mpz_class base = v.get_num();
      if (v.get_den() != 1) return std::nullopt;
      mpz_pow_ui(p.get_mpz_t(), base.get_mpz_t(), static_cast<unsigned long>(std::labs(*power)));
      v = *power < 0 ? mpq_class(1, p) : mpq_class(p);
      v.canonicalize();
    }
    return v;
  }

  std::string Digits() {
    std::string d;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') d += text_[at_++];
    return d;
  }

  // Digits, with a dot above (U+0307) on the first and the last recurring
  // one, or on the one recurring digit: those before the first dot, and the
  // period into `period`.
  std::string DottedDigits(std::string& period) {
    static constexpr std::string_view kDot = "\xCC\x87";
    std::string digits;
    std::vector<std::size_t> dotted;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      digits += text_[at_++];
      if (text_.substr(at_, kDot.size()) == kDot) {
        dotted.push_back(digits.size() - 1);
        at_ += kDot.size();
      }
    }
    if (dotted.empty()) return digits;
    period = digits.substr(dotted.front(), dotted.back() - dotted.front() + 1);
    return digits.substr(0, dotted.front());
  }

  // Digits, a point and digits, then a period marked with dots, in
  // parentheses, or by "..." after the digits repeated.
  mpq_class Decimal() {
    const std::string whole = Digits();
    std::string fixed, period;
    if (at_ + 1 < text_.size() && text_[at_] == '.' &&
        ((text_[at_ + 1] >= '0' && text_[at_ + 1] <= '9') || text_[at_ + 1] == '(')) {
      ++at_;
      fixed = DottedDigits(period);
      if (!period.empty()) {
      } else if (at_ < text_.size() && text_[at_] == '(') {
        ++at_;
        period = Digits();
        if (at_ < text_.size() && text_[at_] == ')') ++at_;
      } else if (text_.substr(at_, 3) == "..." || text_.substr(at_, 3) == "\u2026") {
        at_ += 3;
        // The shortest block that the digits end with at least twice (a
        // digit three times) recurs.
        for (std::size_t p = 1; 2 * p <= fixed.size(); ++p) {
          const std::size_t copies = p == 1 ? 3 : 2;
          if (copies * p > fixed.size()) continue;
          bool repeats = true;
          for (std::size_t i = fixed.size() - (copies - 1) * p; i < fixed.size(); ++i) {
            repeats = repeats && fixed[i] == fixed[i - p];
          }
          if (repeats) {
            period = fixed.substr(fixed.size() - p);
            fixed.resize(fixed.size() - p);
            break;
          }
        }
      }
    }
    mpz_class all(whole + fixed + period, 10);
    mpz_class den;
    mpz_ui_pow_ui(den.get_mpz_t(), 10, fixed.size());
    if (!period.empty()) {
      all -= mpz_class(whole + fixed, 10);
      mpz_class nines;
      mpz_ui_pow_ui(nines.get_mpz_t(), 10, period.size());
      den *= nines - 1;
    }
    mpq_class v(all, den);
    v.canonicalize();
    return v;
  }

  std::optional<long> Superscript() {
    static const std::vector<std::string> kDigits = {"⁰", "¹", "²", "³", "⁴",
                                                     "⁵", "⁶", "⁷", "⁸", "⁹"};
    bool negative = false;
    if (text_.substr(at_, 3) == "⁻") {
      negative = true;
      at_ += 3;
    }
    std::optional<long> n;
    while (true) {
      bool found = false;
      for (std::size_t d = 0; d < kDigits.size(); ++d) {
        if (text_.substr(at_, kDigits[d].size()) == kDigits[d]) {
          n = n.value_or(0) * 10 + static_cast<long>(d);
          at_ += kDigits[d].size();
          found = true;
          break;
        }
      }
      if (!found) break;
    }
    if (n && negative) *n = -*n;
    return n;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  const std::map<char, mpq_class>& known_;
};

std::string Trim(std::string s) {
  s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::vector<std::string> Split(const std::string& text, const std::string& by) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = text.find(by, from);
    parts.push_back(text.substr(from, at - from));
    if (at == std::string::npos) return parts;
    from = at + by.size();
  }
}

// Empty when every equation of an English working holds, x being `x`;
// otherwise the first line that does not, and why. A line holds an equation
// after its last ": " (or the whole line); "Let " and "let " before it, and
// ", so that " between two of them. "y = value" names y when y has no
// value yet. A row of long division "A ÷ B = Q remainder R" holds when
// A = QB + R with 0 <= R < B, and brings down ten times the remainder before.
std::string FalseLine(const std::string& working, const mpq_class& x) {
  std::map<char, mpq_class> known = {{'x', x}};
  std::optional<mpz_class> lastRemainder;
  int equations = 0;
  for (const std::string& raw : Split(working, "\n")) {
    if (raw.find('=') == std::string::npos) continue;
    // A number shown by its ends cannot be read back.
    if (raw.find(" more digits)") != std::string::npos) continue;
    std::string line = Trim(raw);
    // The strokes through struck factors, the number after a numbered
    // equation, and the "−)" before the one a subtraction takes away.
    for (std::size_t at = line.find("\u0336"); at != std::string::npos; at = line.find("\u0336")) {
      line.erase(at, 2);
    }
    if (const std::size_t tag = line.rfind("  ("); tag != std::string::npos && line.back() == ')') {
      line = Trim(line.substr(0, tag));
    }
    if (line.rfind("\u2212)", 0) == 0) line = Trim(line.substr(4));
    if (line.rfind("So ", 0) == 0) line = line.substr(3);
    if (line.find(" remainder ") != std::string::npos) {
      // [digit N:] A ÷ B = Q remainder R
      const std::size_t colon = line.find(": ");
      const bool digitRow = colon != std::string::npos;
      std::string row = digitRow ? Trim(line.substr(colon + 2)) : line;
      mpz_class a, b, q, r;
      std::istringstream in(row);
      std::string divide, equals, word;
      in >> a >> divide >> b >> equals >> q >> word >> r;
      if (!in || divide != "÷" || equals != "=" || word != "remainder") return "unread: " + raw;
      if (a != q * b + r || r < 0 || r >= b) return "false division: " + raw;
      if (digitRow && (!lastRemainder || a != 10 * *lastRemainder))
        return "not brought down: " + raw;
      lastRemainder = r;
      ++equations;
      continue;
    }
    const std::size_t colon = line.rfind(": ");
    if (colon != std::string::npos) line = line.substr(colon + 2);
    for (const char* lead : {"Let ", "let "}) {
      if (line.rfind(lead, 0) == 0) line = line.substr(std::string_view(lead).size());
    }
    std::vector<std::string> clauses;
    for (const std::string& part : Split(line, ", so that ")) {
      for (const std::string& clause : Split(part, ", so ")) clauses.push_back(clause);
    }
    for (const std::string& clause : clauses) {
      std::string c = Trim(clause);
      for (const char* lead : {"let "}) {
        if (c.rfind(lead, 0) == 0) c = c.substr(std::string_view(lead).size());
      }
      const std::vector<std::string> sides = Split(c, " = ");
      if (sides.size() < 2) return "no equation: " + raw;
      if (sides.size() == 2 && Trim(sides[0]) == "y" && known.count('y') == 0) {
        const auto v = Reader(sides[1], known).Whole();
        if (!v) return "unread: " + raw;
        known['y'] = *v;
        ++equations;
        continue;
      }
      std::optional<mpq_class> first;
      for (const std::string& side : sides) {
        const auto v = Reader(side, known).Whole();
        if (!v) return "unread side '" + side + "': " + raw;
        if (!first) {
          first = v;
        } else if (*v != *first) {
          return "false: " + raw;
        }
      }
      ++equations;
    }
  }
  return equations > 0 ? "" : "no equation at all";
}

mpq_class Value(const char* text) {
  mpq_class v(text, 10);
  v.canonicalize();
  return v;
}

TEST(Working, EveryEquationHolds) {
  for (const Exercise& e : kExercises) {
    SCOPED_TRACE(e.name);
    const std::string english = Kept("en", e.name, ".txt");
    // A fraction entry's working names no x: its equations are of numbers.
    EXPECT_EQ(FalseLine(english, Value(e.value)), "");
  }
}

// The check itself finds a false line: each of these is one line of a
// working made false.
TEST(Working, FalseLinesAreFound) {
  const mpq_class sixth(1, 6);
  EXPECT_EQ(FalseLine("Let x = 0.1(6)\n100x = 16.(6)\n", sixth), "");
  EXPECT_NE(FalseLine("Let x = 1.2(3)e-5\n", sixth), "");
  EXPECT_NE(FalseLine("Let x = 0.1(6)\n100x = 16.(66)\n10x = 1.666...\n 9x = 15\n", sixth), "");
  EXPECT_NE(FalseLine("Divide by 15: x = 15/90 = 1/5\n", sixth), "");
  EXPECT_NE(FalseLine("Highest common factor: 2 × 3² = 16\n", sixth), "");
  EXPECT_NE(FalseLine("Let x = 0.1(6)\nlet y = 2, so that x = y\n", sixth), "");
  EXPECT_NE(FalseLine("          1 ÷ 7 = 0 remainder 1\ndigit 1: 10 ÷ 7 = 1 remainder 2\n", sixth),
            "");
  EXPECT_NE(FalseLine("          1 ÷ 7 = 0 remainder 1\ndigit 1: 20 ÷ 7 = 2 remainder 6\n", sixth),
            "");
  EXPECT_NE(FalseLine("x = 1/7 = 0.(142857) 6\n", mpq_class(1, 7)), "");
  EXPECT_NE(FalseLine("As a mixed number: x = 129/55 = 2 19/56\n", mpq_class(129, 55)), "");
}

// Seeded entries of every shape, their working in English in-process: every
// equation holds, x being the entry's value as this file reads it.
TEST(Working, EveryEquationHoldsOverSeededEntries) {
  std::mt19937 random(20261210);
  const auto digits = [&](int most) {
    std::string s(random() % static_cast<unsigned>(most + 1), '0');
    for (char& c : s) c = static_cast<char>('0' + random() % 10);
    return s;
  };
  for (int i = 0; i < 300; ++i) {
    const bool negative = random() % 4 == 0;
    std::string entry, value;
    const bool mixed = random() % 4 == 0;
    if (random() % 2 == 0) {
      std::string whole = digits(3), fixed = digits(3), period = digits(3);
      if (whole.empty()) whole = "0";
      if (random() % 3 == 0) period = std::string(1 + random() % 2, '9');
      entry = whole;
      if (!fixed.empty() || !period.empty()) entry += "." + fixed;
      if (!period.empty()) entry += "(" + period + ")";
      const int exponent = static_cast<int>(random() % 7) - 3;
      const std::optional<mpq_class> read = Reader(entry, {}).Whole();
      ASSERT_TRUE(read) << entry;
      mpq_class v = *read;
      if (random() % 3 == 0 && exponent != 0) {
        entry += "e" + std::to_string(exponent);
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(exponent)));
        v = exponent > 0 ? mpq_class(v * p) : mpq_class(v / p);
      }
      if (negative) {
        entry = "-" + entry;
        v = -v;
      }
      value = v.get_str();
    } else {
      std::string n = digits(3), d = digits(2);
      if (n.empty()) n = "1";
      if (d.empty() || mpz_class(d, 10) == 0) d = "7";
      const std::string whole = random() % 3 == 0 ? digits(2) + "1" : "";
      entry = (negative ? "-" : "") + (whole.empty() ? "" : whole + " ") + n + "/" + d;
      // x, in the check that turns the decimal back, is the entry's size.
      mpq_class v(mpz_class(n, 10), mpz_class(d, 10));
      v.canonicalize();
      if (!whole.empty()) v += mpz_class(whole, 10);
      value = v.get_str();
    }
    const std::vector<std::string_view> args = {mixed ? "--mixed" : "--explain", "--explain", "--",
                                                entry};
    const auto r = cli_run::RunCli(args);
    ASSERT_EQ(r.status, 0) << entry << ": " << r.err;
    EXPECT_EQ(FalseLine(r.out, Value(value.c_str())), "") << entry << "\n" << r.out;
  }
}

// A number of more than 1,000 digits stands by its first and last ten digits
// and how many are left out between them; so does each part of a decimal,
// whatever the notation; and a long division's dividend and quotient.
TEST(Working, LongNumbersStandByTheirEnds) {
  std::mt19937 random(14);
  const auto digits = [&](std::size_t count, char last) {
    std::string s(count, '0');
    for (char& c : s) c = static_cast<char>('0' + random() % 10);
    s.front() = '7';
    s.back() = last;  // the non-recurring part and the period end differently
    return s;
  };
  const auto ends = [](const std::string& s, const std::string& count) {
    return s.substr(0, 10) + "…(" + count + " more digits)…" + s.substr(s.size() - 10);
  };
  const std::string whole = digits(1200, '3'), fixed = digits(30, '1'), period = digits(2001, '2');
  const std::string entry = whole + "." + fixed + "(" + period + ")";
  {
    SCOPED_TRACE("parentheses");
    const auto r = cli_run::RunCli({"--explain", entry});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Split(r.out, "\n").front(),
              "Let x = " + ends(whole, "1,180") + "." + fixed + "(" + ends(period, "1,981") + ")");
    EXPECT_NE(r.out.find("The 2001-digit period " + ends(period, "1,981") + " starts"),
              std::string::npos)
        << r.out;
  }
  {
    SCOPED_TRACE("dots: on the period's first and last digits, whichever are shown");
    const auto r = cli_run::RunCli({"--explain", "--notation", "dots", entry});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string dot = "\u0307";
    EXPECT_EQ(Split(r.out, "\n").front(), "Let x = " + ends(whole, "1,180") + "." + fixed +
                                              period.substr(0, 1) + dot + period.substr(1, 9) +
                                              "…(1,981 more digits)…" +
                                              period.substr(period.size() - 10) + dot);
  }
  {
    SCOPED_TRACE("a long division of a long dividend");
    const std::string n = digits(1500, '9');
    mpz_class q, rest;
    mpz_tdiv_qr_ui(q.get_mpz_t(), rest.get_mpz_t(), mpz_class(n, 10).get_mpz_t(), 7);
    const std::string quotient = q.get_str();
    ASSERT_EQ(quotient.size(), 1500u);  // n starts with 7
    const auto r = cli_run::RunCli({"--explain", n + "/7"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(ends(n, "1,480") + " ÷ 7 = " + ends(quotient, "1,480") + " remainder " +
                         rest.get_str() + "\n"),
              std::string::npos)
        << r.out;
  }
}

// --- LaTeX -----------------------------------------------------------------

// Empty when `tex` is one align* environment, its braces balanced, each
// \intertext's $ paired, using only the commands a worksheet's amsmath knows
// (and \cancel, of the package cancel); otherwise what is wrong.
std::string LatexFault(const std::string& tex) {
  static const std::set<std::string> kCommands = {
      "begin", "end",  "intertext", "text", "frac",   "times", "div",       "overline",
      "dot",   "quad", "ldots",     "\\",   "cancel", "tag",   "underline", " "};
  if (tex.rfind("\\begin{align*}\n", 0) != 0) return "does not begin with align*";
  if (tex.size() < 12 || tex.substr(tex.size() - 12) != "\\end{align*}") {
    return "does not end with align*";
  }
  int depth = 0, begins = 0, dollars = 0;
  for (std::size_t i = 0; i < tex.size(); ++i) {
    const char c = tex[i];
    if (c == '{') ++depth;
    if (c == '}' && --depth < 0) return "a '}' closes nothing";
    if (c == '$') ++dollars;
    if (c != '\\') continue;
    std::size_t j = i + 1;
    if (j < tex.size() && !std::isalpha(static_cast<unsigned char>(tex[j]))) {
      const std::string symbol(1, tex[j]);
      if (kCommands.count(symbol) == 0 && symbol != "{" && symbol != "}" && symbol != "%" &&
          symbol != "&" && symbol != "#" && symbol != "_" && symbol != "$") {
        return "unknown \\" + symbol;
      }
      i = j;
      continue;
    }
    while (j < tex.size() && std::isalpha(static_cast<unsigned char>(tex[j]))) ++j;
    const std::string name = tex.substr(i + 1, j - i - 1);
    if (kCommands.count(name) == 0) return "unknown command \\" + name;
    if (name == "begin") ++begins;
    i = j - 1;
  }
  if (depth != 0) return "unbalanced braces";
  if (begins != 1) return std::to_string(begins) + " environments";
  if (dollars % 2 != 0) return "an unpaired $";
  return "";
}

TEST(Working, LatexIsOneAlignEnvironment) {
  EXPECT_NE(LatexFault("\\begin{align*}\nx &= \\frac{1}{6\n\\end{align*}"), "");
  EXPECT_NE(LatexFault("\\begin{align*}\nx &= \\dfrac{1}{6}\n\\end{align*}"), "");
  EXPECT_NE(LatexFault("\\begin{align*}\n\\intertext{$x}\n\\end{align*}"), "");
  for (const Exercise& e : kExercises) {
    if (e.args.front() == "--notation") continue;  // a notation of its own
    SCOPED_TRACE(e.name);
    std::vector<std::string> args = {"--notation", "latex"};
    args.insert(args.end(), e.args.begin(), e.args.end());
    for (const char* language : {"", "ja"}) {
      std::string tex = Program(args, language);
      ASSERT_FALSE(tex.empty());
      tex.pop_back();  // the line's end
      EXPECT_EQ(LatexFault(tex), "") << tex;
    }
  }
}

// A number too long for a row of the page is folded into lines of 15
// digits, every digit kept: the divisor of 1/(10^70 - 1), on every row of
// its division; short numbers stand whole.
TEST(Working, LatexFoldsNumbersTooLongForARow) {
  const std::string nines(70, '9');
  const std::string tex = Program({"--explain", "--notation", "latex", "1/" + nines}, "");
  std::string folded = "\\begin{array}[t]{@{}l@{}}";
  for (std::size_t at = 0; at < nines.size(); at += 15) {
    folded += (at > 0 ? " \\\\ " : "") + nines.substr(at, 15);
  }
  folded += "\\end{array}";
  std::size_t rows = 0, foldedRows = 0, longest = 0;
  for (const std::string& line : Split(tex, "\n")) {
    if (line.find(" \\div ") == std::string::npos || line.starts_with("\\intertext")) continue;
    ++rows;
    foldedRows += line.find(folded) != std::string::npos;
    std::size_t run = 0;
    for (const char c : line) {
      run = c >= '0' && c <= '9' ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  EXPECT_GT(rows, 70u);
  EXPECT_EQ(foldedRows, rows);
  EXPECT_LE(longest, 24u);
  const std::string shortTex = Program({"--explain", "--notation", "latex", "1/9999943"}, "");
  EXPECT_NE(shortTex.find("10 \\div 9999943 &= 0"), std::string::npos);
  EXPECT_EQ(shortTex.find("array"), std::string::npos);
}

#ifdef QUOTALIS_LUALATEX
// Where LuaLaTeX is installed: each kept fragment compiles in a worksheet.
TEST(Working, LatexCompiles) {
  for (const char* name : {"sixth", "exponent", "seventh", "mixed_number"}) {
    for (const char* language : {"en", "ja"}) {
      SCOPED_TRACE(std::string(language) + "/" + name);
      const std::string dir = ::testing::TempDir() + "quotalis_tex_" + std::to_string(getpid());
      const std::string doc = dir + "/sheet.tex";
      std::system(("mkdir -p " + ShellQuoted(dir)).c_str());
      // The document the program writes around a working (--document).
      std::ofstream(doc) << quotalis::answer::LatexDocumentBegin(
                                quotalis::words::TableWords(language))
                         << Kept(std::string("latex/") + language, name, ".tex")
                         << quotalis::answer::LatexDocumentEnd();
      const std::string command = "cd " + ShellQuoted(dir) + " && " +
                                  ShellQuoted(QUOTALIS_LUALATEX) +
                                  " -interaction=nonstopmode -halt-on-error sheet.tex >/dev/null";
      EXPECT_EQ(std::system(command.c_str()), 0);
    }
  }
}
#endif

}  // namespace

namespace {

// The lines of a program's output.
std::vector<std::string> LinesOf(const std::string& out) {
  std::vector<std::string> lines = Split(out, "\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The exercises a teacher checks the layout on: the two multiples numbered,
// the subtraction written with "−)" and a rule, the closing line with the
// entry and its answer, in both languages; 0.(9) with no factors at all.
TEST(Working, TheTextbookLayoutInBothLanguages) {
  struct Case {
    const char* entry;
    const char* closing;
  };
  for (const Case c : {Case{"0.1(6)", "0.1(6) = 1/6"}, Case{"0.3(42)", "0.3(42) = 113/330"},
                       Case{"2.3(45)", "2.3(45) = 129/55"}, Case{"0.(9)", "0.(9) = 1"},
                       Case{"1/7", "1/7 = 0.(142857)"}, Case{"5/12", "5/12 = 0.41(6)"}}) {
    for (const std::string language : {"", "ja"}) {
      SCOPED_TRACE(std::string(c.entry) + " " + language);
      const std::vector<std::string> lines =
          LinesOf(quotalis::testing::ProgramOutput({"--explain", c.entry}, language));
      const bool ja = language == "ja";
      int first = 0, second = 0, minus = 0, rule = 0;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        first += l.ends_with(ja ? "\u2460" : "(1)") && l.find(" = ") != std::string::npos;
        second += l.ends_with(ja ? "\u2461" : "(2)") && l.find(" = ") != std::string::npos;
        if (l.starts_with("\u2212)")) {
          ++minus;
          // The tails written out, the rule under the line.
          EXPECT_NE(l.find("\u2026"), std::string::npos) << l;
          ASSERT_LT(i + 1, lines.size());
          EXPECT_TRUE(lines[i + 1].starts_with("\u2500\u2500\u2500")) << lines[i + 1];
          ++rule;
        }
      }
      EXPECT_EQ(first, 1);
      EXPECT_EQ(second, 1);
      EXPECT_EQ(minus, 1);
      EXPECT_EQ(rule, 1);
      const std::string closing =
          ja ? std::string("よって ") + c.closing + "。" : std::string("So ") + c.closing;
      EXPECT_NE(std::find(lines.begin(), lines.end(), closing), lines.end()) << closing;
      if (std::string(c.entry) == "0.(9)") {
        // 9x = 9, so x = 1: no factors, and the remark that the two are one number.
        for (const std::string& l : lines) {
          EXPECT_EQ(l.find(" = 3"), std::string::npos) << l;
          EXPECT_EQ(l.find("/9"), std::string::npos) << l;
        }
        EXPECT_EQ(lines[lines.size() - 3], ja ? "9x = 9 より x = 1。" : "9x = 9, so x = 1");
      }
    }
  }
}

// The working read aloud: --explain --spoken, a line a step, no notation.
TEST(Working, SpokenFromTheCommandLine) {
  const std::vector<std::string> en =
      LinesOf(quotalis::testing::ProgramOutput({"--explain", "--spoken", "0.1(6)"}, ""));
  ASSERT_FALSE(en.empty());
  EXPECT_EQ(en.front(), "Let x equals 0.16, 6 recurring");
  EXPECT_EQ(en.back(), "So 0.16, 6 recurring equals one sixth");
  const std::vector<std::string> ja =
      LinesOf(quotalis::testing::ProgramOutput({"--explain", "--spoken", "0.1(6)"}, "ja"));
  ASSERT_FALSE(ja.empty());
  EXPECT_EQ(ja.front(), "エックス イコール 0.16、6 がくり返す とおく。");
  EXPECT_EQ(ja.back(), "よって 0.16、6 がくり返す イコール 6分の1。");
  for (const char* entry : {"2.3(45)", "1/7", "5/12"}) {
    for (const std::string language : {"", "ja"}) {
      for (const std::string& line :
           LinesOf(quotalis::testing::ProgramOutput({"--explain", "--spoken", entry}, language))) {
        EXPECT_EQ(line.find_first_of("()^/"), std::string::npos) << entry << ": " << line;
        EXPECT_EQ(line.find("\u0307"), std::string::npos) << line;
      }
    }
  }
  // With --rounded too; without --explain, or with LaTeX, it is refused.
  EXPECT_EQ(
      LinesOf(quotalis::testing::ProgramOutput({"--rounded", "--explain", "--spoken", "0.2"}, ""))
          .back(),
      "So the simplest fraction 0.2 may stand for is one fifth");
  EXPECT_EQ(cli_run::RunCli({"--spoken", "0.5"}).status, 2);
  EXPECT_EQ(cli_run::RunCli({"--explain", "--spoken", "--notation", "latex", "0.5"}).status, 2);
  // --json carries the spoken lines as its working.
  EXPECT_NE(cli_run::RunCli({"--json", "--explain", "--spoken", "0.5"})
                .out.find("\"working\":[\"Let x equals 0.5\""),
            std::string::npos);
}

}  // namespace
