// What the whole program sets up once, before any window: its name and
// version for the About window, and the faces that stand in for the Windows
// ones its windows are designed with.
#pragma once

namespace quotalis {

void SetUpApplication();

}  // namespace quotalis
