#include "help/usage.h"

namespace quotalis {

QString HowToUseMessage() { return {}; }

}  // namespace quotalis
