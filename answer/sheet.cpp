#include "answer/sheet.h"

#include <algorithm>
#include <numeric>
#include <ostream>
#include <set>
#include <sstream>
#include <utility>

#include <quotalis/exact/text.h>

#include "answer/json.h"
#include "answer/quote.h"
#include "answer/write.h"
#include "explain/render.h"

namespace quotalis::answer {

namespace {

using words::N_;

struct KindName {
  ExerciseKind kind;
  std::string_view name;
};

constexpr KindName kKindNames[] = {
    {ExerciseKind::Pure, "pure"},
    {ExerciseKind::PrePeriod, "pre-period"},
    {ExerciseKind::Whole, "whole"},
    {ExerciseKind::ToDecimal, "to-decimal"},
    {ExerciseKind::MixedNumber, "mixed-number"},
    {ExerciseKind::Rounded, "rounded"},
};

// What a difficulty allows.
struct Limits {
  int periodLow, periodHigh;    // digits of a decimal's period
  int before;                   // most digits before the period
  int whole;                    // largest whole part
  int denominator;              // largest denominator of a fraction
  int fractionPeriod;           // most digits of a fraction's period
  int displayLow, displayHigh;  // digits of a rounded display after the point
};

constexpr Limits kLimits[] = {
    {1, 2, 1, 9, 20, 2, 4, 6},
    {1, 3, 2, 9, 50, 6, 6, 8},
    {2, 6, 3, 99, 99, 16, 8, 10},
};

// Draws for one exercise before its kind is given up as too small for the count.
constexpr int kDraws = 4000;

exact::Problem Misused(std::string_view format, std::vector<std::string> args) {
  return exact::MakeProblem(exact::ProblemKind::Argument, format, std::move(args));
}

// A whole number from `low` to `high`, or nothing.
std::optional<std::uint64_t> WholeIn(std::string_view text, std::uint64_t low, std::uint64_t high) {
  const std::string ascii = exact::AsciiText(text);
  if (ascii.empty() || ascii.size() > 19) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : ascii) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::string Digits(Random& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

// Whether the period is not a shorter period written more than once ("33", "1212").
bool Primitive(std::string_view period) {
  const std::size_t n = period.size();
  for (std::size_t d = 1; d < n; ++d) {
    if (n % d != 0) continue;
    bool repeats = true;
    for (std::size_t i = d; i < n && repeats; ++i) repeats = period[i] == period[i - d];
    if (repeats) return false;
  }
  return true;
}

// A period of zeros ends the decimal; one of nines is the decimal above it.
bool Trivial(std::string_view period) {
  return period.find_first_not_of('0') == std::string_view::npos ||
         period.find_first_not_of('9') == std::string_view::npos;
}

// Whether 1/q recurs: q has a prime factor other than 2 and 5.
bool Recurs(int q) {
  while (q % 2 == 0) q /= 2;
  while (q % 5 == 0) q /= 5;
  return q > 1;
}

// whole.before(period), written as the program reads it, or nothing when
// it is not the canonical form of its value or its answer is trivial.
std::optional<std::string> RecurringDecimal(int whole, const std::string& before,
                                            const std::string& period) {
  if (Trivial(period) || !Primitive(period)) return std::nullopt;
  // 0.1(61) is 0.(16): the digit before the period would belong to it.
  if (!before.empty() && before.back() == period.back()) return std::nullopt;
  return std::to_string(whole) + "." + before + "(" + period + ")";
}

// A fraction p/q in lowest terms, 0 < p < q, whose decimal recurs.
std::optional<std::pair<int, int>> ProperFraction(Random& random, int denominator) {
  const int q = random.Between(3, denominator);
  const int p = random.Between(1, q - 1);
  if (!Recurs(q) || std::gcd(p, q) != 1) return std::nullopt;
  return std::pair{p, q};
}

// p/q rounded half up at digit `digits` after the point: 1/7, 6 -> "0.142857".
std::string RoundedDisplay(int p, int q, int digits) {
  std::uint64_t scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  const std::uint64_t scaled = static_cast<std::uint64_t>(p) * scale;
  std::uint64_t shown = scaled / static_cast<std::uint64_t>(q);
  if (2 * (scaled % static_cast<std::uint64_t>(q)) >= static_cast<std::uint64_t>(q)) ++shown;
  std::string after = std::to_string(shown % scale);
  after.insert(0, static_cast<std::size_t>(digits) - after.size(), '0');
  return std::to_string(shown / scale) + "." + after;
}

struct Drawn {
  std::string question;
  std::optional<std::pair<int, int>> expected;  // the fraction a rounded display must give
};

std::optional<Drawn> Draw(ExerciseKind kind, const Limits& limits, Random& random) {
  switch (kind) {
    case ExerciseKind::Pure: {
      const std::string period =
          Digits(random, random.Between(limits.periodLow, limits.periodHigh));
      if (auto q = RecurringDecimal(0, "", period)) return Drawn{*q, {}};
      return std::nullopt;
    }
    case ExerciseKind::PrePeriod: {
      const std::string before = Digits(random, random.Between(1, limits.before));
      const std::string period =
          Digits(random, random.Between(limits.periodLow, limits.periodHigh));
      if (auto q = RecurringDecimal(0, before, period)) return Drawn{*q, {}};
      return std::nullopt;
    }
    case ExerciseKind::Whole:
    case ExerciseKind::MixedNumber: {
      const int whole = random.Between(1, limits.whole);
      const std::string before = Digits(random, random.Between(0, limits.before));
      const std::string period =
          Digits(random, random.Between(limits.periodLow, limits.periodHigh));
      if (auto q = RecurringDecimal(whole, before, period)) return Drawn{*q, {}};
      return std::nullopt;
    }
    case ExerciseKind::ToDecimal: {
      if (auto f = ProperFraction(random, limits.denominator)) {
        return Drawn{std::to_string(f->first) + "/" + std::to_string(f->second), {}};
      }
      return std::nullopt;
    }
    case ExerciseKind::Rounded: {
      const auto f = ProperFraction(random, limits.denominator);
      const int digits = random.Between(limits.displayLow, limits.displayHigh);
      if (!f) return std::nullopt;
      return Drawn{RoundedDisplay(f->first, f->second, digits), f};
    }
  }
  return std::nullopt;
}

std::string Written(const Terms& t) {
  mpz_class d = *t.denominator;
  if (t.tens > 0) {
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(t.tens));
    d *= ten;
  }
  return t.numerator->get_str() + "/" + d.get_str();
}

// The exercise for a question drawn, or nothing when its answer does not
// keep to the kind and the difficulty.
std::optional<Exercise> Answered(ExerciseKind kind, const Drawn& drawn, const Limits& limits,
                                 const SheetRequest& sheet) {
  Request request;
  request.entry = drawn.question;
  request.form = Form::Json;
  request.mixed = kind == ExerciseKind::MixedNumber;
  request.rounded = kind == ExerciseKind::Rounded;
  request.working.latex = sheet.working;
  request.words = sheet.words;
  Answer a = AnswerEntry(request);
  if (a.status != Status::Answered) return std::nullopt;
  Exercise e;
  e.kind = kind;
  e.question = drawn.question;
  e.fraction = Written(a.lowest);
  switch (kind) {
    case ExerciseKind::ToDecimal:
      if (!a.period || *a.period > limits.fractionPeriod || a.nonRecurring > limits.before) {
        return std::nullopt;
      }
      break;
    case ExerciseKind::Rounded:
      if (e.fraction !=
          std::to_string(drawn.expected->first) + "/" + std::to_string(drawn.expected->second)) {
        return std::nullopt;
      }
      break;
    default:
      if (a.decimal != drawn.question) return std::nullopt;  // not its canonical form
      break;
  }
  std::ostringstream value;
  bool started = false;
  WriteValue(value, a, started);
  e.answer = std::move(value).str();
  e.working = std::move(a.working.latex);
  return e;
}

std::string Sentence(const words::Words& words, std::string_view format,
                     const std::vector<std::string>& args = {}) {
  return words::Say(words, format, args);
}

std::string_view Instruction(ExerciseKind kind) {
  switch (kind) {
    case ExerciseKind::Pure:
    case ExerciseKind::PrePeriod: return N_("Write each recurring decimal as a fraction.");
    case ExerciseKind::Whole:
      return N_("Write each recurring decimal as a fraction (improper where it is more than 1).");
    case ExerciseKind::ToDecimal: return N_("Write each fraction as a recurring decimal.");
    case ExerciseKind::MixedNumber: return N_("Write each recurring decimal as a mixed number.");
    case ExerciseKind::Rounded:
      return N_(
          "A calculator shows each number rounded at its last digit. Find the simplest "
          "fraction that it shows so.");
  }
  return {};
}

// How many exercises stand in a row, and the room under each row to write.
int Columns(ExerciseKind kind) { return kind == ExerciseKind::Rounded ? 2 : 3; }
std::string_view Room(ExerciseKind kind) {
  return kind == ExerciseKind::ToDecimal ? "4\\baselineskip" : "6\\baselineskip";
}

// Items in rows of `columns` boxes, none cut across a page.
void WriteRows(std::ostream& out, const std::vector<std::string>& items, int columns,
               std::string_view room) {
  const std::string width = "0." + std::to_string(100 / columns - 2) + "\\linewidth";
  for (std::size_t i = 0; i < items.size(); i += static_cast<std::size_t>(columns)) {
    out << "\\noindent";
    for (int c = 0; c < columns; ++c) {
      const std::size_t k = i + static_cast<std::size_t>(c);
      if (c > 0) out << "\\hfill";
      out << "\\begin{minipage}[t]{" << width << "}";
      if (k < items.size()) out << items[k];
      out << "\\end{minipage}";
    }
    out << "\\par";
    if (!room.empty()) out << "\\vspace{" << room << "}";
    out << "\\nobreak\\par\n";
  }
}

}  // namespace

const std::vector<ExerciseKind>& ExerciseKinds() {
  static const std::vector<ExerciseKind> kinds = [] {
    std::vector<ExerciseKind> all;
    for (const KindName& k : kKindNames) all.push_back(k.kind);
    return all;
  }();
  return kinds;
}

std::string_view ExerciseKindName(ExerciseKind kind) {
  for (const KindName& k : kKindNames) {
    if (k.kind == kind) return k.name;
  }
  return {};
}

exact::Result<ExerciseKind> ReadExerciseKind(std::string_view name) {
  for (const KindName& k : kKindNames) {
    if (k.name == name) return k.kind;
  }
  std::string all;
  for (const KindName& k : kKindNames) {
    if (!all.empty()) all += ", ";
    all += k.name;
  }
  return Misused(N_("unknown kind '{1}': the kinds are {2}"), {Shown(name), all});
}

exact::Result<int> ReadCount(std::string_view text) {
  if (auto n = WholeIn(text, 1, kMostExercises)) return static_cast<int>(*n);
  return Misused(N_("--count takes a whole number from 1 to {1}, not '{2}'"),
                 {std::to_string(kMostExercises), Shown(text)});
}

exact::Result<std::uint64_t> ReadSeed(std::string_view text) {
  if (auto n = WholeIn(text, 0, kLargestSeed)) return *n;
  return Misused(N_("--seed takes a whole number from 0 to {1}, not '{2}'"),
                 {std::to_string(kLargestSeed), Shown(text)});
}

exact::Result<int> ReadDifficulty(std::string_view text) {
  if (auto n = WholeIn(text, kEasiest, kHardest)) return static_cast<int>(*n);
  return Misused(N_("--difficulty takes 1, 2 or 3, not '{1}'"), {Shown(text)});
}

std::uint64_t Random::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

std::uint64_t Random::Below(std::uint64_t bound) {
  // The values below 2^64 mod bound would make the low values likelier.
  const std::uint64_t skip = (0 - bound) % bound;
  std::uint64_t x = Next();
  while (x < skip) x = Next();
  return x % bound;
}

int Random::Between(int low, int high) {
  return low + static_cast<int>(Below(static_cast<std::uint64_t>(high - low) + 1));
}

Sheet MakeSheet(const SheetRequest& request) {
  Sheet sheet;
  sheet.seed = request.seed;
  for (const ExerciseKind kind : request.kinds.empty() ? ExerciseKinds() : request.kinds) {
    if (std::find(sheet.kinds.begin(), sheet.kinds.end(), kind) == sheet.kinds.end()) {
      sheet.kinds.push_back(kind);
    }
  }
  const Limits& limits = kLimits[std::clamp(request.difficulty, kEasiest, kHardest) - kEasiest];
  const int count = std::clamp(request.count, 1, kMostExercises);
  const int kinds = static_cast<int>(sheet.kinds.size());
  Random random(request.seed);
  // No question twice, even in two kinds (a whole part's decimal is asked
  // as a fraction and as a mixed number).
  std::set<std::string> questions;
  for (int k = 0; k < kinds; ++k) {
    const ExerciseKind kind = sheet.kinds[static_cast<std::size_t>(k)];
    const int wanted = count / kinds + (k < count % kinds ? 1 : 0);
    std::set<std::string> values;
    for (int made = 0; made < wanted; ++made) {
      std::optional<Exercise> exercise;
      for (int draw = 0; draw < kDraws && !exercise; ++draw) {
        const std::optional<Drawn> drawn = Draw(kind, limits, random);
        if (!drawn || questions.contains(drawn->question)) continue;
        questions.insert(drawn->question);
        exercise = Answered(kind, *drawn, limits, request);
        if (exercise && !values.insert(exercise->fraction).second) exercise.reset();
      }
      if (!exercise) {
        sheet.status = Status::Failed;
        sheet.refusal.kind = exact::ProblemKind::Argument;
        sheet.refusal.sentence = Sentence(
            *request.words,
            N_("there are too few different exercises of the kind '{1}' at difficulty {2} for "
               "{3} of them: ask for fewer, or for a higher difficulty"),
            {std::string(ExerciseKindName(kind)), std::to_string(request.difficulty),
             std::to_string(wanted)});
        sheet.exercises.clear();
        return sheet;
      }
      exercise->number = static_cast<int>(sheet.exercises.size()) + 1;
      sheet.exercises.push_back(std::move(*exercise));
    }
  }
  return sheet;
}

void WriteSheetJson(std::ostream& out, const Sheet& sheet) {
  if (sheet.status != Status::Answered) {
    Answer refused;
    refused.status = sheet.status;
    refused.refusal = sheet.refusal;
    refused.input = std::nullopt;
    bool started = false;
    WriteJson(out, refused, started);
    return;
  }
  out << "{\"seed\":" << sheet.seed << ",\"exercises\":[";
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& e = sheet.exercises[i];
    if (i > 0) out << ',';
    out << "{\"number\":" << e.number << ",\"kind\":" << JsonString(ExerciseKindName(e.kind))
        << ",\"question\":" << JsonString(e.question) << ",\"answer\":" << JsonString(e.answer)
        << ",\"fraction\":" << JsonString(e.fraction) << '}';
  }
  out << "]}";
}

std::string DottedLatex(std::string_view value) {
  std::string out;
  if (value.starts_with('-')) {
    out += '-';
    value.remove_prefix(1);
  }
  if (const std::size_t slash = value.find('/'); slash != std::string_view::npos) {
    std::string_view whole, numerator = value.substr(0, slash);
    if (const std::size_t space = numerator.find(' '); space != std::string_view::npos) {
      whole = numerator.substr(0, space);
      numerator.remove_prefix(space + 1);
    }
    out.append(whole);
    out += "\\frac{";
    out.append(numerator);
    out += "}{";
    out.append(value.substr(slash + 1));
    out += '}';
    return out;
  }
  const std::size_t open = value.find('(');
  const std::size_t close = value.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open + 2) {
    out.append(value);
    return out;
  }
  const std::string_view period = value.substr(open + 1, close - open - 1);
  out.append(value.substr(0, open));
  out += "\\dot{";
  out += period.front();
  out += '}';
  if (period.size() > 1) {
    out.append(period.substr(1, period.size() - 2));
    out += "\\dot{";
    out += period.back();
    out += '}';
  }
  return out;
}

std::string LatexDocumentBegin(const words::Words& words) {
  std::string begin =
      "\\documentclass[a4paper,11pt]{article}\n"
      "\\usepackage[a4paper,margin=18mm]{geometry}\n";
  if (words.Language() == "ja") begin += "\\usepackage{luatexja}\n";
  begin +=
      "\\usepackage{amsmath}\n"
      // The struck factors: the package cancel where it is installed (in
      // Debian's texlive-latex-extra), else a stroke of our own.
      "\\IfFileExists{cancel.sty}{\\usepackage{cancel}}{}\n"
      "\\providecommand{\\cancel}[1]{\\ooalign{$#1$\\cr\\hidewidth$/$\\hidewidth}}\n"
      // A long working breaks across pages.
      "\\allowdisplaybreaks\n"
      "\\setlength{\\parindent}{0pt}\n"
      // A sentence of the working holding long numbers breaks where it can.
      "\\setlength{\\emergencystretch}{8em}\n"
      "\\begin{document}\n";
  return begin;
}

std::string_view LatexDocumentEnd() { return "\\end{document}\n"; }

std::string LatexParagraph(std::string_view text) {
  return "\\par " + explain::EscapeLatex(text) + "\\par";
}

void WriteSheetLatex(std::ostream& out, const Sheet& sheet, const words::Words& words) {
  const auto blank = [](std::string_view width) {
    return "\\underline{\\hspace{" + std::string(width) + "}}";
  };
  out << LatexDocumentBegin(words);
  out << "{\\Large\\bfseries " << Sentence(words, N_("Recurring decimals and fractions"))
      << "}\\hfill{\\small " << Sentence(words, N_("seed {1}"), {std::to_string(sheet.seed)})
      << "}\\par\\medskip\n"
      << Sentence(words, N_("Class {1}  Number {2}  Name {3}"),
                  {blank("3em"), blank("3em"), blank("14em")})
      << "\\hfill " << Sentence(words, N_("Date {1}"), {blank("8em")}) << "\\par\\bigskip\n";
  std::size_t next = 0;
  for (const ExerciseKind kind : sheet.kinds) {
    std::vector<std::string> items;
    for (; next < sheet.exercises.size() && sheet.exercises[next].kind == kind; ++next) {
      const Exercise& e = sheet.exercises[next];
      items.push_back("(" + std::to_string(e.number) + ")\\quad $\\displaystyle " +
                      DottedLatex(e.question) + "$");
    }
    if (items.empty()) continue;
    out << "\\par\\medskip{\\bfseries " << Sentence(words, Instruction(kind))
        << "}\\par\\nobreak\\medskip\n";
    WriteRows(out, items, Columns(kind), Room(kind));
  }
  out << "\\newpage\n{\\Large\\bfseries " << Sentence(words, N_("Answers")) << "}\\hfill{\\small "
      << Sentence(words, N_("seed {1}"), {std::to_string(sheet.seed)}) << "}\\par\\bigskip\n";
  std::vector<std::string> answers;
  for (const Exercise& e : sheet.exercises) {
    answers.push_back("(" + std::to_string(e.number) + ")\\quad $\\displaystyle " +
                      DottedLatex(e.answer) + "$");
  }
  WriteRows(out, answers, 3, "0.5\\baselineskip");
  for (const Exercise& e : sheet.exercises) {
    if (e.working.empty()) continue;
    out << "\\par\\bigskip{\\bfseries (" << e.number << ")}\\quad $\\displaystyle "
        << DottedLatex(e.question) << "$\\par\n";
    for (const std::string& line : e.working) out << line << '\n';
  }
  out << LatexDocumentEnd();
}

}  // namespace quotalis::answer
