// The text of quotalis-cli --help.
#pragma once

#include <string>

#include "words/words.h"

namespace quotalis::cli {

// Every option on its own line, starting with two spaces and the option's
// name, with an example, the input forms, the answer's forms and the exit
// statuses, in `words`' language; the limits it states come from the
// constants that enforce them. Ends with a newline.
std::string UsageText(const words::Words& words);

}  // namespace quotalis::cli
