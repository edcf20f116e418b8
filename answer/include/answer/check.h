// 答え合わせ: a pupil's own working checked line by line against the value of
// the question, exactly, and a class's answers marked, each slip named.
//
// A working is one step a line. A line is an equation or a chain of them
// ("x = 15/90 = 1/6") in one unknown (any one Latin letter, full-width too),
// or an answer alone; the words around the mathematics ("とおく", "より",
// "So", "∴", "答え", labels such as ① or (1) at the end, a leading "−)") are
// passed over. The unknown stands for the value of the entry, and each line
// is right when every equality in it holds exactly.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answer/answer.h"
#include "words/words.h"

namespace quotalis::answer {

// What became of one line.
enum class Verdict {
  Right,       // every equality holds (a lone value: it is the answer's)
  Wrong,       // an equality does not hold
  Unreadable,  // the line cannot be read: `reason` names the character
  NotLowest,   // the answer, right but not in lowest terms
  PassedOver,  // words alone
};

// The mistakes pupils make, recognised from the value or the equation a
// wrong line produces (for 0.1(6), whose value is 1/6):
enum class Slip {
  WholeAsPeriod,        // the digits before the period taken as recurring: 16/99
  NonRecurringDropped,  // the digits before the period dropped: 6/9, 2/3
  NinesAndZeros,        // the wrong count of nines or zeros: 15/99, 15/900
  NotSubtracted,        // the non-recurring digits not taken away: 16/90
  ReadAsTerminating,    // the shown digits taken as the whole number: 1666/10000
  PeriodsNotAligned,    // two multiples whose periods do not line up: 99x = 16
  Subtraction,          // 100x - 10x = 80x, 16.(6) - 1.(6) = 15.(6)
  Reduction,            // a wrong common factor: 15/90 = 3/18 = 1/9
  NotLowest,            // the right value not reduced: 15/90
  Sign,                 // the sign lost or gained
  MixedNumber,          // 3 1/4 read as 31/4 or as 3/4
  Other,
};

// The names --json writes: "right", "wrong", "unreadable", "not-lowest",
// "passed-over"; "whole-as-period", "non-recurring-dropped", ... "other".
std::string_view VerdictName(Verdict verdict);
std::string_view SlipName(Slip slip);

// How the working ends.
enum class Outcome {
  Right,          // every line right, the answer right and in lowest terms
  NotLowest,      // every line right, the answer not reduced
  Wrong,          // a line is wrong or unreadable, and so is the answer (or there is none)
  SlipCancelled,  // a line is wrong, yet the answer is right: the slip cancelled out
  NoAnswer,       // no line gives a value for the unknown
};

struct CheckedLine {
  std::string text;  // the line as typed (its line end taken off)
  Verdict verdict = Verdict::PassedOver;
  std::string reason;         // in the request's words; empty for a line of words
  std::optional<Slip> slip;   // for a wrong line and a not-lowest answer
  std::int64_t position = 0;  // an unreadable line's character at fault (1-based)
};

struct CheckRequest {
  std::string_view entry;    // the question, as ReadEntry reads it (K 0)
  std::string_view working;  // the pupil's lines, '\n' between them
  const words::Words* words = &words::EnglishWords();
};

struct Check {
  Status status = Status::Answered;  // BadInput: the entry is refused
  Refusal refusal;
  std::string entry;  // as given
  std::string value;  // the entry's value in lowest terms, "1/6"
  bool correct = false;
  Outcome outcome = Outcome::NoAnswer;
  std::optional<std::int64_t> firstWrong;  // 1-based: the first wrong or unreadable line
  std::optional<Slip> slip;                // the first wrong line's, or not-lowest
  std::optional<std::string> answer;       // the pupil's answer as written, "1/6"
  std::vector<CheckedLine> lines;
  // The closing sentence: all right, or the first wrong line, the slip and
  // the step to redo, in the request's words.
  std::string closing;
};

// Checks the working against the entry's value.
//   ("0.1(6)", "x = 0.1(6)\n100x = 16.(6)\n10x = 1.(6)\n90x = 15\nx = 15/90 = 1/6")
//     -> correct, every line right, answer "1/6"
//   ("0.1(6)", "x = 16/99") -> line 1 wrong, slip whole-as-period
//   ("0.1(6)", "x = 15/90") -> line 1 not-lowest, slip not-lowest
//   ("0.1(6", ...) -> BadInput, the entry's refusal
Check CheckWorking(const CheckRequest& request);

// The --json object: "entry", "value", "correct", "firstWrong" (or null),
// "slip" (or null), "answer" (or null), "outcome", "closing" (the closing
// sentence, in the request's words), and with `lines` the
// lines [{"text", "verdict", "reason"}]; a refused entry gives {"entry",
// "error", "kind", "position"}. Keys and names are the same in every language.
void WriteCheckJson(std::ostream& out, const Check& check, bool lines);

// Each line after ○, ×, ? (or a blank for words) with its reason, then the
// closing sentence; every line ended.
void WriteCheckText(std::ostream& out, const Check& check);

// One line of a class's answers, as --mark reads it: "ENTRY = ANSWER",
// "ENTRY<TAB>ANSWER" or "ENTRY,ANSWER", perhaps after a name column
// ("NAME<TAB>ENTRY<TAB>ANSWER", "NAME,ENTRY,ANSWER"); fields may be quoted as
// a spreadsheet exports them ("\"0.1(6)\",\"1/6\"").
struct MarkLine {
  enum class Kind { Answer, Blank, Unsplit } kind = Kind::Answer;
  std::string name, entry, answer;
};
MarkLine SplitMarkLine(std::string_view line);

// One answer marked: a one-line working of the answer alone; a line with
// no answer is refused.
Check MarkAnswer(const MarkLine& line, const words::Words& words);

// A marked answer as --mark writes it: "○ 0.1(6) = 1/6", "× 0.1(6) = 16/99
// — the digits before the period taken as recurring", after "NAME: " when
// the line has a name; and its JSON object, --check's without "lines",
// "name" first when there is one. Neither ends the line.
void WriteMarkText(std::ostream& out, const MarkLine& line, const Check& check,
                   const words::Words& words);
void WriteMarkJson(std::ostream& out, const MarkLine& line, const Check& check);

// The slip's name in a pupil's words, in English (for Words::Translate).
std::string_view SlipTitle(Slip slip);

// The tally of a class: right, wrong, unreadable entries, and wrong answers
// by slip (not-lowest among them).
struct Tally {
  std::int64_t right = 0;
  std::int64_t wrong = 0;
  std::int64_t refused = 0;  // the entry itself could not be read
  std::map<Slip, std::int64_t> slips;
  void Add(const Check& check);
};

// The tally as one line of words ("right 38, wrong 2: whole-as-period 1,
// not-lowest 1"), or as its JSON object {"right", "wrong", "refused",
// "slips": {name: count}}.
void WriteTallyText(std::ostream& out, const Tally& tally, const words::Words& words);
void WriteTallyJson(std::ostream& out, const Tally& tally);

}  // namespace quotalis::answer
