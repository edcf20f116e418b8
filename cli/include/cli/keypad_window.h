// The keypad form's last check: the window's own engine (convert/) reads the
// entry back, so that the window converts what the command line says to
// type. The command line is the one layer that links both engines; it hands
// this check to the answer library (answer::Request::keypadCheck).
#pragma once

#include <optional>

#include <quotalis/exact/decimal.h>

#include "answer/keypad.h"

namespace quotalis::cli {

// Why the window would not convert `form` as the exact library wrote it
// (`dropZero`: its leading zero was dropped to fit), a refusal of kind
// Unwritable whose arguments are numbers and digits; nothing when it would.
//   {"0.16", 1} -> nothing   (the window reads 0.16 with 1 digit recurring)
std::optional<exact::Problem> WindowRefuses(const answer::KeypadForm& form, bool dropZero);

}  // namespace quotalis::cli
