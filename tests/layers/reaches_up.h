// Two includes reaching above entry/, one reaching below it, and a header of
// the same folder: the check names the first two only. The spacing of the
// last is on purpose.
// clang-format off
#pragma once

#include <QLineEdit>

#include "app/frmfraction.h"
#include "convert/entry.h"
#include "entry/keypad.h"
#  include "help/usage.h"
