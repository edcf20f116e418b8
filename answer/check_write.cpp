// A checked working and a class's marks, written as words and as JSON; and
// a line of the class's answers split into its columns.
#include <algorithm>
#include <ostream>

#include "answer/check.h"
#include "answer/entry.h"
#include "answer/json.h"
#include "answer/quote.h"

#include <quotalis/exact/utf8.h>

namespace quotalis::answer {

namespace {

using words::N_;

std::string_view Mark(Verdict verdict) {
  switch (verdict) {
    case Verdict::Right: return "○";
    case Verdict::Wrong: return "×";
    case Verdict::Unreadable: return "?";
    case Verdict::NotLowest: return "△";
    case Verdict::PassedOver: return " ";
  }
  return " ";
}

std::string_view OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Right: return "right";
    case Outcome::NotLowest: return "not-lowest";
    case Outcome::Wrong: return "wrong";
    case Outcome::SlipCancelled: return "slip-cancelled";
    case Outcome::NoAnswer: return "no-answer";
  }
  return {};
}

void OrNull(std::ostream& out, const std::optional<std::string>& text) {
  if (text) {
    WriteJsonString(out, *text);
  } else {
    out << "null";
  }
}

// The user's text whole, each character that could drive the terminal as \xNN.
std::string Safe(std::string_view text) {
  std::string safe;
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    const std::size_t length = c ? c->length : 1;
    if (c && !IsUnsafeToShow(c->value)) {
      safe += text.substr(0, length);
    } else {
      safe += Shown(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return safe;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trimmed(std::string_view text) {
  // Blanks, the ideographic space among them, at either end.
  for (;;) {
    if (!text.empty() && IsBlank(text.front())) {
      text.remove_prefix(1);
    } else if (text.starts_with("\u3000")) {
      text.remove_prefix(3);
    } else {
      break;
    }
  }
  for (;;) {
    if (!text.empty() && IsBlank(text.back())) {
      text.remove_suffix(1);
    } else if (text.ends_with("\u3000")) {
      text.remove_suffix(3);
    } else {
      break;
    }
  }
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text);
}

// A spreadsheet's columns: split at `separator` outside double quotes.
std::vector<std::string> Columns(std::string_view line, char separator) {
  std::vector<std::string> columns;
  std::string column;
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == separator && !quoted) {
      columns.push_back(Trimmed(column));
      column.clear();
    } else {
      column += c;
    }
  }
  columns.push_back(Trimmed(column));
  return columns;
}

void WriteObject(std::ostream& out, const Check& check, bool lines, const std::string* name) {
  out << '{';
  if (name != nullptr && !name->empty()) {
    out << "\"name\":";
    WriteJsonString(out, *name);
    out << ',';
  }
  out << "\"entry\":";
  WriteJsonString(out, check.entry);
  if (check.status != Status::Answered) {
    out << ",\"error\":";
    WriteJsonString(out, check.refusal.sentence);
    out << ",\"kind\":\"" << exact::ProblemKindName(check.refusal.kind)
        << "\",\"position\":" << check.refusal.position << '}';
    return;
  }
  out << ",\"value\":\"" << check.value << "\",\"correct\":" << (check.correct ? "true" : "false")
      << ",\"firstWrong\":";
  if (check.firstWrong) {
    out << *check.firstWrong;
  } else {
    out << "null";
  }
  out << ",\"slip\":";
  if (check.slip) {
    out << '"' << SlipName(*check.slip) << '"';
  } else {
    out << "null";
  }
  out << ",\"answer\":";
  OrNull(out, check.answer);
  out << ",\"outcome\":\"" << OutcomeName(check.outcome) << '"';
  out << ",\"closing\":";
  WriteJsonString(out, check.closing);
  if (lines) {
    out << ",\"lines\":[";
    for (std::size_t i = 0; i < check.lines.size(); ++i) {
      const CheckedLine& line = check.lines[i];
      out << (i == 0 ? "" : ",") << "{\"text\":";
      WriteJsonString(out, line.text);
      out << ",\"verdict\":\"" << VerdictName(line.verdict) << "\",\"reason\":";
      WriteJsonString(out, line.reason);
      out << '}';
    }
    out << ']';
  }
  out << '}';
}

}  // namespace

void WriteCheckJson(std::ostream& out, const Check& check, bool lines) {
  WriteObject(out, check, lines, nullptr);
}

void WriteMarkJson(std::ostream& out, const MarkLine& line, const Check& check) {
  WriteObject(out, check, false, &line.name);
}

void WriteMarkText(std::ostream& out, const MarkLine& line, const Check& check,
                   const words::Words& words) {
  if (!line.name.empty()) out << Shown(line.name) << ": ";
  if (check.status != Status::Answered) {
    out << "? " << check.refusal.sentence;
    return;
  }
  out << (check.correct ? "○ " : "× ") << Safe(line.entry) << " = " << Safe(line.answer);
  if (check.slip) out << "  — " << words.Translate(SlipTitle(*check.slip));
}

void WriteCheckText(std::ostream& out, const Check& check) {
  for (const CheckedLine& line : check.lines) {
    out << Mark(line.verdict) << ' ' << Safe(line.text);
    if (line.verdict != Verdict::Right && line.verdict != Verdict::PassedOver) {
      out << "  — " << line.reason;
    }
    out << '\n';
  }
  out << check.closing << '\n';
}

MarkLine SplitMarkLine(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  MarkLine mark;
  if (Trimmed(line).empty()) {
    mark.kind = MarkLine::Kind::Blank;
    return mark;
  }
  std::vector<std::string> columns;
  if (line.find('\t') != std::string_view::npos) {
    columns = Columns(line, '\t');
  } else if (line.find(',') != std::string_view::npos) {
    columns = Columns(line, ',');
  } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
    columns = {Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
  } else if (const std::size_t wide = line.find("\uFF1D"); wide != std::string_view::npos) {
    columns = {Trimmed(line.substr(0, wide)), Trimmed(line.substr(wide + 3))};
  }
  // Empty columns at the end, as a spreadsheet leaves them, are dropped.
  while (columns.size() > 2 && columns.back().empty()) columns.pop_back();
  if (columns.size() < 2) {
    mark.kind = MarkLine::Kind::Unsplit;
    mark.entry = Trimmed(line);
    return mark;
  }
  mark.answer = columns.back();
  mark.entry = columns[columns.size() - 2];
  if (columns.size() > 2) mark.name = columns.front();
  return mark;
}

Check MarkAnswer(const MarkLine& line, const words::Words& words) {
  if (line.kind == MarkLine::Kind::Unsplit) {
    Check check;
    check.entry = line.entry;
    check.status = Status::BadInput;
    check.refusal.sentence = words::Say(
        words, N_("'{1}': no answer after the entry; write ENTRY = ANSWER"), {Shown(line.entry)});
    return check;
  }
  return CheckWorking({line.entry, line.answer, &words});
}

void Tally::Add(const Check& check) {
  if (check.status != Status::Answered) {
    ++refused;
    return;
  }
  if (check.correct) {
    ++right;
    return;
  }
  ++wrong;
  if (check.slip) ++slips[*check.slip];
}

void WriteTallyText(std::ostream& out, const Tally& tally, const words::Words& words) {
  std::string slips;
  for (const auto& [slip, count] : tally.slips) {
    slips += (slips.empty() ? "" : ", ") + words.Translate(SlipTitle(slip)) + " " +
             std::to_string(count);
  }
  out << words::Say(words, N_("right {1}, wrong {2}"),
                    {std::to_string(tally.right), std::to_string(tally.wrong)});
  if (!slips.empty()) out << " (" << slips << ")";
  if (tally.refused > 0) {
    out << "; " << words::Say(words, N_("{1} lines not marked"), {std::to_string(tally.refused)});
  }
}

void WriteTallyJson(std::ostream& out, const Tally& tally) {
  out << "{\"right\":" << tally.right << ",\"wrong\":" << tally.wrong
      << ",\"refused\":" << tally.refused << ",\"slips\":{";
  bool first = true;
  for (const auto& [slip, count] : tally.slips) {
    out << (first ? "" : ",") << '"' << SlipName(slip) << "\":" << count;
    first = false;
  }
  out << "}}";
}

}  // namespace quotalis::answer
