// The page's WebAssembly module, bound with embind (web/README.md): the
// answer library answering the page's requests, and what the page needs to
// know of an entry and of the notations before it asks.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

#include <quotalis/version.h>

#include "answer/answer.h"
#include "answer/check.h"
#include "answer/entry.h"
#include "answer/json.h"
#include "answer/notations.h"
#include "answer/sheet.h"
#include "answer/write.h"
#include "page_request.h"
#include "words/table_words.h"

namespace {

using emscripten::val;
using quotalis::web::Utf8;
namespace answer = quotalis::answer;

std::string Json(const answer::Answer& a) {
  std::ostringstream out;
  bool started = false;
  answer::WriteJson(out, a, started);
  return out.str();
}

// The one JSON object of the answer to the page's request (its refusal
// too), for JSON.parse: --json's schema, and with "explain" the working in
// all three formats.
std::string Answer(const val& object) {
  std::string entry;
  answer::Request request;
  bool read = false;
  try {
    if (std::optional<answer::Answer> refused =
            quotalis::web::ReadRequest(object, entry, request)) {
      return Json(*refused);
    }
    read = true;
    return Json(answer::AnswerEntry(request));
  } catch (const std::bad_alloc&) {
    // Whatever the answer held is given back by now; an entry too long to
    // be read at all is not quoted.
    return Json(answer::AnswerOutOfMemory(
        read ? std::optional<std::string_view>(request.entry) : std::nullopt, request));
  }
}

// [{name, label}] in the order of the page's list, labelled in `language`.
val Notations(const std::string& language) {
  const quotalis::words::Words& words = quotalis::words::TableWords(language);
  val list = val::array();
  int i = 0;
  for (const answer::AnswerNotation& n : answer::AnswerNotations()) {
    val item = val::object();
    item.set("name", std::string(quotalis::exact::NotationName(n.notation)));
    item.set("label", answer::NotationLabel(n, words));
    list.set(i++, item);
  }
  return list;
}

// How far K reaches for the entry (the slider's range), or null when it
// takes no K.
val PeriodRoom(const val& entry) {
  if (!entry.isString()) return val::null();
  const std::optional<std::int64_t> room = answer::PeriodRoom(Utf8(entry));
  return room ? val(static_cast<double>(*room)) : val::null();
}

bool ReadsAsRounded(const val& entry) {
  return entry.isString() && answer::ReadsAsRounded(Utf8(entry));
}

// The 答え合わせ panel's request, {entry, working, language}: the pupil's
// working checked against the entry, as --check --json writes it.
std::string Check(const val& object) {
  const val entry = object["entry"];
  const val working = object["working"];
  const val language = object["language"];
  const std::string lang = language.isString() ? language.as<std::string>() : "ja";
  const std::string e = entry.isString() ? Utf8(entry) : "";
  const std::string w = working.isString() ? Utf8(working) : "";
  std::ostringstream out;
  try {
    answer::WriteCheckJson(out, answer::CheckWorking({e, w, &quotalis::words::TableWords(lang)}),
                           true);
  } catch (const std::bad_alloc&) {
    return "{\"error\":\"out of memory\"}";
  }
  return out.str();
}

// The refusal of an option of the npm package's (RefuseOption), as
// m.answer writes a refusal.
std::string RefuseOption(const std::string& name, const std::string& needs,
                         const std::string& language) {
  return Json(quotalis::web::RefuseOption(name, needs, language));
}

// A field of the プリント panel's request as the command line's option would
// read it: a whole number as its digits, a string as it stands.
std::optional<std::string> OptionText(const val& field) {
  if (field.isString()) return Utf8(field);
  if (field.isNumber()) {
    const double n = field.as<double>();
    if (n >= 0 && n <= 9007199254740991.0 &&
        n == static_cast<double>(static_cast<std::int64_t>(n))) {
      return std::to_string(static_cast<std::int64_t>(n));
    }
    return std::to_string(n);
  }
  return std::nullopt;
}

std::string Refusal(const quotalis::exact::Problem& problem, const quotalis::words::Words& words) {
  return Json(answer::Refused(answer::Status::BadInput, problem,
                              quotalis::words::Say(words, problem.format, problem.args),
                              std::nullopt));
}

// The プリント panel's request, {seed, count, kinds, difficulty, explain,
// language}, every field but seed optional and read as --sheet's options
// are: {"sheet": the sheet as --sheet --json writes it, "latex": its LaTeX
// document as --sheet (--explain) writes it}, or a refusal object.
std::string Sheet(const val& object) {
  const val language = object["language"];
  const std::string lang = language.isString() ? language.as<std::string>() : "ja";
  const quotalis::words::Words& words = quotalis::words::TableWords(lang);
  answer::SheetRequest request;
  request.words = &words;
  const auto read = [&](const char* name, auto reader, auto& into) -> std::optional<std::string> {
    const val field = object[name];
    if (field.isUndefined() || field.isNull()) return std::nullopt;
    const std::optional<std::string> text = OptionText(field);
    auto value = reader(text.value_or(""));
    if (auto* problem = std::get_if<quotalis::exact::Problem>(&value)) {
      return Refusal(*problem, words);
    }
    into = std::get<0>(value);
    return std::nullopt;
  };
  if (auto refused = read("seed", answer::ReadSeed, request.seed)) return *refused;
  if (auto refused = read("count", answer::ReadCount, request.count)) return *refused;
  if (auto refused = read("difficulty", answer::ReadDifficulty, request.difficulty)) {
    return *refused;
  }
  const val kinds = object["kinds"];
  if (kinds.isArray()) {
    const int n = kinds["length"].as<int>();
    for (int i = 0; i < n; ++i) {
      const val kind = kinds[i];
      auto named = answer::ReadExerciseKind(kind.isString() ? Utf8(kind) : "");
      if (auto* problem = std::get_if<quotalis::exact::Problem>(&named)) {
        return Refusal(*problem, words);
      }
      request.kinds.push_back(std::get<answer::ExerciseKind>(named));
    }
  }
  request.working = object["explain"].isTrue();
  try {
    const answer::Sheet sheet = answer::MakeSheet(request);
    std::ostringstream data, latex;
    answer::WriteSheetJson(data, sheet);
    if (sheet.status != answer::Status::Answered) return data.str();
    answer::WriteSheetLatex(latex, sheet, words);
    std::ostringstream out;
    out << "{\"sheet\":" << data.str() << ",\"latex\":" << answer::JsonString(latex.str()) << '}';
    return out.str();
  } catch (const std::bad_alloc&) {
    return "{\"error\":\"out of memory\"}";
  }
}

std::string Version() { return quotalis::version::kText; }

}  // namespace

EMSCRIPTEN_BINDINGS(quotalis) {
  emscripten::function("answer", &Answer);
  emscripten::function("check", &Check);
  emscripten::function("sheet", &Sheet);
  emscripten::function("notations", &Notations);
  emscripten::function("periodRoom", &PeriodRoom);
  emscripten::function("readsAsRounded", &ReadsAsRounded);
  emscripten::function("refuseOption", &RefuseOption);
  emscripten::function("version", &Version);
}
