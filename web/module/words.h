// The words of the page in the languages it speaks, without gettext: the
// command line's catalogs compiled into the module (po_words.py).
#pragma once

#include <string_view>

#include "explain/words.h"

namespace quotalis::web {

// The words of `language` ("ja", "en"); English for any other tag.
const explain::Words& WordsFor(std::string_view language);

}  // namespace quotalis::web
