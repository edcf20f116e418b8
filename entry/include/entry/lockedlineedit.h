// A text box that the user can read, select and copy from but not change;
// only the program's own writes change it. Unlike a read-only QLineEdit it
// shows its caret, and it keeps its selection when the focus comes and goes,
// so a selection the program made stays on show.
// Screen readers are told it is read-only, as it is to the user.
#pragma once

#include <QLineEdit>

namespace quotalis {

class LockedLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit LockedLineEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace quotalis
