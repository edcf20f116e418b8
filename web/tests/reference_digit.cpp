// The engine's digit test (convert/reading.cpp), which the tests' reference
// (tests/reference/integers.cpp) takes, here alone: the rest of that file
// reads floating point with std::from_chars, which the libc++ 13 of Debian's
// emscripten 3.1.6 lacks, and the exact library's tests need none of it.
#include "convert/reading.h"

namespace quotalis {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace quotalis
