// The words of a language read from a table compiled into the program, for
// a program that has no gettext (the web page): the same translations as
// the catalog po/<language>.po, made into C++ by words/po_words.py.
#pragma once

#include <string_view>
#include <vector>

#include "words/words.h"

namespace quotalis::words {

// The table's words for `language` ("ja"); English for any other tag.
const Words& TableWords(std::string_view language);

// The languages that have a table, English first: {"en", "ja"}.
std::vector<std::string_view> TableLanguages();

}  // namespace quotalis::words
