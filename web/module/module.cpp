// The page's WebAssembly module: m.answer(requestJson) and m.version(), bound
// with embind (web/README.md).
#include <emscripten/bind.h>

#include <string>

#include <quotalis/version.h>

#include "answer.h"

namespace {

std::string Answer(const std::string& request) { return quotalis::web::AnswerRequest(request); }

std::string Version() { return quotalis::version::kText; }

}  // namespace

EMSCRIPTEN_BINDINGS(quotalis) {
  emscripten::function("answer", &Answer);
  emscripten::function("version", &Version);
}
