// Includes of entry/ itself and of a folder it links: the check passes.
#pragma once

#include <QLineEdit>
#include <string>

#include "convert/entry.h"
#include "entry/keypad.h"
#include "quotalis/version.h"
