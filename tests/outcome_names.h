// Failure messages of the engine's tests print its outcomes as words.
#pragma once

#include <ostream>

#include "convert/conversion.h"

namespace quotalis {

inline void PrintTo(Outcome outcome, std::ostream* os) { *os << Describe(outcome); }

inline void PrintTo(EntryKind kind, std::ostream* os) {
  constexpr const char* kNames[] = {"Empty", "Zero", "NotANumber", "Number"};
  *os << kNames[static_cast<int>(kind)];
}

}  // namespace quotalis
