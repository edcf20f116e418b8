#include "exact/canonical.h"

namespace quotalis::exact {

Result<Decimal> Canonical(const Decimal&) { return Problem{"not yet", 0}; }

}  // namespace quotalis::exact
