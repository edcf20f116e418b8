// What a screen reader learns of a LockedLineEdit: its name, and a text that
// it can read, select and copy but not edit. Qt's own interface for a
// QLineEdit would call the box editable, since only its keys are locked.
#pragma once

namespace quotalis {

// Installs the factory that gives every LockedLineEdit this interface (and
// leaves every other object to Qt). Installing it again changes nothing, so
// every box may install it; it holds for as long as the application object
// lives.
void InstallLockedLineEditAccessible();

}  // namespace quotalis
