// Reading a pupil's line: the characters sorted into the mathematics and the
// words around it, the numbers read by the exact library's readers, and each
// equation's sides evaluated exactly.
#include "reading.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <variant>

#include <quotalis/exact/fraction.h>
#include <quotalis/exact/read.h>
#include <quotalis/exact/text.h>
#include <quotalis/exact/utf8.h>

#include "answer/quote.h"

namespace quotalis::answer::check {

namespace {

using words::N_;

struct Char {
  char32_t c = 0;
  char a = 0;  // its ASCII form, 0 for none
  std::size_t byte = 0, length = 1;
  std::int64_t position = 0;  // 1-based
  bool skip = false;          // a label or mark taken as a word
};

std::vector<Char> Chars(std::string_view line) {
  std::vector<Char> chars;
  std::size_t byte = 0;
  std::int64_t position = 0;
  while (byte < line.size()) {
    const std::optional<exact::CodePoint> cp = exact::FirstCodePoint(line.substr(byte));
    Char ch;
    ch.c = cp ? cp->value : 0xFFFD;
    ch.length = cp ? cp->length : 1;
    ch.byte = byte;
    ch.position = ++position;
    if (cp) {
      if (std::optional<char> ascii = exact::AsciiForm(cp->value)) ch.a = *ascii;
    }
    chars.push_back(ch);
    byte += ch.length;
  }
  return chars;
}

bool IsDigit(char a) { return a >= '0' && a <= '9'; }
bool IsLetter(char a) { return (a >= 'a' && a <= 'z') || (a >= 'A' && a <= 'Z'); }
bool IsBlank(const Char& ch) { return ch.a == ' ' || ch.a == '\t' || ch.c == '\r'; }
bool IsMark(char32_t c) { return c == 0x0307 || c == 0x0305 || c == 0x0304; }
bool IsEllipsisChar(const Char& ch) {
  return ch.c == 0x2026 || ch.c == 0x22EF || ch.c == 0x30FB || ch.c == 0xFF65 || ch.a == '.';
}

std::optional<int> SuperscriptDigit(char32_t c) {
  switch (c) {
    case 0x2070: return 0;
    case 0x00B9: return 1;
    case 0x00B2: return 2;
    case 0x00B3: return 3;
    default: break;
  }
  if (c >= 0x2074 && c <= 0x2079) return static_cast<int>(c - 0x2070);
  return std::nullopt;
}

// Characters of words: letters of every script but single Latin ones, kana,
// ideographs, and the labels pupils number their lines with.
bool IsWordChar(char32_t c) {
  return (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7) ||
         (c >= 0x0370 && c <= 0x052F) || (c >= 0x2460 && c <= 0x24FF) ||
         (c >= 0x2776 && c <= 0x2793) || (c >= 0x3040 && c <= 0x30FF) ||
         (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF66 && c <= 0xFF9F) || c == 0x2234 ||
         c == 0x2235 || c == 0x3005;
}

// Characters between the words and the mathematics.
bool IsSeparator(const Char& ch) {
  switch (ch.a) {
    case ':':
    case ';':
    case '!':
    case '?':
    case '"':
    case '~':
    case '\'': return true;
    default: break;
  }
  const char32_t c = ch.c;
  // CJK punctuation and brackets (、。「」【】), arrows, dashes and rules.
  return (c >= 0x3000 && c <= 0x303F && c != 0x3005) || c == 0xFF0C || c == 0xFF1A ||
         (c >= 0x2190 && c <= 0x21FF) || (c >= 0x27F0 && c <= 0x27FF) || c == 0x2014 ||
         c == 0x2015 || (c >= 0x2500 && c <= 0x257F) || c == 0xFF5E || c == 0x2026 ||
         c == 0x22EF ||               // an ellipsis on no number: "…①"
         c == 0x2248 || c == 0x2252;  // ≈ and ≒: an approximation is not checked
}

enum class T {
  Number,
  Letter,
  Plus,
  Minus,
  Times,
  Divide,
  Equals,
  Open,
  Close,
  Power,
  Word,
  Fault
};

struct Token {
  T t = T::Fault;
  std::int64_t position = 0;
  std::size_t from = 0, to = 0;  // bytes of the line
  bool blankBefore = false;
  // Number
  mpq_class value{0};
  bool integer = false;
  bool terminating = false;
  std::int64_t decimals = 0;
  // Letter
  char32_t letter = 0;
  // Power
  std::int64_t power = 0;
  // Word: its text in ASCII forms where it has them
  std::string word;
  // Fault
  std::string reason;
};

constexpr std::int64_t kLargestPower = 100000;

class Scanner {
 public:
  Scanner(std::string_view line, const words::Words& words)
      : line_(line), chars_(Chars(line)), words_(words) {}

  // The tokens, words and separators among them (a separator is a Word
  // with no text).
  std::vector<Token> Tokens() {
    MarkLabels();
    std::vector<Token> tokens;
    bool blank = false;
    std::size_t i = 0;
    while (i < chars_.size()) {
      const Char& ch = chars_[i];
      if (IsBlank(ch)) {
        blank = true;
        ++i;
        continue;
      }
      Token token;
      token.position = ch.position;
      token.from = ch.byte;
      token.blankBefore = blank;
      blank = false;
      i = Next(i, token);
      token.to = i < chars_.size() ? chars_[i].byte : line_.size();
      // Words run together.
      if (token.t == T::Word && !tokens.empty() && tokens.back().t == T::Word &&
          !token.word.empty() && !tokens.back().word.empty() && !token.blankBefore) {
        tokens.back().word += token.word;
        tokens.back().to = token.to;
        continue;
      }
      tokens.push_back(std::move(token));
    }
    // "6分の1", as Japanese says a fraction: 1/6.
    for (std::size_t k = 0; k + 2 < tokens.size(); ++k) {
      Token& d = tokens[k];
      Token& n = tokens[k + 2];
      if (d.t == T::Number && d.integer && tokens[k + 1].t == T::Word &&
          tokens[k + 1].word == "分の" && n.t == T::Number && n.integer) {
        Token slash = tokens[k + 1];
        slash.t = T::Divide;
        slash.word.clear();
        const std::size_t from = d.from, to = n.to;
        std::swap(d, n);
        d.from = from;
        n.to = to;
        tokens[k + 1] = slash;
      }
    }
    // Parentheses around words, "(答)", are words too.
    for (std::size_t k = 0; k < tokens.size(); ++k) {
      const bool word = [&](std::size_t at) {
        return at < tokens.size() && tokens[at].t == T::Word && !tokens[at].word.empty();
      }(tokens[k].t == T::Open ? k + 1 : k - 1);
      if ((tokens[k].t == T::Open || (tokens[k].t == T::Close && k > 0)) && word) {
        tokens[k].t = T::Word;
      }
    }
    return tokens;
  }

 private:
  // Labels and marks around a line: a leading "−)" (the line to take away),
  // "(1)" at either end, a final full stop.
  void MarkLabels() {
    std::size_t begin = 0, end = chars_.size();
    while (begin < end && IsBlank(chars_[begin])) ++begin;
    while (end > begin && IsBlank(chars_[end - 1])) --end;
    if (end > begin &&
        (chars_[end - 1].c == 0x3002 ||
         (chars_[end - 1].a == '.' && (end - begin < 2 || chars_[end - 2].a != '.')))) {
      chars_[--end].skip = true;
    }
    if (end - begin >= 2 && chars_[begin].a == '-' && chars_[begin + 1].a == ')') {
      chars_[begin].skip = chars_[begin + 1].skip = true;
      begin += 2;
    }
    // "(12)" as a label: at the start before a blank, or at the end after one.
    const auto label = [&](std::size_t from, std::size_t to) {
      if (to - from < 3 || chars_[from].a != '(' || chars_[to - 1].a != ')') return false;
      for (std::size_t k = from + 1; k + 1 < to; ++k) {
        if (!IsDigit(chars_[k].a)) return false;
      }
      for (std::size_t k = from; k < to; ++k) chars_[k].skip = true;
      return true;
    };
    std::size_t close = begin;
    while (close < end && chars_[close].a != ')' && !IsBlank(chars_[close])) ++close;
    if (close < end && chars_[close].a == ')' && close + 1 < end && IsBlank(chars_[close + 1])) {
      label(begin, close + 1);
    }
    std::size_t open = end;
    while (open > begin && chars_[open - 1].a != '(' && !IsBlank(chars_[open - 1])) --open;
    if (open > begin + 1 && IsBlank(chars_[open - 2])) label(open - 1, end);
  }

  bool At(std::size_t i, char a) const { return i < chars_.size() && chars_[i].a == a; }
  bool DigitAt(std::size_t i) const { return i < chars_.size() && IsDigit(chars_[i].a); }

  std::size_t Digits(std::size_t i) const {
    while (i < chars_.size() && (IsDigit(chars_[i].a) || IsMark(chars_[i].c))) ++i;
    return i;
  }

  // The end of a run of digits between `open` and `close`, or 0.
  std::size_t Enclosed(std::size_t i, char open, char close) const {
    if (!At(i, open)) return 0;
    std::size_t j = i + 1;
    while (DigitAt(j)) ++j;
    return j > i + 1 && At(j, close) ? j + 1 : 0;
  }

  std::size_t Next(std::size_t i, Token& token) {
    const Char& ch = chars_[i];
    if (ch.skip) {
      token.t = T::Word;
      return i + 1;
    }
    if (IsDigit(ch.a) || (ch.a == '.' && DigitAt(i + 1))) return Number(i, token);
    if (IsLetter(ch.a)) {
      std::size_t j = i;
      while (j < chars_.size() && IsLetter(chars_[j].a)) ++j;
      const bool answerMark = j == i + 1 && FirstOnLine(i) &&
                              (At(j, '.') || At(j, ':') || (ch.a == 'A' && AnswerFollows(j)));
      if (j == i + 1 && !answerMark) {
        token.t = T::Letter;
        token.letter = static_cast<char32_t>(ch.a);
        return j;
      }
      token.t = T::Word;
      for (std::size_t k = i; k < j; ++k) token.word += chars_[k].a;
      return j;
    }
    if (const std::optional<int> digit = SuperscriptDigit(ch.c);
        digit || ch.c == 0x207B || ch.c == 0x207A) {
      return Superscript(i, token);
    }
    switch (ch.a) {
      case '+': token.t = T::Plus; return i + 1;
      case '-': token.t = T::Minus; return i + 1;
      case '*': token.t = T::Times; return i + 1;
      case '/': token.t = T::Divide; return i + 1;
      case '=': token.t = T::Equals; return i + 1;
      case '(':
      case '[':
      case '{': token.t = T::Open; return i + 1;
      case ')':
      case ']':
      case '}': token.t = T::Close; return i + 1;
      case '^': return Caret(i, token);
      case ',':
        if (DigitAt(i + 1)) break;
        token.t = T::Word;
        return i + 1;
      case '.': token.t = T::Word; return i + 1;
      default: break;
    }
    switch (ch.c) {
      case 0x00D7:
      case 0x00B7:
      case 0x22C5:
      case 0x2715: token.t = T::Times; return i + 1;
      case 0x00F7:
      case 0x2215: token.t = T::Divide; return i + 1;
      case 0x2013:  // the en dash, which phones type for a minus
        token.t = T::Minus;
        return i + 1;
      default: break;
    }
    if (IsSeparator(ch)) {
      token.t = T::Word;
      return i + 1;
    }
    if (IsWordChar(ch.c)) {
      token.t = T::Word;
      token.word.assign(line_.substr(ch.byte, ch.length));
      return i + 1;
    }
    token.t = T::Fault;
    token.reason =
        words::Say(words_, N_("unexpected '{2}' at character {1}"),
                   {std::to_string(ch.position), Shown(line_.substr(ch.byte, ch.length))});
    return i + 1;
  }

  // "A 1/6", "A) 1/6": what follows the letter A is an answer, not an equation.
  bool AnswerFollows(std::size_t i) const {
    while (i < chars_.size() && IsBlank(chars_[i])) ++i;
    return i < chars_.size() &&
           (IsDigit(chars_[i].a) || chars_[i].a == '-' || chars_[i].a == ')' || chars_[i].a == '.');
  }

  bool FirstOnLine(std::size_t i) const {
    for (std::size_t k = 0; k < i; ++k) {
      if (!IsBlank(chars_[k])) return false;
    }
    return true;
  }

  // A number: its digits, point, recurring marks, ellipsis and exponent,
  // read whole by the exact library.
  std::size_t Number(std::size_t i, Token& token) {
    std::size_t j = Digits(i);
    bool point = false;
    if (At(j, '.') && (DigitAt(j + 1) || At(j + 1, '(') || At(j + 1, '[') ||
                       ((At(j + 1, '\'') || At(j + 1, 'r')) && DigitAt(j + 2)))) {
      point = true;
      j = Digits(j + 1);
    }
    bool marked = false;
    for (std::size_t k = i; k < j; ++k) marked = marked || IsMark(chars_[k].c);
    if (point) {
      if (std::size_t e = Enclosed(j, '(', ')'); e) {
        j = e;
        marked = true;
      } else if (std::size_t q = Enclosed(j, '[', ']'); q) {
        j = q;
        marked = true;
      } else if (std::size_t r = Enclosed(j, '\'', '\''); r) {
        j = r;
        marked = true;
      } else if (At(j, 'r') && DigitAt(j + 1)) {
        j = Digits(j + 1);
        marked = true;
      }
    }
    // An ellipsis: three points or more, or the marks of one.
    std::size_t e = j;
    while (e < chars_.size() && IsEllipsisChar(chars_[e])) ++e;
    std::size_t points = 0, middle = 0, marks = 0;
    for (std::size_t k = j; k < e; ++k) {
      const char32_t c = chars_[k].c;
      ++(chars_[k].a == '.' ? points : c == 0x30FB || c == 0xFF65 ? middle : marks);
    }
    if (points >= 3 || middle >= 2 || marks >= 1) {
      j = e;
      marked = true;
    }
    if ((At(j, 'e') || At(j, 'E')) &&
        (DigitAt(j + 1) || ((At(j + 1, '-') || At(j + 1, '+')) && DigitAt(j + 2)))) {
      j = Digits(j + 2);
    }
    token.t = T::Number;
    const std::size_t to = j < chars_.size() ? chars_[j].byte : line_.size();
    std::string_view text = line_.substr(chars_[i].byte, to - chars_[i].byte);
    // The macron U+0304, which a phone types for a bar over a digit, as the overline.
    std::string overlined;
    if (text.find("\u0304") != std::string_view::npos) {
      overlined = std::string(text);
      for (std::size_t at; (at = overlined.find("\u0304")) != std::string::npos;) {
        overlined.replace(at, 2, "\u0305");
      }
      text = overlined;
    }
    const exact::Result<exact::Reading> read = exact::Read(text);
    if (const auto* problem = std::get_if<exact::Problem>(&read)) {
      return Refused(token, text, *problem, j);
    }
    const auto& decimal = std::get<exact::Decimal>(std::get<exact::Reading>(read).value);
    const exact::Result<exact::Schoolbook> fraction = exact::ToFraction(decimal);
    if (const auto* problem = std::get_if<exact::Problem>(&fraction)) {
      return Refused(token, text, *problem, j);
    }
    const exact::Rational& r = std::get<exact::Schoolbook>(fraction).reduced;
    token.value = mpq_class(r.numerator, r.denominator);
    token.integer = !point && !marked && decimal.exponent == 0;
    token.terminating = decimal.period.empty();
    token.decimals = static_cast<std::int64_t>(decimal.fixed.size()) - decimal.exponent;
    return j;
  }

  std::size_t Refused(Token& token, std::string_view text, const exact::Problem& problem,
                      std::size_t end) {
    token.t = T::Fault;
    token.reason = words::Say(
        words_, N_("the number '{2}' at character {1}: {3}"),
        {std::to_string(token.position), Shown(text), words::ProblemText(problem, words_)});
    return end;
  }

  std::size_t Superscript(std::size_t i, Token& token) {
    bool negative = false;
    std::size_t j = i;
    if (chars_[j].c == 0x207B || chars_[j].c == 0x207A) negative = chars_[j++].c == 0x207B;
    std::int64_t power = 0;
    bool any = false;
    while (j < chars_.size()) {
      const std::optional<int> digit = SuperscriptDigit(chars_[j].c);
      if (!digit) break;
      power = std::min(power * 10 + *digit, kLargestPower + 1);
      any = true;
      ++j;
    }
    return PowerToken(token, any, negative ? -power : power, j);
  }

  // "^2", "^-5", "^(−5)", "^ 2".
  std::size_t Caret(std::size_t i, Token& token) {
    std::size_t j = i + 1;
    while (j < chars_.size() && IsBlank(chars_[j])) ++j;
    const bool open = At(j, '(');
    if (open) ++j;
    bool negative = false;
    if (At(j, '-') || At(j, '+')) negative = chars_[j++].a == '-';
    std::int64_t power = 0;
    bool any = false;
    while (DigitAt(j)) {
      power = std::min(power * 10 + (chars_[j++].a - '0'), kLargestPower + 1);
      any = true;
    }
    if (open) {
      if (!At(j, ')')) any = false;
      ++j;
    }
    return PowerToken(token, any, negative ? -power : power, std::min(j, chars_.size()));
  }

  std::size_t PowerToken(Token& token, bool any, std::int64_t power, std::size_t end) {
    if (!any) {
      token.t = T::Fault;
      token.reason = words::Say(words_, N_("the power at character {1} has no whole number"),
                                {std::to_string(token.position)});
    } else if (std::abs(power) > kLargestPower) {
      token.t = T::Fault;
      token.reason = words::Say(words_, N_("the power at character {1} is too large"),
                                {std::to_string(token.position)});
    } else {
      token.t = T::Power;
      token.power = power;
    }
    return end;
  }

  std::string_view line_;
  std::vector<Char> chars_;
  const words::Words& words_;
};

// A fault found while reading: its sentence and character.
struct Fault {
  std::string reason;
  std::int64_t position = 0;
};

}  // namespace

bool IsAnswerWord(std::string_view word) {
  static constexpr std::array<std::string_view, 13> kWords = {
      "A",         "Ans",  "Answer", "answer", "So",    "so", "Therefore",
      "therefore", "Thus", "thus",   "Hence",  "hence", ""};
  if (std::find(kWords.begin(), kWords.end(), word) != kWords.end()) return true;
  // Japanese words run together: "よって答えは" holds its mark.
  static constexpr std::array<std::string_view, 7> kMarks = {"答", "よって", "ゆえに", "したがって",
                                                             "∴",  "つまり", "解"};
  return std::any_of(kMarks.begin(), kMarks.end(), [&](std::string_view mark) {
    return word.find(mark) != std::string_view::npos;
  });
}

// One segment's tokens parsed into a side, evaluated against the reader's letters.
class Parser {
 public:
  Parser(LineReader& reader, std::string_view line, const std::vector<Token>& tokens,
         std::size_t from, std::size_t to)
      : reader_(reader), line_(line), tokens_(tokens), i_(from), end_(to) {}

  bool Done() const { return i_ >= end_; }
  const std::optional<Fault>& fault() const { return fault_; }

  Side ParseSide() {
    const std::size_t first = i_;
    Side side = Expression();
    if (!fault_ && !Done()) Unexpected(tokens_[i_]);
    if (!fault_) {
      const std::size_t from = tokens_[first].from;
      const std::size_t to = tokens_[std::max(first, i_) - 1].to;
      side.text = std::string(line_.substr(from, to - from));
      while (!side.text.empty() && (side.text.back() == ' ' || side.text.back() == '\t')) {
        side.text.pop_back();
      }
    }
    return side;
  }

 private:
  bool Is(T t) const { return i_ < end_ && tokens_[i_].t == t; }

  void Fail(std::string reason, std::int64_t position) {
    if (!fault_) fault_ = Fault{std::move(reason), position};
  }

  void Unexpected(const Token& token) {
    if (token.t == T::Fault) {
      Fail(token.reason, token.position);
      return;
    }
    const std::string_view text = line_.substr(token.from, token.to - token.from);
    Fail(words::Say(reader_.words_, N_("unexpected '{2}' at character {1}"),
                    {std::to_string(token.position), Shown(text)}),
         token.position);
  }

  void NothingAfter(const Token& token) {
    const std::string_view text = line_.substr(token.from, token.to - token.from);
    Fail(words::Say(reader_.words_, N_("nothing follows the '{2}' at character {1}"),
                    {std::to_string(token.position), Shown(text)}),
         token.position);
  }

  Side Expression() {
    Side side = Term();
    while (!fault_ && (Is(T::Plus) || Is(T::Minus))) {
      const bool minus = tokens_[i_].t == T::Minus;
      const Token& op = tokens_[i_++];
      if (Done()) {
        NothingAfter(op);
        break;
      }
      Side right = Term();
      Side sum;
      if (minus) {
        sum.value = {side.value.a - right.value.a, side.value.b - right.value.b};
      } else {
        sum.value = {side.value.a + right.value.a, side.value.b + right.value.b};
      }
      sum.subtracts = side.subtracts || minus;
      sum.mentionsUnknown = side.mentionsUnknown || right.mentionsUnknown;
      side = std::move(sum);
    }
    return side;
  }

  // A number past this many bits (some 5,000,000 digits) is refused: a
  // pupil's line never comes near it, and a line of powers could otherwise
  // ask for more memory than there is.
  static constexpr std::size_t kLargestBits = std::size_t{1} << 24;
  static std::size_t Bits(const mpq_class& q) {
    return mpz_sizeinbase(q.get_num_mpz_t(), 2) + mpz_sizeinbase(q.get_den_mpz_t(), 2);
  }
  bool TooLarge(const Linear& value, const Token& at) {
    if (Bits(value.a) + Bits(value.b) <= kLargestBits) return false;
    Fail(words::Say(reader_.words_, N_("the number at character {1} is too large"),
                    {std::to_string(at.position)}),
         at.position);
    return true;
  }

  // The side's value with the unknown put in: what a product of two sides
  // that both hold the unknown, or a division by one, is worked with.
  Linear Collapsed(const Side& side) const { return {side.value.At(reader_.value_), 0}; }

  Side Term() {
    Side side = Unary();
    while (!fault_ && !Done()) {
      const Token& op = tokens_[i_];
      const bool times = op.t == T::Times;
      const bool divide = op.t == T::Divide;
      const bool implicit = op.t == T::Letter || op.t == T::Open;
      if (!times && !divide && !implicit) break;
      if (!implicit) {
        ++i_;
        if (Done()) {
          NothingAfter(op);
          break;
        }
      }
      const std::size_t rightAt = i_;
      Side right = Unary();
      if (fault_) break;
      Side product;
      product.mentionsUnknown = side.mentionsUnknown || right.mentionsUnknown;
      if (divide) {
        const Linear divisor = right.value.b == 0 ? right.value : Collapsed(right);
        if (divisor.a == 0) {
          Fail(words::Say(reader_.words_, N_("the denominator at character {1} is zero"),
                          {std::to_string(tokens_[rightAt].position)}),
               tokens_[rightAt].position);
          break;
        }
        product.value = {side.value.a / divisor.a, side.value.b / divisor.a};
        if (side.shape == Shape::Integer && right.shape == Shape::Integer && !right.negative) {
          product.shape = Shape::Fraction;
          product.negative = side.negative;
          product.numerator = side.numerator;
          product.denominator = right.numerator;
        }
        if (side.IsNumber() && right.IsNumber()) {
          product.division = std::make_pair(side.value.a, right.value.a);
        }
      } else {
        const Linear left = side.value.b != 0 && right.value.b != 0 ? Collapsed(side) : side.value;
        const Linear& r = right.value;
        if (Bits(left.a) + Bits(left.b) + Bits(r.a) + Bits(r.b) > 2 * kLargestBits) {
          TooLarge({left.a, 0}, op);  // (refused before the product is made)
          break;
        }
        product.value = {left.a * r.a, left.a * r.b + left.b * r.a};
        if (TooLarge(product.value, op)) break;
      }
      side = std::move(product);
    }
    return side;
  }

  Side Unary() {
    if (Is(T::Minus) || Is(T::Plus)) {
      const Token& op = tokens_[i_++];
      if (Done()) {
        NothingAfter(op);
        return {};
      }
      Side side = Unary();
      if (op.t == T::Minus) {
        side.value.a = -side.value.a;
        side.value.b = -side.value.b;
        side.negative = !side.negative;
        side.unknownAlone = false;
        side.division.reset();
      }
      return side;
    }
    return Power();
  }

  Side Power() {
    Side side = Primary();
    while (!fault_ && Is(T::Power)) {
      const Token& power = tokens_[i_++];
      Linear base = side.value.b != 0 && power.power != 1 ? Collapsed(side) : side.value;
      Side raised;
      raised.mentionsUnknown = side.mentionsUnknown;
      if (power.power == 1) {
        raised.value = base;
      } else {
        if (base.a == 0 && power.power < 0) {
          Fail(words::Say(reader_.words_, N_("the denominator at character {1} is zero"),
                          {std::to_string(power.position)}),
               power.position);
          break;
        }
        const auto n = static_cast<unsigned long>(std::abs(power.power));
        if (Bits(base.a) * n > kLargestBits) {
          Fail(words::Say(reader_.words_, N_("the power at character {1} is too large"),
                          {std::to_string(power.position)}),
               power.position);
          break;
        }
        mpz_class num, den;
        mpz_pow_ui(num.get_mpz_t(), base.a.get_num_mpz_t(), n);
        mpz_pow_ui(den.get_mpz_t(), base.a.get_den_mpz_t(), n);
        mpq_class value = power.power < 0 ? mpq_class(den, num) : mpq_class(num, den);
        value.canonicalize();
        raised.value = {value, 0};
      }
      side = std::move(raised);
    }
    return side;
  }

  Side Primary() {
    if (Done()) {
      const Token& last = tokens_[end_ - 1];
      NothingAfter(last);
      return {};
    }
    const Token& token = tokens_[i_];
    switch (token.t) {
      case T::Number: return NumberSide();
      case T::Letter: {
        ++i_;
        Side side;
        if (reader_.unknown_ && token.letter == *reader_.unknown_) {
          side.value = {0, 1};
          side.mentionsUnknown = side.unknownAlone = true;
          return side;
        }
        const auto found = reader_.letters_.find(token.letter);
        if (found == reader_.letters_.end()) {
          const std::string letter(1, static_cast<char>(token.letter));
          Fail(words::Say(reader_.words_,
                          N_("the letter {2} at character {1} stands for no number yet: "
                             "say first what it is ({2} = ...)"),
                          {std::to_string(token.position), letter}),
               token.position);
          return side;
        }
        side.value = {found->second, 0};
        return side;
      }
      case T::Open: {
        ++i_;
        const Token& open = token;
        // Parentheses inside a hundred others are refused before they are read.
        if (++depth_ > 100) {
          Fail(words::Say(reader_.words_,
                          N_("the parentheses at character {1} are nested too deeply"),
                          {std::to_string(open.position)}),
               open.position);
          return {};
        }
        Side inner = Expression();
        --depth_;
        if (fault_) return inner;
        if (!Is(T::Close)) {
          Fail(words::Say(reader_.words_, N_("the {2} opened at character {1} is never closed"),
                          {std::to_string(open.position), "parenthesis"}),
               open.position);
          return inner;
        }
        ++i_;
        Side side;
        side.value = inner.value;
        side.mentionsUnknown = inner.mentionsUnknown;
        return side;
      }
      case T::Close:
        Fail(words::Say(reader_.words_, N_("the {2} closed at character {1} was never opened"),
                        {std::to_string(token.position), "parenthesis"}),
             token.position);
        return {};
      default: Unexpected(token); return {};
    }
  }

  Side NumberSide() {
    const Token& token = tokens_[i_++];
    Side side;
    side.value = {token.value, 0};
    if (!token.integer) {
      side.shape = Shape::Decimal;
      side.terminating = token.terminating;
      side.decimals = token.decimals;
      return side;
    }
    side.shape = Shape::Integer;
    side.numerator = token.value.get_num();
    // A mixed number: a whole number, a blank, then a fraction of whole numbers.
    if (i_ + 2 < end_ && tokens_[i_].t == T::Number && tokens_[i_].integer &&
        tokens_[i_].blankBefore && tokens_[i_ + 1].t == T::Divide &&
        tokens_[i_ + 2].t == T::Number && tokens_[i_ + 2].integer) {
      const Token& numerator = tokens_[i_];
      const Token& denominator = tokens_[i_ + 2];
      if (denominator.value == 0) {
        Fail(words::Say(reader_.words_, N_("the denominator at character {1} is zero"),
                        {std::to_string(denominator.position)}),
             denominator.position);
        return side;
      }
      i_ += 3;
      side.shape = Shape::Mixed;
      side.whole = token.value.get_num();
      side.numerator = numerator.value.get_num();
      side.denominator = denominator.value.get_num();
      side.value.a = token.value + numerator.value / denominator.value;
    }
    return side;
  }

  LineReader& reader_;
  std::string_view line_;
  const std::vector<Token>& tokens_;
  std::size_t i_, end_;
  int depth_ = 0;
  std::optional<Fault> fault_;
};

namespace {

bool IsMath(const Token& token) { return token.t != T::Word; }

}  // namespace

namespace {

// The line without the strokes that strike a factor out (U+0335, U+0336,
// U+0338 over a digit): a struck factor keeps its value.
std::string WithoutStrokes(std::string_view line) {
  std::string kept;
  kept.reserve(line.size());
  std::size_t byte = 0;
  while (byte < line.size()) {
    const std::optional<exact::CodePoint> cp = exact::FirstCodePoint(line.substr(byte));
    const std::size_t length = cp ? cp->length : 1;
    if (!cp || (cp->value != 0x0335 && cp->value != 0x0336 && cp->value != 0x0338)) {
      kept.append(line.substr(byte, length));
    }
    byte += length;
  }
  return kept;
}

}  // namespace

ReadLine LineReader::Read(std::string_view typed) {
  const std::string unstruck = WithoutStrokes(typed);
  const std::string_view line = unstruck;
  Scanner scanner(line, words_);
  const std::vector<Token> tokens = scanner.Tokens();
  ReadLine read;
  // The runs of mathematics between the words.
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  for (std::size_t i = 0; i < tokens.size();) {
    if (!IsMath(tokens[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < tokens.size() && IsMath(tokens[j])) ++j;
    runs.emplace_back(i, j);
    i = j;
  }
  const auto hasEquals = [&](std::pair<std::size_t, std::size_t> run) {
    return std::any_of(tokens.begin() + static_cast<std::ptrdiff_t>(run.first),
                       tokens.begin() + static_cast<std::ptrdiff_t>(run.second),
                       [](const Token& t) { return t.t == T::Equals; });
  };
  const auto unreadable = [&](const Fault& fault) {
    ReadLine bad;
    bad.kind = ReadLine::Kind::Unreadable;
    bad.reason = fault.reason;
    bad.position = fault.position;
    return bad;
  };
  // The first letter met is the unknown.
  const auto meetLetters = [&](std::pair<std::size_t, std::size_t> run) {
    if (unknown_) return;
    for (std::size_t k = run.first; k < run.second; ++k) {
      if (tokens[k].t == T::Letter) {
        unknown_ = tokens[k].letter;
        return;
      }
    }
  };
  const bool anyEquals = std::any_of(runs.begin(), runs.end(), hasEquals);
  if (!anyEquals) {
    // A number alone, perhaps among answer words.
    bool words = false, marked = false;
    for (const Token& token : tokens) {
      if (token.t != T::Word || token.word.empty()) continue;
      words = true;
      marked = marked || IsAnswerWord(token.word);
    }
    if (runs.size() != 1 || (words && !marked)) return read;
    // A rule drawn under the lines, "-----", is no number.
    if (std::none_of(tokens.begin() + static_cast<std::ptrdiff_t>(runs[0].first),
                     tokens.begin() + static_cast<std::ptrdiff_t>(runs[0].second),
                     [](const Token& t) {
                       return t.t == T::Number || t.t == T::Letter || t.t == T::Fault;
                     })) {
      return read;
    }
    meetLetters(runs[0]);
    Parser parser(*this, line, tokens, runs[0].first, runs[0].second);
    Side side = parser.ParseSide();
    if (parser.fault()) {
      // A line of mathematics alone that cannot be read is at fault; one with
      // words around it is taken as words.
      return words ? read : unreadable(*parser.fault());
    }
    if (!side.IsNumber()) return read;
    read.kind = ReadLine::Kind::Value;
    read.value = std::move(side);
    last_ = read.value;
    lastOfUnknown_ = false;
    return read;
  }
  read.kind = ReadLine::Kind::Equations;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (!hasEquals(runs[r])) continue;
    meetLetters(runs[r]);
    // The sides between the equals signs.
    std::vector<std::pair<std::size_t, std::size_t>> sides;
    std::size_t from = runs[r].first;
    for (std::size_t k = runs[r].first; k <= runs[r].second; ++k) {
      if (k == runs[r].second || tokens[k].t == T::Equals) {
        sides.emplace_back(from, k);
        from = k + 1;
      }
    }
    Equation equation;
    for (std::size_t s = 0; s < sides.size(); ++s) {
      const auto [a, b] = sides[s];
      if (a == b) {
        if (s == 0 && last_) {
          equation.sides.push_back(*last_);  // "= 1/6" goes on from the line before
          equation.sides.back().ofUnknown = lastOfUnknown_;
          continue;
        }
        const Token& equals = tokens[s == 0 ? a : a - 1];
        const std::string_view format = s == 0
                                            ? N_("nothing stands before the '{2}' at character {1}")
                                            : N_("nothing follows the '{2}' at character {1}");
        return unreadable(
            {words::Say(words_, format, {std::to_string(equals.position), "="}), equals.position});
      }
      // "y = 1.2(3)": a letter met first on its own before an equals sign
      // stands for the value after it.
      if (s == 0 && b == a + 1 && tokens[a].t == T::Letter && sides.size() > 1 &&
          tokens[a].letter != unknown_ && !letters_.contains(tokens[a].letter)) {
        Parser next(*this, line, tokens, sides[1].first, sides[1].second);
        Side defined = next.ParseSide();
        if (next.fault()) return unreadable(*next.fault());
        letters_[tokens[a].letter] = defined.value.At(value_);
      }
      Parser parser(*this, line, tokens, a, b);
      Side side = parser.ParseSide();
      if (parser.fault()) return unreadable(*parser.fault());
      equation.sides.push_back(std::move(side));
    }
    // "10 ÷ 7 = 1 remainder 3", "10 ÷ 7 = 1 あまり 3".
    const std::size_t after = runs[r].second;
    if (after < tokens.size() && r + 1 < runs.size() && runs[r + 1].first == after + 1 &&
        (tokens[after].word == "remainder" || tokens[after].word == "あまり" ||
         tokens[after].word == "余り" || tokens[after].word == "R")) {
      Parser parser(*this, line, tokens, runs[r + 1].first, runs[r + 1].second);
      Side remainder = parser.ParseSide();
      if (parser.fault()) return unreadable(*parser.fault());
      equation.remainder = remainder.value.At(value_);
      ++r;
    }
    last_ = equation.sides.back();
    lastOfUnknown_ =
        std::any_of(equation.sides.begin(), equation.sides.end(),
                    [](const Side& side) { return side.unknownAlone || side.ofUnknown; });
    read.equations.push_back(std::move(equation));
  }
  return read;
}

}  // namespace quotalis::answer::check
