// Shared by the window tests: a loaded, shown and active main window, a way
// to type on its keypad, and a way to answer the modal box a click opens.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"

namespace quotalis::testing {

// A fresh, shown and active main window.
inline std::unique_ptr<frmFraction> OpenMainWindow() {
  SetUpApplication();
  auto frm = std::make_unique<frmFraction>();
  if (!frm->Show()) return nullptr;
  if (!QTest::qWaitForWindowActive(frm->window())) return nullptr;
  return frm;
}

// Presses keypad buttons with the mouse: digits, "." for the point, "<" for
// BS and "C" for the clear key.
inline void Press(frmFraction& frm, QStringView keys) {
  for (QChar key : keys) {
    QPushButton* button = nullptr;
    if (key.isDigit()) {
      button = frm.cmdKey[static_cast<std::size_t>(key.digitValue())];
    } else if (key == u'.') {
      button = frm.cmdDot;
    } else if (key == u'<') {
      button = frm.cmdBack;
    } else if (key == u'C') {
      button = frm.cmdClear;
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }
}

// Moves the period selector k steps to the left with its left arrow button.
inline void StepLeft(frmFraction& frm, int k) {
  for (int i = 0; i < k; ++i) {
    const int y = frm.sclTerm->height() / 2;
    QTest::mouseClick(frm.sclTerm, Qt::LeftButton, {}, QPoint(3, y));
  }
}

struct BoxSeen {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
};

// Arms a timer that waits for the next modal message box, records what it
// shows and dismisses it with `dismiss`; returns what was seen once `act`
// (which opens the box) has returned.
inline BoxSeen AnswerNextBox(const std::function<void()>& act,
                             const std::function<void(QMessageBox*)>& dismiss) {
  BoxSeen seen;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    poll.stop();
    seen.shown = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.modal = box->isModal();
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    dismiss(box);
  });
  poll.start();
  act();
  poll.stop();
  return seen;
}

inline void ClickOk(QMessageBox* box) { QTest::mouseClick(box->buttons().value(0), Qt::LeftButton); }

}  // namespace quotalis::testing
