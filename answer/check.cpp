// The working checked: each line read (reading.cpp), each equality held
// against the entry's value, the answer found and the first slip named
// (slips.cpp).
#include "answer/check.h"

#include <algorithm>
#include <variant>

#include <quotalis/exact/fraction.h>

#include "answer/entry.h"
#include "reading.h"
#include "slips.h"

namespace quotalis::answer {

namespace {

using check::Equation;
using check::LineReader;
using check::Question;
using check::ReadLine;
using check::Shape;
using check::Side;
using words::N_;
using words::Say;

std::string Written(const mpq_class& q) {
  return q.get_den() == 1 ? q.get_num().get_str() : q.get_str();
}

Question QuestionOf(const Entry& entry) {
  Question q;
  if (entry.kind == Entry::Kind::Decimal) {
    q.digits = entry.decimal;
    const exact::Result<exact::Schoolbook> school = exact::ToFraction(entry.decimal);
    if (const auto* s = std::get_if<exact::Schoolbook>(&school)) {
      q.value = mpq_class(s->reduced.numerator, s->reduced.denominator);
      q.schoolNumerator = abs(s->numerator);
      q.schoolDenominator = s->denominator;
    }
  } else {
    q.decimal = false;
    q.value = mpq_class(entry.fraction.numerator, entry.fraction.denominator);
    q.mixed = !entry.written.whole.empty();
    if (q.mixed) {
      q.whole = mpz_class(entry.written.whole);
      q.numerator = mpz_class(entry.written.numerator);
      q.denominator = mpz_class(entry.written.denominator);
    }
  }
  q.value.canonicalize();
  return q;
}

// Whether a side is written as an answer is: a fraction, mixed number or
// whole number for a decimal's question, a decimal or whole number for a
// fraction's.
bool IsAnswerForm(const Question& q, const Side& side) {
  if (q.decimal) {
    return side.shape == Shape::Integer || side.shape == Shape::Fraction ||
           side.shape == Shape::Mixed;
  }
  return side.shape == Shape::Decimal || side.shape == Shape::Integer;
}

// The common factor left in an answer as written; 1 in lowest terms.
mpz_class LeftToCancel(const Side& side) {
  mpz_class g(1);
  if (side.shape == Shape::Fraction) {
    mpz_gcd(g.get_mpz_t(), side.numerator.get_mpz_t(), side.denominator.get_mpz_t());
  } else if (side.shape == Shape::Mixed) {
    mpz_gcd(g.get_mpz_t(), side.numerator.get_mpz_t(), side.denominator.get_mpz_t());
    // An improper mixed number is not the mixed number of its value.
    if (g == 1 && side.numerator >= side.denominator) g = 0;
  }
  return g;
}

// "c·x = C", a line of the two multiples' subtraction: c and C.
struct Multiple {
  mpq_class times, equals;
};
std::optional<Multiple> AsMultiple(const Equation& equation) {
  if (equation.sides.size() != 2 || equation.remainder) return std::nullopt;
  const Side& l = equation.sides[0];
  const Side& r = equation.sides[1];
  if (l.value.b == 0 || l.value.a != 0 || r.value.b != 0) return std::nullopt;
  return Multiple{l.value.b, r.value.a};
}

// What the slip naming looks back on.
struct Context {
  const Question& question;
  std::optional<Side> lastFraction;  // the last right fraction of the value, as written
  std::vector<Multiple> multiples;   // the right lines "c·x = C" so far
};

// Whether `to` is `from` with smaller terms, as a reduction writes it: a
// fraction after a fraction, or a whole number (its denominator 1).
bool SmallerTerms(const Side& from, const Side& to) {
  if (from.shape != Shape::Fraction) return false;
  if (to.shape != Shape::Fraction && to.shape != Shape::Integer) return false;
  const mpz_class toNumerator = abs(to.numerator);
  const mpz_class toDenominator = to.shape == Shape::Integer ? mpz_class(1) : to.denominator;
  const mpz_class fromNumerator = abs(from.numerator);
  return toNumerator <= fromNumerator && toDenominator <= from.denominator &&
         (toNumerator < fromNumerator || toDenominator < from.denominator);
}

Slip EquationSlip(const Context& ctx, const Side& l, const Side& r) {
  const Question& q = ctx.question;
  // c·x = C.
  const mpq_class c = l.value.b - r.value.b;
  const mpq_class C = r.value.a - l.value.a;
  // A mixed number against a number: read wrongly ("3 1/4 = 31/4"); against
  // the unknown, the value it gives may name another slip first.
  if ((l.shape == Shape::Mixed || r.shape == Shape::Mixed) && c == 0) return Slip::MixedNumber;
  if (SmallerTerms(l, r)) return Slip::Reduction;
  if (l.unknownAlone && ctx.lastFraction && SmallerTerms(*ctx.lastFraction, r)) {
    return Slip::Reduction;
  }
  const bool recurring = q.decimal && !q.digits.period.empty();
  if (c != 0 && recurring && check::IsDifferenceOfPowers(c)) {
    mpq_class exact = c * q.value;
    exact.canonicalize();
    // The recurring parts did not cancel, and the whole number written is
    // what is left of them cut short: 100x - x = 16.5 written 99x = 16.
    if (exact.get_den() != 1 && C.get_den() == 1 && abs(C - exact) < 1) {
      return Slip::PeriodsNotAligned;
    }
  }
  if (l.subtracts != r.subtracts) return Slip::Subtraction;
  const std::size_t n = ctx.multiples.size();
  // A line of the difference of the last two multiples, not one of them again.
  const bool difference = c != 0 && n >= 2 && l.value.a == 0 && r.value.b == 0 &&
                          std::none_of(ctx.multiples.begin(), ctx.multiples.end(),
                                       [&](const Multiple& m) { return m.times == l.value.b; });
  if (difference && c != ctx.multiples[n - 2].times - ctx.multiples[n - 1].times) {
    return Slip::Subtraction;
  }
  if (c != 0) {
    mpq_class implied = C / c;
    implied.canonicalize();
    const Side* written = r.IsNumber() ? &r : l.IsNumber() ? &l : nullptr;
    if (std::optional<Slip> slip = check::SlipOfValue(q, implied, written)) return *slip;
  } else if (l.value.At(q.value) == -r.value.At(q.value)) {
    return Slip::Sign;
  } else if (l.shape == Shape::Decimal || r.shape == Shape::Decimal) {
    const Side& d = l.shape == Shape::Decimal ? l : r;
    const Side& other = l.shape == Shape::Decimal ? r : l;
    const mpq_class unit(
        mpz_class(1), mpz_class("1" + std::string(static_cast<std::size_t>(
                                                      std::clamp<std::int64_t>(d.decimals, 0, 999)),
                                                  '0')));
    if (d.terminating && d.decimals > 0 && abs(d.value.a - other.value.At(q.value)) < unit) {
      return Slip::ReadAsTerminating;
    }
  }
  if (difference && C != ctx.multiples[n - 2].equals - ctx.multiples[n - 1].equals) {
    return Slip::Subtraction;
  }
  return Slip::Other;
}

// a + b·x as a teacher writes it: "90x", "15", "90x + 3", "-x".
std::string LinearText(const check::Linear& value, const std::string& letter) {
  std::string text;
  if (value.b != 0) {
    text = value.b == 1 ? "" : value.b == -1 ? "-" : Written(value.b);
    if (value.b.get_den() != 1) text = "(" + text + ")";
    text += letter;
  }
  if (value.a != 0 || text.empty()) {
    if (text.empty()) return Written(value.a);
    text += value.a < 0 ? " - " + Written(-value.a) : " + " + Written(value.a);
  }
  return text;
}

struct Answered {
  std::size_t line = 0;
  Side side;
};

}  // namespace

std::string_view SlipTitle(Slip slip) {
  switch (slip) {
    case Slip::WholeAsPeriod: return N_("the digits before the period taken as recurring");
    case Slip::NonRecurringDropped: return N_("the digits before the period dropped");
    case Slip::NinesAndZeros: return N_("the wrong number of nines or zeros");
    case Slip::NotSubtracted: return N_("the digits that do not recur not subtracted");
    case Slip::ReadAsTerminating: return N_("the decimal taken as one that ends");
    case Slip::PeriodsNotAligned: return N_("the recurring parts not lined up");
    case Slip::Subtraction: return N_("a slip in the subtraction");
    case Slip::Reduction: return N_("a slip in the reduction");
    case Slip::NotLowest: return N_("not in lowest terms");
    case Slip::Sign: return N_("the sign");
    case Slip::MixedNumber: return N_("the mixed number");
    case Slip::Other: return N_("a slip");
  }
  return {};
}

std::string_view VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Right: return "right";
    case Verdict::Wrong: return "wrong";
    case Verdict::Unreadable: return "unreadable";
    case Verdict::NotLowest: return "not-lowest";
    case Verdict::PassedOver: return "passed-over";
  }
  return {};
}

std::string_view SlipName(Slip slip) {
  switch (slip) {
    case Slip::WholeAsPeriod: return "whole-as-period";
    case Slip::NonRecurringDropped: return "non-recurring-dropped";
    case Slip::NinesAndZeros: return "nines-and-zeros";
    case Slip::NotSubtracted: return "not-subtracted";
    case Slip::ReadAsTerminating: return "read-as-terminating";
    case Slip::PeriodsNotAligned: return "periods-not-aligned";
    case Slip::Subtraction: return "subtraction";
    case Slip::Reduction: return "reduction";
    case Slip::NotLowest: return "not-lowest";
    case Slip::Sign: return "sign";
    case Slip::MixedNumber: return "mixed-number";
    case Slip::Other: return "other";
  }
  return {};
}

Check CheckWorking(const CheckRequest& request) {
  const words::Words& words = *request.words;
  Check check;
  check.entry = std::string(request.entry);
  const exact::Result<Entry> read = ReadEntry(request.entry, 0);
  if (const auto* problem = std::get_if<exact::Problem>(&read)) {
    check.status = Status::BadInput;
    check.refusal = {problem->kind, problem->position,
                     RefusalSentence(*problem, request.entry, words)};
    return check;
  }
  const Question q = QuestionOf(std::get<Entry>(read));
  check.value = q.value.get_num().get_str() + "/" + q.value.get_den().get_str();
  LineReader reader(q.value, words);
  Context ctx{q, std::nullopt, {}};
  std::optional<Answered> answer;

  std::string_view rest = request.working;
  if (rest.ends_with('\n')) rest.remove_suffix(1);
  std::size_t number = 0;
  while (!request.working.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view text = rest.substr(0, end);
    if (text.ends_with('\r')) text.remove_suffix(1);
    ++number;
    CheckedLine line;
    line.text = std::string(text);
    const ReadLine seen = reader.Read(text);
    // The first equality that does not hold, and the line's answer.
    std::optional<std::pair<const Side*, const Side*>> broken;
    const Side* answered = nullptr;
    Side pupil;  // a value alone, against the unknown
    Side unknown;
    unknown.value = {0, 1};
    unknown.unknownAlone = unknown.mentionsUnknown = true;
    switch (seen.kind) {
      case ReadLine::Kind::Words: line.verdict = Verdict::PassedOver; break;
      case ReadLine::Kind::Unreadable:
        line.verdict = Verdict::Unreadable;
        line.reason = seen.reason;
        line.position = seen.position;
        break;
      case ReadLine::Kind::Value:
        if (!IsAnswerForm(q, seen.value)) {
          line.verdict = Verdict::PassedOver;
          break;
        }
        pupil = seen.value;
        answered = &pupil;
        line.verdict = Verdict::Right;
        if (pupil.value.a != q.value) broken = std::make_pair(&unknown, &pupil);
        break;
      case ReadLine::Kind::Equations:
        for (const Equation& equation : seen.equations) {
          const std::vector<Side>& sides = equation.sides;
          if (equation.remainder) {
            const Side& l = sides.front();
            const Side& r = sides.back();
            bool holds = sides.size() == 2 && l.division && r.value.b == 0;
            if (holds) {
              const auto& [dividend, divisor] = *l.division;
              const mpq_class& rem = *equation.remainder;
              holds = dividend == divisor * r.value.a + rem && rem >= 0 && rem < abs(divisor);
            }
            if (!holds && !broken) broken = std::make_pair(&l, &r);
            continue;
          }
          for (std::size_t s = 0; s + 1 < sides.size(); ++s) {
            if (!broken && sides[s].value.At(q.value) != sides[s + 1].value.At(q.value)) {
              broken = std::make_pair(&sides[s], &sides[s + 1]);
            }
          }
          const bool ofTheUnknown = std::any_of(sides.begin(), sides.end(), [&](const Side& side) {
            return side.unknownAlone || side.ofUnknown ||
                   (!q.decimal && (side.shape == Shape::Fraction || side.shape == Shape::Mixed));
          });
          if (ofTheUnknown && sides.size() > 1 && IsAnswerForm(q, sides.back())) {
            answered = &sides.back();
          } else if (sides.size() == 2 && sides.back().unknownAlone &&
                     IsAnswerForm(q, sides.front())) {
            answered = &sides.front();  // "1/6 = x"
          }
        }
        line.verdict = Verdict::Right;
        break;
    }
    if (seen.kind == ReadLine::Kind::Value || seen.kind == ReadLine::Kind::Equations) {
      if (line.verdict == Verdict::PassedOver) {
        // (a value alone that is not an answer)
      } else if (broken) {
        line.verdict = Verdict::Wrong;
        const auto [l, r] = *broken;
        const bool division =
            std::any_of(seen.equations.begin(), seen.equations.end(),
                        [](const Equation& e) { return e.remainder.has_value(); });
        line.slip = division ? Slip::Other : EquationSlip(ctx, *l, *r);
        if (l == &unknown || l->unknownAlone || r->unknownAlone) {
          const Side& value = l->unknownAlone ? *r : *l;
          line.reason = Say(words, N_("{1} is not the value of {2}"), {value.text, check.entry});
        } else if (l->division && r->value.b == 0 && !seen.equations.empty() &&
                   std::any_of(seen.equations.begin(), seen.equations.end(),
                               [](const Equation& e) { return e.remainder.has_value(); })) {
          line.reason =
              Say(words, N_("{1} does not make {2} with that remainder"), {l->text, r->text});
        } else {
          const bool both = l->mentionsUnknown && r->mentionsUnknown;
          const auto shown = [&](const Side& side) {
            return side.IsNumber() ? side.text
                   : both          ? LinearText(side.value, reader.Letter())
                                   : Written(side.value.At(q.value));
          };
          // What the left side comes to, in lowest terms ("3/18 makes 1/6"),
          // against what the pupil wrote for it.
          const std::string made = l->IsNumber() ? Written(l->value.At(q.value)) : shown(*l);
          line.reason = Say(words, N_("{1} makes {2}, not {3}"), {l->text, made, shown(*r)});
        }
      } else {
        line.verdict = Verdict::Right;
        line.reason = words.Translate(N_("right"));
      }
      if (answered != nullptr) answer = Answered{number, *answered};
      if (line.verdict == Verdict::Right) {
        for (const Equation& equation : seen.equations) {
          for (const Side& side : equation.sides) {
            if (side.shape == Shape::Fraction && side.value.At(q.value) == q.value) {
              ctx.lastFraction = side;
            }
          }
          if (std::optional<Multiple> m = AsMultiple(equation)) ctx.multiples.push_back(*m);
        }
      }
    }
    if (line.verdict == Verdict::PassedOver && !text.empty()) {
      line.reason = words.Translate(N_("words only"));
    }
    if (!check.firstWrong &&
        (line.verdict == Verdict::Wrong || line.verdict == Verdict::Unreadable)) {
      check.firstWrong = static_cast<std::int64_t>(number);
      check.slip = line.slip;
    }
    check.lines.push_back(std::move(line));
    if (end >= rest.size()) break;
    rest.remove_prefix(end + 1);
  }

  if (answer) {
    check.answer = answer->side.text;
    CheckedLine& line = check.lines[answer->line - 1];
    const mpz_class g = LeftToCancel(answer->side);
    if (line.verdict == Verdict::Right && g != 1) {
      line.verdict = Verdict::NotLowest;
      line.slip = Slip::NotLowest;
      line.reason =
          g == 0 ? Say(words, N_("right, but {1} is not in lowest terms"), {answer->side.text})
                 : Say(words, N_("right, but {1} is not in lowest terms: both terms divide by {2}"),
                       {answer->side.text, g.get_str()});
    }
  }
  const bool answerRight = answer && answer->side.value.a == q.value;
  const bool lowest = answer && LeftToCancel(answer->side) == 1;
  if (check.firstWrong) {
    check.outcome = answerRight && answer->line > static_cast<std::size_t>(*check.firstWrong)
                        ? Outcome::SlipCancelled
                        : Outcome::Wrong;
  } else if (!answer) {
    check.outcome = Outcome::NoAnswer;
  } else if (!lowest) {
    check.outcome = Outcome::NotLowest;
    check.slip = Slip::NotLowest;
  } else {
    check.outcome = Outcome::Right;
    check.correct = true;
  }

  const std::string first = check.firstWrong ? std::to_string(*check.firstWrong) : "";
  const auto advice = [&] {
    return check.slip ? Say(words, N_("Slip: {1}. {2}"),
                            {words.Translate(SlipTitle(*check.slip)),
                             words.Translate(check::SlipAdvice(*check.slip))})
                      : std::string();
  };
  switch (check.outcome) {
    case Outcome::Right:
      check.closing = Say(words, N_("All right: the answer {1} is right."), {*check.answer});
      break;
    case Outcome::NotLowest:
      check.closing = Say(words,
                          N_("The working is right, but the answer {1} is not in lowest "
                             "terms. {2}"),
                          {*check.answer, words.Translate(check::SlipAdvice(Slip::NotLowest))});
      break;
    case Outcome::SlipCancelled:
      check.closing = Say(words,
                          N_("The answer {1} is right, but line {2} is wrong: the slip "
                             "cancelled out. {3}"),
                          {*check.answer, first, advice()});
      break;
    case Outcome::Wrong:
      if (check.lines[static_cast<std::size_t>(*check.firstWrong) - 1].verdict ==
          Verdict::Unreadable) {
        check.closing =
            Say(words, N_("Line {1} cannot be read: {2}"),
                {first, check.lines[static_cast<std::size_t>(*check.firstWrong) - 1].reason});
      } else {
        check.closing = Say(words, N_("Line {1} is the first wrong line. {2}"), {first, advice()});
      }
      break;
    case Outcome::NoAnswer:
      check.closing = words.Translate(
          N_("No line gives the answer: end the working with the unknown equal to the answer "
             "(x = ...)."));
      break;
  }
  return check;
}

}  // namespace quotalis::answer
