#include "exact/write.h"

namespace quotalis::exact {

Result<std::string> Write(const Decimal&, Style) { return Problem{"not yet", 0}; }

Result<KeypadForm> ToKeypad(const Decimal&) { return Problem{"not yet", 0}; }

}  // namespace quotalis::exact
