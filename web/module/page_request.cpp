#include "page_request.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "answer/entry.h"
#include "answer/notations.h"
#include "words/table_words.h"

namespace quotalis::web {

namespace {

using emscripten::val;
using words::N_;

// The request's fields, and their refusals in the request's words.
class Fields {
 public:
  Fields(const val& object, const words::Words& words) : object_(object), words_(words) {}

  val operator[](const char* name) const { return object_[name]; }

  answer::Answer Refuse(std::string_view format, std::vector<std::string> args) const {
    const exact::Problem problem =
        exact::MakeProblem(exact::ProblemKind::Argument, format, std::move(args));
    return Refused(problem);
  }
  answer::Answer Wrong(const char* name, std::string_view needs) const {
    return Refuse(needs, {name});
  }
  // A refusal of the library's (a bad K, an unknown notation), worded as the
  // command line words it.
  answer::Answer Refused(const exact::Problem& problem) const {
    return answer::Refused(answer::Status::BadInput, problem,
                           Say(words_, problem.format, problem.args), std::nullopt);
  }

 private:
  const val& object_;
  const words::Words& words_;
};

using Refusal = std::optional<answer::Answer>;

// A number JavaScript holds as a whole number (Number.isInteger).
bool IsWhole(double x) { return std::isfinite(x) && std::floor(x) == x; }

Refusal ReadFlag(const Fields& fields, const char* name, bool& flag) {
  const val v = fields[name];
  if (v.isUndefined()) return std::nullopt;
  if (!v.isTrue() && !v.isFalse()) {
    return fields.Wrong(name, N_("the request's \"{1}\" must be true or false"));
  }
  flag = v.isTrue();
  return std::nullopt;
}

// K as typed, or as a whole number, which is read as its digits are, so that
// a negative one is refused in the same words.
Refusal ReadK(const Fields& fields, std::int32_t& period) {
  const val v = fields["period"];
  if (v.isUndefined() || v.isNull()) return std::nullopt;
  std::string typed;
  if (v.isString()) {
    typed = Utf8(v);
  } else if (v.isNumber() && IsWhole(v.as<double>())) {
    const double k = v.as<double>();
    if (k >= std::numeric_limits<std::int32_t>::max()) {
      period = std::numeric_limits<std::int32_t>::max();  // K is clamped to the digits anyway
      return std::nullopt;
    }
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", k == 0 ? 0.0 : k);  // never "-0"
    typed = digits;
  } else {
    return fields.Wrong("period", N_("the request's \"{1}\" must be a string of digits, a whole "
                                     "number or null"));
  }
  if (std::optional<exact::Problem> problem = answer::ReadPeriod(typed, period)) {
    return fields.Refused(*problem);
  }
  return std::nullopt;
}

Refusal ReadNotation(const Fields& fields, exact::Notation& notation, bool& chosen) {
  const val v = fields["notation"];
  if (v.isUndefined() || v.isNull()) return std::nullopt;
  if (!v.isString()) {
    return fields.Wrong("notation",
                        N_("the request's \"{1}\" must be the name of a notation, or null"));
  }
  exact::Result<exact::Notation> named = answer::NotationForAnswers(Utf8(v));
  if (const auto* problem = std::get_if<exact::Problem>(&named)) return fields.Refused(*problem);
  notation = std::get<exact::Notation>(named);
  chosen = true;
  return std::nullopt;
}

Refusal ReadMaxDigits(const Fields& fields, std::optional<std::int64_t>& most) {
  const val v = fields["maxDigits"];
  if (v.isUndefined() || v.isNull()) return std::nullopt;  // the default
  if (v.isString() && Utf8(v) == "all") {
    most.reset();
    return std::nullopt;
  }
  if (v.isNumber() && IsWhole(v.as<double>()) && v.as<double>() >= 1) {
    // 2^63 itself is the first double past the largest 64-bit number.
    const double n = v.as<double>();
    most = n >= 0x1p63 ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(n);
    return std::nullopt;
  }
  return fields.Wrong("maxDigits", N_("the request's \"{1}\" must be a whole number of 1 or "
                                      "more, \"all\" or null"));
}

// A base from 2 to 36, or null: `none` (10 for "base", 0 for "toBase").
Refusal ReadBase(const Fields& fields, const char* name, int none, int& base) {
  const val v = fields[name];
  if (v.isUndefined() || v.isNull()) {
    base = none;
    return std::nullopt;
  }
  if (v.isNumber() && IsWhole(v.as<double>()) && v.as<double>() >= 2 && v.as<double>() <= 36) {
    base = static_cast<int>(v.as<double>());
    return std::nullopt;
  }
  return fields.Wrong(name, N_("the request's \"{1}\" must be a whole number from 2 to 36 or "
                               "null"));
}

// "binary64", "binary32" or null.
Refusal ReadBinary(const Fields& fields, std::optional<exact::BinaryFormat>& binary) {
  const val v = fields["binary"];
  if (v.isUndefined() || v.isNull()) return std::nullopt;
  const std::string name = v.isString() ? Utf8(v) : std::string();
  if (name == "binary64") {
    binary = exact::BinaryFormat::Binary64;
  } else if (name == "binary32") {
    binary = exact::BinaryFormat::Binary32;
  } else {
    return fields.Wrong("binary",
                        N_("the request's \"{1}\" must be \"binary64\", \"binary32\" or null"));
  }
  return std::nullopt;
}

}  // namespace

std::string Utf8(const val& text) {
  if (!text.isString()) return {};
  // The browser's own encoder, straight into the string: a code unit takes
  // at most three bytes (a pair of them four). Embind's own std::string
  // would take the character after a lone surrogate with it, and its copy
  // of UTF-16 units is many times slower for a long entry.
  std::string out(text["length"].as<std::size_t>() * 3, '\0');
  const val written =
      val::global("TextEncoder")
          .new_()
          .call<val>("encodeInto", text,
                     val(emscripten::typed_memory_view(
                         out.size(), reinterpret_cast<unsigned char*>(out.data()))))["written"];
  out.resize(written.as<std::size_t>());
  out.shrink_to_fit();  // a long entry is held while it is answered
  return out;
}

answer::Answer RefuseOption(const std::string& name, const std::string& needs,
                            const std::string& language) {
  const val none = val::undefined();
  const Fields fields(none, words::TableWords(language == "en" ? "en" : "ja"));
  if (needs == "flag") {
    return fields.Wrong(name.c_str(), N_("the request's \"{1}\" must be true or false"));
  }
  if (needs == "string") {
    return fields.Wrong(name.c_str(), N_("the request's \"{1}\" must be a string"));
  }
  if (needs == "binary") {
    return fields.Wrong(name.c_str(),
                        N_("the request's \"{1}\" must be \"binary64\" or \"binary32\""));
  }
  if (needs == "array") {
    return fields.Wrong(name.c_str(), N_("the request's \"{1}\" must be a list"));
  }
  if (needs == "object") {
    return fields.Refuse(N_("the options must be an object, or left out"), {});
  }
  if (needs == "format") {
    return fields.Wrong(name.c_str(),
                        N_("the request's \"{1}\" must be \"text\", \"latex\" or \"mathml\""));
  }
  return fields.Refuse(N_("unknown option '{1}'"), {name});
}

std::optional<answer::Answer> ReadRequest(const val& object, std::string& entry,
                                          answer::Request& request) {
  // (Array.isArray, not instanceof: an array made in another realm, a
  // frame's or a worker context's, is an array too.)
  const bool isObject = object.typeOf().as<std::string>() == "object" && !object.isNull() &&
                        !val::global("Array").call<bool>("isArray", object);
  if (!isObject) {
    const Fields nothing(object, words::TableWords("ja"));
    return nothing.Refuse(N_("the request must be an object"), {});
  }
  // The language first, so that any other refusal is in it.
  const val language = object["language"];
  const std::string tag = language.isUndefined() ? "ja" : Utf8(language);
  const Fields fields(object, words::TableWords(tag == "en" ? "en" : "ja"));
  if (tag != "ja" && tag != "en") {
    return fields.Wrong("language", N_("the request's \"{1}\" must be \"ja\" or \"en\""));
  }
  request.words = &words::TableWords(tag);

  const val text = object["entry"];
  if (!text.isString()) return fields.Wrong("entry", N_("the request's \"{1}\" must be a string"));
  entry = Utf8(text);
  request.entry = entry;

  // Each field read in turn; the first one refused is the answer.
  bool explain = false;
  for (Refusal refused :
       {ReadK(fields, request.period),
        ReadNotation(fields, request.notation, request.notationChosen),
        ReadFlag(fields, "mixed", request.mixed), ReadFlag(fields, "explain", explain),
        ReadFlag(fields, "rounded", request.rounded), ReadMaxDigits(fields, request.maxDigits),
        ReadBase(fields, "base", 10, request.base), ReadBase(fields, "toBase", 0, request.toBase),
        ReadBinary(fields, request.binary)}) {
    if (refused) return refused;
  }
  // A rounded display has no recurring digits to count.
  if (request.rounded && request.period > 0) {
    return fields.Refuse(N_("the request's \"{1}\" must be null or 0 when \"{2}\" is true"),
                         {"period", "rounded"});
  }
  request.form = answer::Form::Json;
  if (explain) request.working = {true, true, true};
  return std::nullopt;
}

}  // namespace quotalis::web
