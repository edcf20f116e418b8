// Shared by the window tests: a loaded, shown and active main window, and a
// way to type on its keypad.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
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

}  // namespace quotalis::testing
