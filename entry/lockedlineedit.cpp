#include "entry/lockedlineedit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <iterator>

namespace quotalis {

namespace {

// Keys that move the caret, select or copy. Every other key is refused,
// which also keeps out paste, cut, undo and the deleting shortcuts.
constexpr QKeySequence::StandardKey kReadingKeys[] = {
    QKeySequence::MoveToNextChar,        QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextWord,        QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToStartOfLine,     QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextChar,        QKeySequence::SelectPreviousChar,
    QKeySequence::SelectNextWord,        QKeySequence::SelectPreviousWord,
    QKeySequence::SelectStartOfLine,     QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfBlock,    QKeySequence::SelectEndOfBlock,
    QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
    QKeySequence::SelectAll,             QKeySequence::Copy,
    QKeySequence::Deselect,
};

bool IsReadingKey(QKeyEvent* event) {
  return std::any_of(std::begin(kReadingKeys), std::end(kReadingKeys),
                     [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// What a screen reader learns of the box: its name, and a text that it can
// read, select and copy but not edit. Qt's own interface for a QLineEdit
// would call the box editable, since only its keys are locked.
class LockedLineEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LockedLineEditAccessible(QLineEdit* box)
      : QAccessibleWidget(box, QAccessible::EditableText) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.editable = false;
    state.selectableText = true;
    return state;
  }

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !box()->hasSelectedText()) return;
    *start = box()->selectionStart();
    *end = box()->selectionEnd();
  }
  int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { box()->deselect(); }
  void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
  int cursorPosition() const override { return box()->cursorPosition(); }
  void setCursorPosition(int position) override { box()->setCursorPosition(position); }
  QString text(int start, int end) const override {
    return box()->text().mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(box()->text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* AccessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String(LockedLineEdit::staticMetaObject.className()) &&
      object != nullptr && object->isWidgetType()) {
    return new LockedLineEditAccessible(static_cast<QLineEdit*>(object));
  }
  return nullptr;
}

}  // namespace

LockedLineEdit::LockedLineEdit(QWidget* parent) : QLineEdit(parent) {
  [[maybe_unused]] static const bool accessibleInstalled = [] {
    QAccessible::installFactory(AccessibleFor);
    return true;
  }();
  setAcceptDrops(false);
  setDragEnabled(false);
}

void LockedLineEdit::keyPressEvent(QKeyEvent* event) {
  if (IsReadingKey(event)) {
    QLineEdit::keyPressEvent(event);
  } else {
    event->ignore();
  }
}

void LockedLineEdit::inputMethodEvent(QInputMethodEvent* event) { event->ignore(); }

void LockedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the X11 selection.
  if (event->button() == Qt::MiddleButton) {
    event->ignore();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void LockedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(QStringLiteral("コピー"), this, &QLineEdit::copy);
  copy->setEnabled(hasSelectedText());
  QAction* all = menu.addAction(QStringLiteral("すべて選択"), this, &QLineEdit::selectAll);
  all->setEnabled(!text().isEmpty());
  menu.exec(event->globalPos());
}

void LockedLineEdit::focusInEvent(QFocusEvent* event) {
  // QLineEdit selects everything when tabbed into; the selection stands as it was.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason) {
    QFocusEvent kept(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&kept);
    return;
  }
  QLineEdit::focusInEvent(event);
}

void LockedLineEdit::focusOutEvent(QFocusEvent* event) {
  // QLineEdit drops its selection on losing the focus; keep it for the return.
  const int start = selectionStart();
  const int length = selectionLength();
  const int cursor = cursorPosition();
  QLineEdit::focusOutEvent(event);
  if (length > 0 && !hasSelectedText()) {
    setSelection(start, length);
    if (cursor == start) setSelection(start + length, -length);
  }
}

}  // namespace quotalis
