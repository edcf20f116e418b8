#include "app/msgbox.h"

#include <QMessageBox>

namespace quotalis {

namespace {

QMessageBox::Icon IconFor(int style) {
  switch (style & 0x70) {
    case msgbox::kCritical: return QMessageBox::Critical;
    case msgbox::kQuestion: return QMessageBox::Question;
    case msgbox::kExclamation: return QMessageBox::Warning;
    case msgbox::kInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The code of the button that dismissed the box; OK is the only one offered.
std::int16_t CodeFor(int button) { return button == QMessageBox::Ok ? msgbox::kOk : 0; }

}  // namespace

std::int16_t MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) {
  // Prompts break lines with carriage returns alone; some styles draw a lone
  // CR as nothing, so the box is given a copy with line feeds.
  QString shown = prompt;
  shown.replace(QChar(u'\r'), QChar(u'\n'));
  QMessageBox box(IconFor(style), title, shown, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  // Esc and the close box answer with the escape button, which Qt takes to
  // be the only button there is.
  return CodeFor(box.exec());
}

}  // namespace quotalis
