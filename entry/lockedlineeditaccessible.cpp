#include "entry/lockedlineeditaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "entry/lockedlineedit.h"

namespace quotalis {

namespace {

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
  QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
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

QAccessibleInterface* LockedLineEditAccessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String(LockedLineEdit::staticMetaObject.className()) &&
      object != nullptr && object->isWidgetType()) {
    return new LockedLineEditAccessible(static_cast<QLineEdit*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallLockedLineEditAccessible() {
  // Qt keeps a factory once however often it is installed, and drops them
  // all with the application object, so a later application gets it again.
  QAccessible::installFactory(LockedLineEditAccessibleFor);
}

}  // namespace quotalis
