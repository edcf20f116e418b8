// Internal to the explain library: the three renderers Render chooses
// among (explain/render.h says what each writes).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "explain/steps.h"
#include "words/words.h"

namespace quotalis::explain {

std::vector<std::string> TextLines(const Steps& steps, const Style& style,
                                   const words::Words& words);
std::vector<std::string> LatexLines(const Steps& steps, const Style& style,
                                    const words::Words& words);
// One line a step, as explain::Format::Spoken says.
std::vector<std::string> SpokenLines(const Steps& steps, const Style& style,
                                     const words::Words& words);
std::vector<std::string> MathmlBlocks(const Steps& steps, const Style& style,
                                      const words::Words& words);

// A line of words alone as a sentence block.
std::string MathmlSentence(std::string_view text);

}  // namespace quotalis::explain
