// The usage message of the Help menu.
#pragma once

#include <QString>

namespace quotalis {

// The five lines of the usage message, joined by two carriage returns each.
QString HowToUseMessage();

}  // namespace quotalis
