// What a screen reader learns of a LockedLineEdit: its name, and a text that
// it can read, select and copy but not edit. Qt's own interface for a
// QLineEdit would call the box editable, since only its keys are locked.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace quotalis {

// The factory Qt asks for an object's interface: the read-only one for a
// LockedLineEdit, nothing (so Qt's own) for anything else.
QAccessibleInterface* LockedLineEditAccessibleFor(const QString& className, QObject* object);

// Installs that factory. Installing it again changes nothing, so every box
// may install it; it then holds for as long as the application object lives.
void InstallLockedLineEditAccessible();

}  // namespace quotalis
