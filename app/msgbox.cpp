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

}  // namespace

std::int16_t MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) {
  // Prompts break lines with carriage returns alone; some styles draw a lone
  // CR as nothing, so the box is given a copy with line feeds.
  QString shown = prompt;
  shown.replace(QChar(u'\r'), QChar(u'\n'));
  QMessageBox box(IconFor(style), title, shown, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  return msgbox::kOk;
}

}  // namespace quotalis
