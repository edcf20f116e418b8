// The keypad form's last check, apart from the rest of cli/keypad.cpp: the
// window's own engine (convert/), which does not build everywhere the command
// line's answers do, reads the entry back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <quotalis/exact/decimal.h>

#include "cli/keypad.h"

namespace quotalis::cli {

// A refusal of kind Unwritable, position 0; the arguments are numbers and
// digits, never words to translate.
exact::Problem Unwritable(std::string_view format, std::vector<std::string> args = {});

// Why the window would not convert `form` as the exact library wrote it
// (`dropZero`: its leading zero was dropped to fit), or nothing when it
// would. keypad_window.cpp asks the window's engine; where that engine does
// not build (WebAssembly), keypad_alone.cpp answers nothing and the exact
// library's form stands unchecked.
std::optional<exact::Problem> WindowRefuses(const KeypadForm& form, bool dropZero);

}  // namespace quotalis::cli
