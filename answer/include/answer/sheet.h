// Exercise sheets: a set of exercises made from a seed, each answered
// through AnswerEntry, and the sheet written as data (JSON) or as a LaTeX
// document for lualatex with its answer key. The same seed, kinds, count and
// difficulty give the same sheet on every machine and in every front end:
// the random sequence is the library's own (SplitMix64, with its own bounded
// draw), never a standard library's distribution.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>

#include "answer/answer.h"
#include "words/words.h"

namespace quotalis::answer {

// What an exercise asks, by its name on the command line and in JSON:
enum class ExerciseKind {
  Pure,         // "pure": a pure recurring decimal to a fraction, 0.(3), 0.(142857)
  PrePeriod,    // "pre-period": digits before the period, 0.1(6), 0.08(3)
  Whole,        // "whole": with a whole part, 2.3(45) -> 129/55
  ToDecimal,    // "to-decimal": a fraction to its recurring decimal, 1/7 -> 0.(142857)
  MixedNumber,  // "mixed-number": a decimal answered as a mixed number, 2.(3) -> 2 1/3
  Rounded,      // "rounded": a calculator's rounded display to its fraction, 0.142857 -> 1/7
};

// Every kind, in the order a sheet asks them when none is named.
const std::vector<ExerciseKind>& ExerciseKinds();
std::string_view ExerciseKindName(ExerciseKind kind);
// The kind named `name`; a refusal (kind Argument) naming it and the kinds there are.
exact::Result<ExerciseKind> ReadExerciseKind(std::string_view name);

inline constexpr int kMostExercises = 200;
// The largest seed: the page reads it as a JavaScript number, exact up to 2^53 - 1.
inline constexpr std::uint64_t kLargestSeed = (std::uint64_t{1} << 53) - 1;
inline constexpr int kEasiest = 1, kDefaultDifficulty = 2, kHardest = 3;

// COUNT, 1 to 200; SEED, 0 to 2^53 - 1; DIFFICULTY, 1 to 3: ASCII or
// full-width digits, else a refusal (kind Argument) naming the option and the text.
exact::Result<int> ReadCount(std::string_view text);
exact::Result<std::uint64_t> ReadSeed(std::string_view text);
exact::Result<int> ReadDifficulty(std::string_view text);

// The library's own random sequence: SplitMix64, and a draw below a bound by
// rejection, so that every value is equally likely and the sequence is the
// same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // A value in [0, bound), bound > 0.
  std::uint64_t Below(std::uint64_t bound);
  // A value in [low, high].
  int Between(int low, int high);

 private:
  std::uint64_t state_;
};

struct SheetRequest {
  std::uint64_t seed = 0;
  int count = 20;
  std::vector<ExerciseKind> kinds;  // none: every kind; a kind named twice counts once
  // 1: periods of 1 or 2 digits, 1 digit before the period, denominators up
  // to 20; 2: up to 3 digits, 2 before, denominators up to 50; 3: up to 6
  // digits, 3 before, denominators up to 99, whole parts up to 99.
  int difficulty = kDefaultDifficulty;
  bool working = false;  // each answer's LaTeX working, for the answer key
  const words::Words* words = &words::EnglishWords();
};

struct Exercise {
  int number = 0;  // from 1
  ExerciseKind kind = ExerciseKind::Pure;
  std::string question;              // as the program reads it: "0.1(6)", "1/7", "0.142857"
  std::string answer;                // as quotalis-cli writes it: "1/6", "0.(142857)", "2 1/3"
  std::string fraction;              // the value in lowest terms: "1/6"
  std::vector<std::string> working;  // the LaTeX working's lines, when asked
};

struct Sheet {
  Status status = Status::Answered;
  Refusal refusal;  // when not Answered: too few different exercises of a kind
  std::uint64_t seed = 0;
  std::vector<ExerciseKind> kinds;  // the kinds asked, each once, in the order asked
  std::vector<Exercise> exercises;  // grouped by kind, in that order, numbered through
};

// The sheet: `count` exercises shared out over the kinds as evenly as they
// go (the first kinds take one more), none twice, none whose answer is
// trivial (a period of zeros or of nines, a decimal that ends). Refused
// (Failed) when a kind has fewer different exercises at the difficulty
// than it is to have. Cost: one AnswerEntry an exercise, a few more for
// those drawn again.
Sheet MakeSheet(const SheetRequest& request);

// {"seed":7,"exercises":[{"number":1,"kind":"pure","question":"0.(3)",
//  "answer":"1/3","fraction":"1/3"},...]}; a refusal as WriteJson writes one.
void WriteSheetJson(std::ostream& out, const Sheet& sheet);

// A complete LaTeX document for lualatex, A4, in `words`' language (Japanese
// through luatexja): a heading with blanks for the class, number, name and
// date, and the seed; the exercises by kind under their instruction,
// numbered (1), (2)... in columns with room to write, recurring decimals
// with a dot over the first and last digits of the period; then, from a new
// page, the answer key, and with the working each exercise's working.
void WriteSheetLatex(std::ostream& out, const Sheet& sheet, const words::Words& words);

// A complete document around any LaTeX the program writes (a working's
// align* fragments): its beginning and its end.
std::string LatexDocumentBegin(const words::Words& words);
std::string_view LatexDocumentEnd();
// A line of text, such as a refusal, as a paragraph of such a document,
// LaTeX's special characters escaped: "error: '5#'" -> "\par error: '5\#'\par".
std::string LatexParagraph(std::string_view text);

// A decimal in parentheses notation as LaTeX with dots over the first and
// last digits of its period, and a fraction or mixed number as \frac:
//   "0.1(6)" -> "0.1\dot{6}"   "0.(142857)" -> "0.\dot{1}4285\dot{7}"
//   "1/7" -> "\frac{1}{7}"     "2 1/3" -> "2\frac{1}{3}"   "0.25" -> "0.25"
std::string DottedLatex(std::string_view value);

}  // namespace quotalis::answer
