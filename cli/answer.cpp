#include "cli/answer.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <utility>
#include <variant>
#include <vector>

#include <quotalis/exact/canonical.h>
#include <quotalis/exact/expansion.h>
#include <quotalis/exact/word.h>
#include <quotalis/exact/working.h>
#include <quotalis/exact/write.h>

#include "cli/explain.h"
#include "cli/json.h"
#include "cli/lines.h"
#include "cli/memory.h"
#include "cli/quote.h"
#include "cli/reading.h"
#include "cli/rounded.h"
#include "cli/written.h"
#include "convert/reading.h"

namespace quotalis::cli {

namespace {

using words::N_;

// The refusal `message`, the sentence of `problem` in the user's words.
// `entry`, when the problem is in it, is quoted first; `input` is what --json
// reports as the input (none for a line that was not kept).
Answer Refusal(Verdict verdict, const exact::Problem& problem, std::string message,
               std::optional<std::string_view> entry, std::optional<std::string_view> input,
               const Options& options) {
  const words::Words& words = *options.words;
  if (entry) message = Say(words, N_("'{1}': {2}"), {Shown(*entry), message});
  if (!options.json) return {verdict, std::move(message), {}};
  // The input is written as it goes: a long entry is not copied for it.
  JsonObject rest;
  std::string fields = rest.Add("error", message)
                           .Add("kind", exact::ProblemKindName(problem.kind))
                           .Add("position", problem.position)
                           .Close();
  fields.front() = ',';
  Answer answer{verdict, "{\"input\":", {}};
  if (input) {
    answer.pieces.push_back({nullptr, nullptr, *input, true});
  } else {
    answer.text += "null";
  }
  answer.pieces.push_back(
      {std::make_shared<const std::string>(std::move(fields)), nullptr, {}, false});
  return answer;
}

// A refusal of the library's or of the readers here, whose arguments may be
// the library's words (exact::Problem).
Answer Refuse(Verdict verdict, const exact::Problem& problem, std::optional<std::string_view> entry,
              std::optional<std::string_view> input, const Options& options) {
  return Refusal(verdict, problem, ProblemText(problem, *options.words), entry, input,
                 options);
}

// A refusal whose arguments are the user's own text, put in as they stand.
Answer RefuseAsTyped(Verdict verdict, const exact::Problem& problem,
                     std::optional<std::string_view> entry, std::optional<std::string_view> input,
                     const Options& options) {
  return Refusal(verdict, problem, Say(*options.words, problem.format, problem.args),
                 entry, input, options);
}

exact::Problem LineProblem(exact::ProblemKind kind, std::string_view message) {
  return exact::MakeProblem(kind, message, {});
}

using Held = std::shared_ptr<const std::string>;
using Number = std::shared_ptr<const mpz_class>;

// Whether n < bound.
bool FitsWordBelow(const mpz_class& n, std::uint64_t bound) {
  return mpz_sizeinbase(n.get_mpz_t(), 2) <= 63 && n.get_ui() < bound;
}

// The decimal digits of `n`, its sign first, written straight into the
// piece (mpz_class::get_str would copy them once more).
Held Digits(const mpz_class& n) {
  std::string digits(mpz_sizeinbase(n.get_mpz_t(), 10) + 2, '\0');
  mpz_get_str(digits.data(), 10, n.get_mpz_t());
  digits.resize(std::strlen(digits.c_str()));
  return std::make_shared<const std::string>(std::move(digits));
}

Held Hold(std::string text) { return std::make_shared<const std::string>(std::move(text)); }

// An answer built in pieces: short texts are gathered into one piece, long
// ones stand as they are.
class Pieces {
 public:
  Pieces& operator<<(std::string_view text) {
    small_ += text;
    return *this;
  }
  Pieces& operator<<(Held held) {
    Gather();
    pieces_.push_back({std::move(held), nullptr, {}, false});
    return *this;
  }
  Pieces& operator<<(Number number) {
    Gather();
    pieces_.push_back({nullptr, std::move(number), {}, false});
    return *this;
  }
  Pieces& operator<<(Piece piece) {
    Gather();
    pieces_.push_back(std::move(piece));
    return *this;
  }
  Answer Done() {
    Gather();
    Answer answer;
    answer.pieces = std::move(pieces_);
    return answer;
  }

 private:
  void Gather() {
    if (!small_.empty()) pieces_.push_back({Hold(std::move(small_)), nullptr, {}, false});
    small_.clear();
  }
  std::string small_;
  std::vector<Piece> pieces_;
};

// n/d, its terms each held once, in binary.
struct Terms {
  Number numerator, denominator;
};
Terms TermsOf(mpz_class& n, mpz_class& d) {
  return {std::make_shared<const mpz_class>(std::move(n)),
          std::make_shared<const mpz_class>(std::move(d))};
}

void AddFraction(Pieces& out, const Terms& t) { out << t.numerator << "/" << t.denominator; }

// As FractionAnswer (cli/written.h) of the lowest terms, in pieces.
void AddFraction(Pieces& out, bool mixed, const Terms& lowest) {
  if (!mixed) return AddFraction(out, lowest);
  const mpz_class& n = *lowest.numerator;
  const mpz_class& d = *lowest.denominator;
  const mpz_class magnitude = abs(n);
  mpz_class whole, rest;
  mpz_tdiv_qr(whole.get_mpz_t(), rest.get_mpz_t(), magnitude.get_mpz_t(), d.get_mpz_t());
  if (n < 0) out << "-";
  const bool hasWhole = whole != 0;
  const bool hasRest = rest != 0;
  if (hasWhole || !hasRest) out << std::make_shared<const mpz_class>(std::move(whole));
  if (hasRest) {
    if (hasWhole) out << " ";
    out << std::make_shared<const mpz_class>(std::move(rest)) << "/" << lowest.denominator;
  }
}

// `count` zeros, as views of one block of them kept for the whole run:
// a long denominator's power of ten is written without being held.
void AddZeros(Pieces& out, std::size_t count) {
  static const std::string zeros(std::size_t{64} << 10, '0');
  for (; count > 0; count -= std::min(count, zeros.size())) {
    out << Piece{nullptr, nullptr, std::string_view(zeros).substr(0, count), false};
  }
}

// A JSON string field's value, escaped as it is written: the user's text, or
// a text of the answer's own.
Piece Json(std::string_view text) { return {nullptr, nullptr, text, true}; }
Piece Json(std::string text) { return {Hold(std::move(text)), nullptr, {}, true}; }

Answer DecimalAnswerFor(std::string_view text, Entry entry, const Options& options) {
  const auto refuse = [&](Verdict verdict, const exact::Problem& p) {
    return Refuse(verdict, p, text, text, options);
  };
  if (!options.detail && !options.json && !options.explain) {
    // Only the lowest terms are made and written: what else the entry took
    // goes first.
    exact::Result<exact::LowestTerms> lowest = exact::ToLowestTerms(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&lowest)) return refuse(Verdict::BadInput, *p);
    entry = {};
    auto& r = std::get<exact::LowestTerms>(lowest);
    Pieces out;
    if (options.mixed) {
      mpz_class& d = r.denominator;
      if (r.tens > 0) {
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(r.tens));
        d *= power;
      }
      AddFraction(out, true, TermsOf(r.numerator, d));
    } else {
      // The denominator's digits, then its zeros as they are.
      out << std::make_shared<const mpz_class>(std::move(r.numerator)) << "/"
          << std::make_shared<const mpz_class>(std::move(r.denominator));
      AddZeros(out, static_cast<std::size_t>(r.tens));
    }
    return out.Done();
  }
  // The working first, when it is asked for: its lines are short (a long
  // number stands by its ends), and what making it took is given back before
  // the answer's own numbers are made.
  std::vector<std::string> working;
  if (options.explain) {
    // Alone, it makes the fraction itself and may have the entry's digits.
    // (The keypad may refuse the answer: that is found below.)
    const bool alone = !options.json && options.notation != exact::Notation::Keypad;
    exact::Result<exact::DecimalWorking> w = alone ? exact::ExplainDecimal(std::move(entry.decimal))
                                                   : exact::ExplainDecimal(entry.decimal);
    if (auto* p = std::get_if<exact::Problem>(&w)) return refuse(Verdict::BadInput, *p);
    working = DecimalWorkingLines(std::get<exact::DecimalWorking>(std::move(w)), entry, options);
    if (alone) return {Verdict::Converted, JoinedLines(working), {}};
  }
  exact::Result<exact::Schoolbook> made = exact::ToFraction(entry.decimal);
  if (auto* p = std::get_if<exact::Problem>(&made)) return refuse(Verdict::BadInput, *p);
  auto& f = std::get<exact::Schoolbook>(made);

  // A plain decimal is shown as the window writes it back (with --json, when
  // K marks digits of it, as its canonical form too); another as its
  // canonical form in the answer's notation.
  const bool marked = !entry.plain || (options.json && !entry.decimal.period.empty());
  std::int64_t nonRecurring = 0;
  std::int64_t periodDigits = 0;
  std::string decimal;
  {
    exact::Decimal canonical;
    if (options.json || marked) {
      exact::Result<exact::Decimal> c = exact::Canonical(entry.decimal);
      if (auto* p = std::get_if<exact::Problem>(&c)) return refuse(Verdict::BadInput, *p);
      canonical = std::get<exact::Decimal>(std::move(c));
      nonRecurring = static_cast<std::int64_t>(canonical.fixed.size());
      periodDigits = static_cast<std::int64_t>(canonical.period.size());
    }
    exact::Result<std::string> written = marked
                                             ? DecimalAnswer(canonical, f.reduced, options.notation)
                                             : exact::Result<std::string>(EntryText(entry.decimal));
    if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Verdict::Failed, *p);
    decimal = std::get<std::string>(std::move(written));
  }
  if (options.explain && !options.json) return {Verdict::Converted, JoinedLines(working), {}};
  // From here on only the numbers and the decimal's text are written.
  const exact::Notation notation = entry.notation;
  entry = {};
  const Terms unreduced = TermsOf(f.numerator, f.denominator);
  f.numerator = f.denominator = 0;
  const Terms lowest = TermsOf(f.reduced.numerator, f.reduced.denominator);
  Pieces out;
  if (options.detail) {
    out << Hold(std::move(decimal)) << "\t";
    AddFraction(out, unreduced);
    out << "\t";
    AddFraction(out, options.mixed, lowest);
    return out.Done();
  }
  out << "{\"input\":" << Json(text)
      << ",\"reading\":" << JsonString(exact::NotationName(notation));
  out << ",\"decimal\":" << Json(std::move(decimal));
  out << ",\"unreduced\":\"";
  AddFraction(out, unreduced);
  out << "\",\"fraction\":\"";
  AddFraction(out, lowest);
  out << "\",\"numerator\":\"" << lowest.numerator << "\",\"denominator\":\"" << lowest.denominator
      << "\"";
  if (options.mixed) {
    out << ",\"mixed\":\"";
    AddFraction(out, true, lowest);
    out << "\"";
  }
  out << ",\"nonRecurring\":" << std::to_string(nonRecurring)
      << ",\"period\":" << std::to_string(periodDigits) << ",\"cut\":false";
  if (options.explain) {
    JsonObject lines;
    lines.Add("working", working);
    std::string object = lines.Close();  // {"working":[...]}
    out << "," << std::string_view(object).substr(1, object.size() - 2);
  }
  out << "}";
  return out.Done();
}

Answer FractionAnswerFor(std::string_view text, Entry entry, const Options& options) {
  const auto refuse = [&](Verdict verdict, const exact::Problem& p) {
    return Refuse(verdict, p, text, text, options);
  };
  exact::Result<exact::DecimalExpansion> expanded =
      exact::ToDecimal(entry.fraction, options.maxDigits);
  if (auto* p = std::get_if<exact::Problem>(&expanded)) return refuse(Verdict::BadInput, *p);
  auto& e = std::get<exact::DecimalExpansion>(expanded);
  // The note of a cut decimal is words: in the user's language where a
  // person reads it, in English in the fields a program reads.
  const bool forPrograms = options.detail || options.json;
  const words::Words& noteWords = forPrograms ? words::EnglishWords() : *options.words;
  exact::Result<std::string> written =
      ExpansionAnswer(e, entry.fraction, options.notation, noteWords);
  if (auto* p = std::get_if<exact::Problem>(&written)) return refuse(Verdict::Failed, *p);
  std::string decimal = std::get<std::string>(std::move(written));
  e.value = {};  // its digits are in `decimal` now
  if (options.detail) {
    Pieces out;
    out << Hold(std::move(decimal))
        << "\t" + std::to_string(e.fixedLength) + "\t" + PeriodLengthText(e);
    return out.Done();
  }
  if (!options.json && !options.explain) return {Verdict::Converted, std::move(decimal), {}};

  std::vector<std::string> working;
  if (options.explain) {
    exact::Result<std::vector<std::string>> w = FractionWorkingLines(text, entry, options);
    if (auto* p = std::get_if<exact::Problem>(&w)) return refuse(Verdict::BadInput, *p);
    working = std::get<std::vector<std::string>>(std::move(w));
  }
  if (!options.json) return {Verdict::Converted, JoinedLines(working), {}};
  const Terms lowest = TermsOf(entry.fraction.numerator, entry.fraction.denominator);
  Pieces out;
  out << "{\"input\":" << Json(text)
      << ",\"reading\":" << JsonString(exact::NotationName(entry.notation));
  out << ",\"decimal\":" << Json(std::move(decimal));
  out << ",\"fraction\":\"";
  AddFraction(out, lowest);
  out << "\",\"numerator\":\"" << lowest.numerator << "\",\"denominator\":\"" << lowest.denominator
      << "\"";
  if (options.mixed) {
    out << ",\"mixed\":\"";
    AddFraction(out, true, lowest);
    out << "\"";
  }
  out << ",\"nonRecurring\":" << std::to_string(e.fixedLength);
  if (e.periodLength) {
    out << ",\"period\":" << e.periodLength->get_str();
  } else {
    // Longer than the digits written at most, and not counted.
    out << ",\"period\":null,\"periodAbove\":" << std::to_string(exact::kMaxExpansionDigits);
  }
  out << ",\"cut\":" << (e.cut ? "true" : "false");
  if (options.explain) {
    JsonObject lines;
    lines.Add("working", working);
    std::string object = lines.Close();  // {"working":[...]}
    out << "," << std::string_view(object).substr(1, object.size() - 2);
  }
  out << "}";
  return out.Done();
}

// The blanks that part the fields of a line: those the readers take for
// blanks (space, tab, the ideographic space U+3000 a Japanese input method
// types), and the rest of ASCII's white space.
std::size_t BlankLength(std::string_view text) {
  if (text.empty()) return 0;
  if (std::string_view(" \t\r\v\f").find(text.front()) != std::string_view::npos) return 1;
  return text.starts_with("\xE3\x80\x80") ? 3 : 0;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    if (const std::size_t blank = BlankLength(line.substr(at))) {
      at += blank;
      continue;
    }
    const std::size_t start = at;
    while (at < line.size() && BlankLength(line.substr(at)) == 0) ++at;
    fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

// Numbers of more digits than this are written only once the memory their
// digits take has been found (WriteAnswer).
constexpr std::size_t kProbedDigits = 100'000;
constexpr std::size_t kBytesToWriteADigit = 5;

// An entry that may take more than this is long work: the answers before it
// are passed on first.
constexpr std::uint64_t kLongWork = std::uint64_t{4} << 20;

// At most how many digits after the point the expansion of `r` writes: its
// non-recurring part has as many digits as the larger power of 2 or 5 in the
// denominator (at most 3.33 per digit of it), its period fewer than the
// denominator; --max-digits cuts each.
std::uint64_t ExpansionDigitsBound(const exact::Rational& r, const Options& options) {
  const std::uint64_t cap = static_cast<std::uint64_t>(
      std::min(options.maxDigits.value_or(exact::kMaxExpansionDigits), exact::kMaxExpansionDigits));
  const std::uint64_t fixed = std::min<std::uint64_t>(
      cap, static_cast<std::uint64_t>(mpz_sizeinbase(r.denominator.get_mpz_t(), 2)));
  const std::uint64_t period = FitsWordBelow(r.denominator, cap) ? r.denominator.get_ui() : cap;
  return fixed + period;
}

// Whether the line is a fraction: a slash, full-width or not, or ÷.
bool HoldsSlash(std::string_view text) {
  return text.find('/') != std::string_view::npos ||
         text.find("\xEF\xBC\x8F") != std::string_view::npos ||  // U+FF0F, the full-width slash
         text.find("\xC3\xB7") != std::string_view::npos;        // U+00F7, the division sign
}

}  // namespace

Answer AnswerEntry(std::string_view text, std::int32_t period, const Options& options) {
  // What the memory left allows is asked only for an entry that may need
  // more than a little of it: reading /proc/meminfo for every small entry of
  // a batch took ten times as long as answering them, and memory running out
  // over so little is caught as it is anywhere (AnswerOutOfMemory).
  std::optional<std::optional<std::uint64_t>> budget;
  const auto over = [&](std::uint64_t need) {
    if (options.memory.kind == MemoryBudget::Kind::HalfOfWhatIsLeft && need <= kLongWork) {
      return false;
    }
    if (!budget) budget = EntryBudget(options.memory);
    return budget->has_value() && need > **budget;
  };
  const auto overBudget = [&](std::uint64_t need) {
    return Refuse(Verdict::Failed, OverBudget(need, **budget), text, text, options);
  };
  if (const std::uint64_t need = ReadingNeed(text.size()); over(need)) return overBudget(need);
  if (options.rounded) {
    exact::Result<std::string> rounded = RoundedAnswer(text, options);
    if (auto* problem = std::get_if<exact::Problem>(&rounded)) {
      return Refuse(Verdict::BadInput, *problem, text, text, options);
    }
    return {Verdict::Converted, std::get<std::string>(std::move(rounded)), {}};
  }
  exact::Result<Entry> read = ReadEntry(text, period);
  if (auto* problem = std::get_if<exact::Problem>(&read)) {
    return Refuse(Verdict::BadInput, *problem, text, text, options);
  }
  auto& entry = std::get<Entry>(read);
  const bool decimal = entry.kind == Entry::Kind::Decimal;
  const std::uint64_t need =
      decimal
          ? DecimalNeed(entry.decimal, options)
          : FractionNeed(entry.fraction, ExpansionDigitsBound(entry.fraction, options), options);
  if (over(need)) return overBudget(need);
  if (need > kLongWork && options.beforeLongWork) options.beforeLongWork();
  return decimal ? DecimalAnswerFor(text, std::move(entry), options)
                 : FractionAnswerFor(text, std::move(entry), options);
}

Answer WorkingMathml(std::string_view entry, std::int32_t period, const Options& options) {
  Options asked = options;
  asked.explain = true;
  asked.mathml = true;
  asked.json = false;
  asked.detail = false;
  return AnswerEntry(entry, period, asked);
}

bool AnswersSmallLines(const Options& options) {
  return !options.detail && !options.json && !options.explain && !options.rounded;
}

bool AnswerSmallLine(std::string_view line, const Options& options, std::string& out) {
  // A budget of bytes below what AnswerEntry counts for any entry refuses
  // even a small one: the general path says so.
  constexpr std::uint64_t kSmallestNeed = std::uint64_t{2} << 20;
  if (options.memory.kind == MemoryBudget::Kind::Bytes && options.memory.bytes < kSmallestNeed) {
    return false;
  }
  if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  std::optional<exact::DecimalDigits> d = exact::ReadSmall(line);
  if (!d) return false;
  if (d->period.empty()) {
    // A plain decimal, as ReadEntry reads it: the zeros that end the digits
    // after the point dropped, then the last K of them recur.
    std::string_view after = d->fixed;
    while (!after.empty() && after.back() == '0') after.remove_suffix(1);
    const std::size_t k =
        std::min(static_cast<std::size_t>(std::max<std::int32_t>(options.period, 0)), after.size());
    d->fixed = after.substr(0, after.size() - k);
    d->period = after.substr(after.size() - k);
  } else if (options.period > 0) {
    return false;  // K with marked digits: refused
  }
  const std::optional<exact::WordFraction> f = exact::ToWordFraction(*d);
  if (!f) return false;
  char written[exact::kWordFractionChars];
  out.append(written, exact::WriteWordFraction(*f, options.mixed, written));
  out += '\n';
  return true;
}

bool IsCommentLine(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.size() > kLongestLine) return false;  // refused by AnswerLine
  while (const std::size_t blank = BlankLength(line)) line.remove_prefix(blank);
  return line.starts_with('#') || line.starts_with("\xEF\xBC\x83");  // U+FF03, full-width
}

Answer AnswerLine(std::string_view line, const Options& options) {
  if (line.ends_with('\r')) line.remove_suffix(1);  // a CR LF line end
  if (line.size() > kLongestLine) return AnswerOverlongLine(options);
  // An error about the line as a whole quotes it, blanks and all.
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.empty()) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Empty, N_("the line is empty; give ENTRY [K]")),
                  line, line, options);
  }
  if (HoldsSlash(line)) {
    return AnswerEntry(TrimBlanks(line), options.period, options);
  }
  if (fields.size() > 2) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Syntax, N_("too many fields; give ENTRY [K]")),
                  line, line, options);
  }
  if (fields.size() == 2 && options.rounded) {
    return Refuse(Verdict::BadInput,
                  LineProblem(exact::ProblemKind::Syntax,
                              N_("K is for a recurring decimal, and --rounded reads a display "
                                 "that ends; give the entry alone")),
                  line, line, options);
  }
  std::int32_t period = options.period;
  if (fields.size() == 2) {
    if (std::optional<exact::Problem> problem = ParsePeriod(fields[1], period)) {
      return RefuseAsTyped(Verdict::BadInput, *problem, line, line, options);
    }
  }
  return AnswerEntry(fields[0], period, options);
}

Answer AnswerOverlongLine(const Options& options, bool dropped) {
  const exact::Problem problem =
      dropped ? exact::MakeProblem(exact::ProblemKind::TooLarge,
                                   N_("the line is too long for the memory left"), {})
              : exact::MakeProblem(exact::ProblemKind::TooLarge,
                                   N_("the line is longer than {1} bytes"),
                                   {std::to_string(kLongestLine)});
  return Refuse(dropped ? Verdict::Failed : Verdict::BadInput, problem, std::nullopt, std::nullopt,
                options);
}

Answer AnswerOutOfMemory(std::optional<std::string_view> entry, const Options& options) {
  const exact::Problem problem = exact::MakeProblem(
      exact::ProblemKind::TooLarge, N_("there was not enough memory to answer it"), {});
  return Refuse(Verdict::Failed, problem, entry, entry, options);
}

void WriteAnswer(std::ostream& out, const Answer& answer, bool& started) {
  // Making a number's digits takes their string and GMP's room to work in,
  // about 4 bytes a digit in all (measured on numbers of 10^6 and 10^7
  // digits): that much is asked of the system once, for the longest number,
  // before anything is written.
  std::size_t longest = 0;
  for (const Piece& piece : answer.pieces) {
    if (piece.number) longest = std::max(longest, mpz_sizeinbase(piece.number->get_mpz_t(), 10));
  }
  if (longest > kProbedDigits) {
    void* room = std::malloc(longest * kBytesToWriteADigit);
    if (room == nullptr) throw std::bad_alloc();
    std::free(room);
  }
  started = true;
  out << answer.text;
  for (const Piece& piece : answer.pieces) {
    if (piece.number) {
      out << *Digits(*piece.number);
      continue;
    }
    const std::string_view text = piece.held ? std::string_view(*piece.held) : piece.view;
    if (piece.json) {
      WriteJsonString(out, text);
    } else {
      out << text;
    }
  }
}

Answer AnswerUsageProblem(const exact::Problem& problem, const Options& options) {
  const words::Words& words = *options.words;
  std::string message = Say(words, problem.format, problem.args);
  if (!options.json) message = Say(words, N_("{1} (see quotalis-cli --help)"), {message});
  return Refusal(Verdict::BadInput, problem, std::move(message), std::nullopt, std::nullopt,
                 options);
}

}  // namespace quotalis::cli
