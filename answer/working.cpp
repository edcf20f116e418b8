#include "kinds.h"

namespace quotalis::answer {

explain::Style WorkingStyle(const Request& request, exact::Notation reading) {
  return explain::ChooseStyle(request.notation, reading, request.mixed, request.words->Language(),
                              request.notationChosen);
}

Workings Rendered(const explain::Steps& steps, const Request& request,
                  const explain::Style& style) {
  Workings w;
  const words::Words& words = *request.words;
  if (request.working.text) w.text = explain::Render(steps, explain::Format::Text, style, words);
  if (request.working.latex) w.latex = explain::Render(steps, explain::Format::Latex, style, words);
  if (request.working.mathml) {
    w.mathml = explain::Render(steps, explain::Format::Mathml, style, words);
  }
  if (request.working.spoken) {
    w.spoken = explain::Render(steps, explain::Format::Spoken, style, words);
  }
  return w;
}

}  // namespace quotalis::answer
