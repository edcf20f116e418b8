// The usage message: how to use the program, in five short lines.
#pragma once

#include <QString>

namespace quotalis {

// The five lines of the usage message, joined by two carriage returns each.
QString HowToUseMessage();

}  // namespace quotalis
