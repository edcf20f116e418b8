// The page's request, a JavaScript object, read field by field into the
// answer library's request. Each field's type is checked, and a field of the
// wrong type or value is refused by its name, in the request's language:
// the page's user never sees the command line's options.
#pragma once

#include <emscripten/val.h>

#include <optional>
#include <string>

#include "answer/answer.h"

namespace quotalis::web {

// The fields (web/README.md), every one but "entry" optional:
//   entry      a string
//   period     K: a string of digits as typed ("1", "１"), a whole number,
//              or null (none recur); 0 or null with "rounded"
//   notation   a notation's name (answer::NotationForAnswers), or null
//   mixed, explain, rounded   true or false
//   maxDigits  a whole number of 1 or more, "all" (every digit), or null
//              (the default, answer::kDefaultMaxDigits)
//   language   "ja" (the default) or "en"
//   base       the entry's base, 2 to 36, or null (10): answer::Request::base
//   toBase     the answer's base, 2 to 36, or null (none): Request::toBase
//   binary     "binary64", "binary32" or null: Request::binary
// Other fields are passed over, so that a newer page works with an older
// module. Fills `request`, whose entry is then a view of `entry`, for the
// JSON answer (with the working in all three formats when "explain" is
// true), and gives nothing; or gives the refusal, "input" null:
//   {entry: "1", maxDigits: 0}
//     -> kind Argument, "the request's \"maxDigits\" must be a whole number of 1 or more, ..."
//   {entry: "0.5", period: "-1"} -> kind Syntax, "the period K '-1' is negative; give 0 or more"
//   {entry: "1/7", notation: "dot"} -> kind Argument, "unknown notation 'dot'; give ..."
std::optional<answer::Answer> ReadRequest(const emscripten::val& object, std::string& entry,
                                          answer::Request& request);

// The refusal of an option of a caller that checks its options' names and
// its own options' values (the npm package): kind Argument, "input" null, in
// the language ("en", else Japanese). `needs` says what is wrong:
//   "unknown" ("maxDigit") -> "unknown option 'maxDigit'"
//   "flag" ("bigint")      -> "the request's \"bigint\" must be true or false"
//   "string" ("working")   -> "the request's \"working\" must be a string"
//   "binary" ("format")    -> "the request's \"format\" must be \"binary64\" or \"binary32\""
//   "array" ("kinds")      -> "the request's \"kinds\" must be a list"
//   "format" ("format")    -> "the request's \"format\" must be \"text\", \"latex\" or \"mathml\""
//   "object" (any name)    -> "the options must be an object, or left out"
answer::Answer RefuseOption(const std::string& name, const std::string& needs,
                            const std::string& language);

// A JavaScript string as UTF-8, each lone surrogate as U+FFFD, as the
// browser's own TextEncoder makes it; empty for anything but a string.
std::string Utf8(const emscripten::val& text);

}  // namespace quotalis::web
