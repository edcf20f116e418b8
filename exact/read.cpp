#include "exact/read.h"

namespace quotalis::exact {

std::string_view NotationName(Notation notation) {
  constexpr std::string_view kNames[] = {"plain",    "parentheses", "brackets", "quotes",
                                         "dots",     "overline",    "r",        "ellipsis",
                                         "fraction", "mixed"};
  return kNames[static_cast<int>(notation)];
}

Result<Reading> Read(std::string_view) { return Problem{"not read yet", 0}; }

}  // namespace quotalis::exact
