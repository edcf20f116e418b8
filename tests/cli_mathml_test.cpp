// The working as MathML for the web page (explain::Render's MathML, through
// the answer library, as the page asks it): the school exercises of tests/working/ against
// tests/working/mathml/<language>/<name>.mathml; every block, over seeded
// entries in every notation, well-formed XML of MathML Core's elements
// alone; and the long division drawn by hand read back and checked against
// this file's own long division.
#include <gmpxx.h>

#include <algorithm>
#include <cstdint>
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

#include "answer/answer.h"
#include "cli/keypad_window.h"
#include "cli/options.h"
#include "words/table_words.h"
#include "working_exercises.h"

namespace {

using quotalis::testing::kExercises;

using quotalis::testing::Slurp;

// The MathML working for the command line's arguments, as the page asks it.
std::string Mathml(std::vector<std::string> args, const std::string& language) {
  std::vector<std::string_view> views(args.begin(), args.end());
  quotalis::cli::Command command = quotalis::cli::ParseArguments(views);
  EXPECT_EQ(command.kind, quotalis::cli::Command::Kind::Convert);
  if (command.kind != quotalis::cli::Command::Kind::Convert || !command.options.entry) return {};
  const quotalis::words::Words& words = quotalis::words::TableWords(language);
  const quotalis::cli::Options& options = command.options;
  quotalis::answer::Request request =
      quotalis::cli::RequestFor(options, *options.entry, options.period, words);
  request.form = quotalis::answer::Form::Working;
  request.working = {.mathml = true};
  request.keypadCheck = quotalis::cli::WindowRefuses;
  const quotalis::answer::Answer answer = quotalis::answer::AnswerEntry(request);
  EXPECT_EQ(answer.status, quotalis::answer::Status::Answered) << answer.refusal.sentence;
  std::string blocks;
  for (const std::string& block : answer.working.mathml) blocks += block + "\n";
  return blocks;
}

// --- Well-formed MathML Core -------------------------------------------------

struct Node {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<Node> children;
  std::string text;  // of a token element
};

// Reads one element; sets `fault` on anything not well-formed or not MathML
// Core (elements, and the attributes the renderer may write).
class Xml {
 public:
  explicit Xml(std::string_view text) : text_(text) {}

  std::optional<Node> Document(std::string& fault) {
    std::optional<Node> root = Element();
    if (root && at_ != text_.size()) Fail("text after the root element");
    fault = fault_;
    return fault_.empty() ? root : std::nullopt;
  }

 private:
  void Fail(const std::string& why) {
    if (fault_.empty()) fault_ = why + " at byte " + std::to_string(at_);
  }

  std::string Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '-')) {
      ++at_;
    }
    return std::string(text_.substr(start, at_ - start));
  }

  // Character data up to the next '<', its references resolved.
  std::string Text() {
    std::string out;
    while (at_ < text_.size() && text_[at_] != '<') {
      const char c = text_[at_];
      if (c == '>') Fail("a bare '>'");
      if (c != '&') {
        out += c;
        ++at_;
        continue;
      }
      const std::size_t end = text_.find(';', at_);
      const std::string_view ref =
          text_.substr(at_, end == std::string_view::npos ? 0 : end - at_ + 1);
      static const std::map<std::string_view, char> kNamed = {
          {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
      if (kNamed.count(ref)) {
        out += kNamed.at(ref);
      } else if (ref == "&#10;") {
        out += '\n';
      } else {
        Fail("an unknown reference");
        return out;
      }
      at_ += ref.size();
    }
    return out;
  }

  std::optional<Node> Element() {
    static const std::set<std::string> kCore = {
        "math",        "mrow",    "mi",     "mn",        "mo",         "mtext",
        "mspace",      "ms",      "mfrac",  "msqrt",     "mroot",      "msub",
        "msup",        "msubsup", "munder", "mover",     "munderover", "mmultiscripts",
        "mprescripts", "none",    "mtable", "mtr",       "mtd",        "mpadded",
        "mphantom",    "mstyle",  "merror", "semantics", "annotation", "annotation-xml"};
    static const std::set<std::string> kAttributes = {"display",  "alttext",     "aria-label",
                                                      "class",    "style",       "accent",
                                                      "stretchy", "columnalign", "displaystyle"};
    static const std::set<std::string> kTokens = {"mi", "mn", "mo", "mtext"};
    if (at_ >= text_.size() || text_[at_] != '<') {
      Fail("an element expected");
      return std::nullopt;
    }
    ++at_;
    Node node;
    node.name = Name();
    if (kCore.count(node.name) == 0) Fail("<" + node.name + "> is not MathML Core");
    while (fault_.empty() && at_ < text_.size() && text_[at_] == ' ') {
      ++at_;
      const std::string name = Name();
      if (kAttributes.count(name) == 0) Fail("attribute " + name);
      if (text_.substr(at_, 2) != "=\"") {
        Fail("an attribute without a quoted value");
        return std::nullopt;
      }
      at_ += 2;
      const std::size_t end = text_.find('"', at_);
      if (end == std::string_view::npos) {
        Fail("an unclosed attribute");
        return std::nullopt;
      }
      Xml value(text_.substr(at_, end - at_));
      const std::string v = value.Text();
      if (!value.fault_.empty() || value.at_ != end - at_) Fail("a bad attribute value");
      if (!node.attributes.emplace(name, v).second) Fail("attribute " + name + " twice");
      at_ = end + 1;
    }
    if (text_.substr(at_, 1) != ">") {
      Fail("a tag not closed");
      return std::nullopt;
    }
    ++at_;
    const std::string close = "</" + node.name + ">";
    while (fault_.empty()) {
      if (text_.substr(at_, close.size()) == close) {
        at_ += close.size();
        return node;
      }
      if (text_.substr(at_, 2) == "</" || at_ >= text_.size()) {
        Fail("<" + node.name + "> closed by another tag");
        return std::nullopt;
      }
      if (text_[at_] == '<') {
        std::optional<Node> child = Element();
        if (!child) return std::nullopt;
        if (kTokens.count(node.name)) Fail("an element inside the token <" + node.name + ">");
        node.children.push_back(std::move(*child));
      } else {
        const std::string t = Text();
        if (!kTokens.count(node.name)) Fail("text inside <" + node.name + ">");
        node.text += t;
      }
    }
    return std::nullopt;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::string fault_;
};

// Empty when the node and all below it have the children MathML asks of
// them; else what is wrong.
std::string ShapeFault(const Node& n) {
  static const std::map<std::string, std::size_t> kArity = {
      {"mfrac", 2}, {"msup", 2}, {"msub", 2}, {"mover", 2}, {"munder", 2}};
  const auto arity = kArity.find(n.name);
  if (arity != kArity.end() && n.children.size() != arity->second) {
    return "<" + n.name + "> with " + std::to_string(n.children.size()) + " children";
  }
  if (n.name == "mtable") {
    for (const Node& c : n.children) {
      if (c.name != "mtr") return "<" + c.name + "> in <mtable>";
    }
  }
  if (n.name == "mtr") {
    for (const Node& c : n.children) {
      if (c.name != "mtd") return "<" + c.name + "> in <mtr>";
    }
  }
  for (const Node& c : n.children) {
    const std::string fault = ShapeFault(c);
    if (!fault.empty()) return fault;
  }
  return "";
}

// The blocks of a working, one a line, each read; empty with `fault` set when
// one is not a well-formed <math display="block"> with its spoken text.
std::vector<Node> Blocks(const std::string& working, std::string& fault) {
  std::vector<Node> blocks;
  std::istringstream lines(working);
  std::string line;
  while (std::getline(lines, line)) {
    Xml xml(line);
    std::optional<Node> block = xml.Document(fault);
    if (!block) {
      fault += ": " + line;
      return {};
    }
    static const std::set<std::string> kKinds = {"quotalis-sentence", "quotalis-equations",
                                                 "quotalis-division"};
    if (block->name != "math" || block->attributes["display"] != "block" ||
        block->attributes["alttext"].empty() ||
        block->attributes["alttext"] != block->attributes["aria-label"] ||
        kKinds.count(block->attributes["class"]) == 0) {
      fault = "not a block of a known kind with its spoken text: " + line;
      return {};
    }
    fault = ShapeFault(*block);
    if (!fault.empty()) {
      fault += ": " + line;
      return {};
    }
    blocks.push_back(std::move(*block));
  }
  return blocks;
}

TEST(WorkingMathml, TheCheckerFindsFaults) {
  std::string fault;
  const std::string ok =
      "<math display=\"block\" class=\"quotalis-equations\" alttext=\"x\" aria-label=\"x\">"
      "<mi>x</mi></math>\n";
  EXPECT_EQ(Blocks(ok, fault).size(), 1U) << fault;
  // Each is the good block with one fault put in.
  const std::string open =
      "<math display=\"block\" class=\"quotalis-equations\" alttext=\"x\" aria-label=\"x\">";
  for (const std::string& bad : {
           open + "<mi>x</mo></math>",
           open + "<menclose><mi>x</mi></menclose></math>",
           open + "<mlongdiv></mlongdiv></math>",
           open + "<mi>a & b</mi></math>",
           open + "x</math>",
           open + "<mfrac><mn>1</mn></mfrac></math>",
           open + "<mtable><mtd><mn>1</mn></mtd></mtable></math>",
           open + "<mi onclick=\"f\">x</mi></math>",
           open + "<mi>x</mi></math><mi>y</mi>",
           std::string("<math display=\"block\" class=\"quotalis-equations\"><mi>x</mi></math>"),
           std::string("<math display=\"block\" class=\"other\" alttext=\"x\" aria-label=\"x\">"
                       "<mi>x</mi></math>"),
       }) {
    fault.clear();
    EXPECT_TRUE(Blocks(bad + "\n", fault).empty()) << bad;
    EXPECT_FALSE(fault.empty()) << bad;
  }
}

// --- The exercises -----------------------------------------------------------

// The rounded displays of cli_rounded_test.cpp, whose text working is kept
// beside the others.
const std::vector<quotalis::testing::Exercise> kRounded = {
    {"rounded_two_thirds", {"--rounded", "0.6666666667"}, "2/3"},
    {"rounded_calculator", {"--rounded", "71.47058824"}, "1215/17"},
    {"rounded_pi", {"--rounded", "3.14159"}, "355/113"},
    {"rounded_negative_half", {"--rounded", "--", "-0.5"}, "-1/2"},
    {"rounded_whole", {"--rounded", "7"}, "7"},
    {"rounded_zero", {"--rounded", "0.0000"}, "0"},
    {"rounded_mixed", {"--rounded", "--mixed", "3.14159"}, "355/113"},
};

TEST(WorkingMathml, SchoolExercisesInBothLanguages) {
  ASSERT_EQ(quotalis::words::TableWords("ja").Translate("remainder"), "あまり");
  std::vector<quotalis::testing::Exercise> all = kExercises;
  all.insert(all.end(), kRounded.begin(), kRounded.end());
  for (const std::string language : {"en", "ja"}) {
    for (const auto& e : all) {
      SCOPED_TRACE(language + " " + e.name);
      const std::string got = Mathml(e.args, language);
      const std::string path =
          std::string(QUOTALIS_WORKING_DIR) + "/mathml/" + language + "/" + e.name + ".mathml";
      // QUOTALIS_WRITE_WORKING=1 rewrites the kept files, to be read over.
      if (std::getenv("QUOTALIS_WRITE_WORKING") != nullptr) std::ofstream(path) << got;
      EXPECT_EQ(got, Slurp(path)) << "expected in " << path;
      // One block a sentence, an equation or an aligned run of them: never
      // more blocks than the text working has lines.
      std::string fault;
      const std::vector<Node> blocks = Blocks(got, fault);
      EXPECT_EQ(fault, "");
      const std::string text =
          Slurp(std::string(QUOTALIS_WORKING_DIR) + "/" + language + "/" + e.name + ".txt");
      EXPECT_LE(blocks.size(),
                static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
      EXPECT_FALSE(blocks.empty());
    }
  }
}

// --- The number stored -------------------------------------------------------

TEST(WorkingMathml, TheNumberStoredIsMathmlCore) {
  for (const std::string language : {"en", "ja"}) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--double", "0.1"},
                                               {"--double", "--", "-0.3"},
                                               {"--double", "1e-320"},
                                               {"--double", "1.8e308"},
                                               {"--double", "1e400"},
                                               {"--double", "0"},
                                               {"--double", "1/3"},
                                               {"--float", "16777217"},
                                               {"--float", "--base", "2", "0.0(0011)"}}) {
      SCOPED_TRACE(language + " " + args.back());
      const std::string got = Mathml(args, language);
      std::string fault;
      const std::vector<Node> blocks = Blocks(got, fault);
      EXPECT_EQ(fault, "");
      EXPECT_GE(blocks.size(), 2u);
    }
  }
}

// --- Seeded entries in every notation ---------------------------------------

TEST(WorkingMathml, EveryBlockIsMathmlCoreOverSeededEntries) {
  std::mt19937 random(20261209);
  const auto digits = [&](int most) {
    std::string s(random() % static_cast<unsigned>(most + 1), '0');
    for (char& c : s) c = static_cast<char>('0' + random() % 10);
    return s;
  };
  // The keypad's refusals (a value it cannot type) are the command line's
  // too; its working is among the exercises.
  const std::vector<std::string> notations = {"parentheses", "brackets", "quotes",   "r",
                                              "dots",        "overline", "ellipsis", "latex"};
  for (int i = 0; i < 240; ++i) {
    std::vector<std::string> args = {"--notation", notations[random() % notations.size()]};
    if (random() % 4 == 0) args.push_back("--mixed");
    std::string entry;
    if (random() % 5 == 0) {
      args.push_back("--rounded");
      entry = digits(2) + "." + digits(6);
      if (entry.front() == '.') entry.insert(0, "0");
    } else if (random() % 2 == 0) {
      entry = (digits(3) + "0").substr(0, 3) + "." + digits(3) + "(" + digits(3) + "1)";
      if (random() % 3 == 0) entry += "e" + std::to_string(static_cast<int>(random() % 7) - 3);
    } else {
      entry = std::to_string(1 + random() % 999) + "/" + std::to_string(1 + random() % 300);
    }
    if (random() % 4 == 0) entry = "-" + entry;
    args.push_back("--");
    args.push_back(entry);
    for (const std::string language : {"en", "ja"}) {
      SCOPED_TRACE(language + " " + args[1] + " " + entry);
      std::string fault;
      const std::vector<Node> blocks = Blocks(Mathml(args, language), fault);
      EXPECT_EQ(fault, "");
      EXPECT_FALSE(blocks.empty());
    }
  }
}

// --- The long division drawn by hand ----------------------------------------

// The text of a node's numbers, in order (not the marks over them).
std::string TokenText(const Node& n) {
  std::string out = n.name == "mn" ? n.text : "";
  for (const Node& c : n.children) out += TokenText(c);
  return out;
}

const Node* Find(const Node& n, const std::string& cls) {
  const auto found = n.attributes.find("class");
  if (found != n.attributes.end() && found->second == cls) return &n;
  for (const Node& c : n.children) {
    if (const Node* f = Find(c, cls)) return f;
  }
  return nullptr;
}

struct Division {
  std::string quotient;                 // "0.142857"
  std::vector<std::string> products;    // "7", "28", ...
  std::string last;                     // the last remainder
  std::set<std::string> repeatClasses;  // texts of cells marked quotalis-repeat
};

// This file's own long division of n/d (0 < n, 1 < d): the whole part, the
// digits up to the first remainder that comes again or to remainder 0.
Division OwnDivision(std::int64_t n, std::int64_t d) {
  Division own;
  own.quotient = std::to_string(n / d) + ".";
  if (n / d != 0) own.products.push_back(std::to_string(n / d * d));
  std::int64_t r = n % d;
  std::set<std::int64_t> seen = {r};
  while (true) {
    const std::int64_t digit = r * 10 / d;
    own.quotient += static_cast<char>('0' + digit);
    if (digit != 0) own.products.push_back(std::to_string(digit * d));
    r = r * 10 % d;
    if (r == 0 || !seen.insert(r).second) break;
  }
  own.last = std::to_string(r);
  return own;
}

Division DrawnDivision(const Node& table) {
  Division drawn;
  for (std::size_t i = 0; i < table.children.size(); ++i) {
    const Node& row = table.children[i];
    std::string number;
    bool rule = false;
    for (const Node& cell : row.children) {
      const auto cls = cell.attributes.find("class");
      const std::string c = cls == cell.attributes.end() ? "" : cls->second;
      if (c == "quotalis-divisor" || c == "quotalis-bracket-open") continue;
      rule = rule || c == "quotalis-rule";
      number += TokenText(cell);
    }
    if (i == 0) drawn.quotient = number;
    if (rule) drawn.products.push_back(number);
    if (i + 1 == table.children.size()) drawn.last = number;
  }
  return drawn;
}

TEST(WorkingMathml, LongDivisionDrawnByHandIsRight) {
  for (std::int64_t d = 2; d <= 41; ++d) {
    for (std::int64_t n = 1; n <= 2 * d; ++n) {
      mpz_class common;
      mpz_gcd(common.get_mpz_t(), mpz_class(static_cast<long>(n)).get_mpz_t(),
              mpz_class(static_cast<long>(d)).get_mpz_t());
      if (common != 1) continue;
      const std::string entry = std::to_string(n) + "/" + std::to_string(d);
      SCOPED_TRACE(entry);
      std::string fault;
      const std::vector<Node> blocks = Blocks(Mathml({"--", entry}, "en"), fault);
      ASSERT_EQ(fault, "");
      const Node* table = nullptr;
      for (const Node& b : blocks) {
        if ((table = Find(b, "quotalis-ldiv")) != nullptr) break;
      }
      ASSERT_NE(table, nullptr);
      const Division own = OwnDivision(n, d);
      const Division drawn = DrawnDivision(*table);
      // The quotient's digits over the dividend, the point after the whole part.
      EXPECT_EQ(drawn.quotient, own.quotient);
      EXPECT_EQ(drawn.products, own.products);
      EXPECT_EQ(drawn.last, own.last);
      // The dividend: n, the point, and a zero for each digit after it.
      const std::string divisor = TokenText(table->children.at(1).children.at(0));
      EXPECT_EQ(divisor, std::to_string(d));
    }
  }
}

TEST(WorkingMathml, PeriodDotsAndCancelledFactors) {
  // 1/7 in Japanese: a dot over the first and the last digit of the period,
  // in the quotient and in the answer.
  const std::string seventh = Mathml({"--", "1/7"}, "ja");
  EXPECT_NE(seventh.find("<mover accent=\"true\"><mn>1</mn><mo>.</mo></mover><mn>4285</mn>"
                         "<mover accent=\"true\"><mn>7</mn><mo>.</mo></mover>"),
            std::string::npos)
      << seventh;
  // In English a line over the period.
  const std::string sixth = Mathml({"--", "0.1(6)"}, "en");
  EXPECT_NE(sixth.find("<mover accent=\"true\"><mn>6</mn><mo stretchy=\"true\">\u2015</mo>"),
            std::string::npos)
      << sixth;
  // 15 = 3 × 5 and 90 = 2 × 3 × 3 × 5: 3 and 5 struck in both, 3² split
  // where one of its copies is shared.
  EXPECT_NE(sixth.find("<mrow class=\"quotalis-cancel\"><mn>3</mn></mrow><mo>×</mo>"
                       "<mrow class=\"quotalis-cancel\"><mn>5</mn></mrow>"),
            std::string::npos);
  EXPECT_NE(sixth.find("<mn>2</mn><mo>×</mo><mrow class=\"quotalis-cancel\"><mn>3</mn></mrow>"
                       "<mo>×</mo><mn>3</mn><mo>×</mo><mrow class=\"quotalis-cancel\"><mn>5</mn>"),
            std::string::npos);
  EXPECT_EQ(sixth.find("quotalis-common"), std::string::npos);
  // The subtraction: "−)" before the second multiple and a rule under its
  // cells; the multiples numbered in a column of their own.
  EXPECT_NE(sixth.find("<mo>\u2212</mo><mo>)</mo>"), std::string::npos) << sixth;
  EXPECT_NE(sixth.find("border-bottom:1px solid"), std::string::npos);
  EXPECT_NE(sixth.find("<mtd style=\"text-align:-webkit-left\"><mtext>(1)</mtext></mtd>"),
            std::string::npos);
  EXPECT_NE(Mathml({"--", "0.1(6)"}, "ja").find("<mtext>\u2460</mtext>"), std::string::npos);
  // The spoken alternative is the line read aloud.
  EXPECT_NE(sixth.find("alttext=\"Let x equals 0.16, 6 recurring\""), std::string::npos);
  // Brackets mark the period with their own characters.
  const std::string brackets = Mathml({"--notation", "brackets", "--", "0.1(6)"}, "ja");
  EXPECT_NE(brackets.find("<mn>0.1[6]</mn>"), std::string::npos) << brackets;
}

}  // namespace
