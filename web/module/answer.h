// The module's one answer: a request from the page (web/module/request.h) to
// the command line's --json object for the same entry and options, and, when
// the working is asked for, the working as MathML, text and LaTeX.
#pragma once

#include <string>
#include <string_view>

namespace quotalis::web {

// What `quotalis-cli --json` writes for the request's entry and options, on
// one line without its line end, in the request's language; with "explain",
// the object has three more keys before its end: "workingMathml" (one
// <math display="block"> a line of the working), "workingText" (the lines of
// --explain joined by '\n') and "workingLatex" (the fragment of --explain
// --notation latex). A refused entry or option gets the command line's
// refusal object and nothing more. A request that is not one gets the
// refusal object of a bad option: "input" null, "kind" "argument".
//   {"entry":"1/7","language":"en"} -> {"input":"1/7","reading":"fraction",
//     "decimal":"0.(142857)",...,"cut":false}
std::string AnswerRequest(std::string_view requestJson);

}  // namespace quotalis::web
