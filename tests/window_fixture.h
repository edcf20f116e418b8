// Shared by the window tests: a loaded, shown and active main window for each
// test function, its controls found by their names, and a way to type on its
// keypad.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <array>
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

// The base of the main window's test classes: QtTest calls these inherited
// slots before and after each test function of the class, which gets a fresh
// window in `frm`.
class MainWindowTest : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<frmFraction> frm;

 protected slots:
  void init() {
    frm = OpenMainWindow();
    QVERIFY(frm);
  }
  void cleanup() { frm.reset(); }
};

// The child of `window` named `name`, of type Control; null when there is
// none, or more than one.
template <class Control>
Control* Named(const QObject* window, const QString& name) {
  if (window == nullptr) return nullptr;
  const QList<Control*> found = window->findChildren<Control*>(name);
  return found.size() == 1 ? found.front() : nullptr;
}

// The main window's controls, each found by its design name in the loaded
// window (all null when it is not loaded).
struct MainControls {
  explicit MainControls(const frmFraction& frm) {
    const QObject* w = frm.window();
    txtRnumerator = Named<QLineEdit>(w, QStringLiteral("txtRnumerator"));
    txtRdenominator = Named<QLineEdit>(w, QStringLiteral("txtRdenominator"));
    txtNdecimal = Named<QLineEdit>(w, QStringLiteral("txtNdecimal"));
    lblEqual = Named<QLabel>(w, QStringLiteral("lblEqual"));
    Line1 = Named<QWidget>(w, QStringLiteral("Line1"));
    sclTerm = Named<QScrollBar>(w, QStringLiteral("sclTerm"));
    cmdConvert = Named<QPushButton>(w, QStringLiteral("cmdConvert"));
    cmdClear = Named<QPushButton>(w, QStringLiteral("cmdClear"));
    for (std::size_t i = 0; i < cmdKey.size(); ++i) {
      cmdKey[i] = Named<QPushButton>(w, QStringLiteral("cmdKey%1").arg(i));
    }
    cmdDot = Named<QPushButton>(w, QStringLiteral("cmdDot"));
    cmdBack = Named<QPushButton>(w, QStringLiteral("cmdBack"));
    txtNumerator = Named<QLineEdit>(w, QStringLiteral("txtNumerator"));
    txtDenominator = Named<QLineEdit>(w, QStringLiteral("txtDenominator"));
    mnuFile = Named<QMenu>(w, QStringLiteral("mnuFile"));
    mnuQuit = Named<QAction>(w, QStringLiteral("mnuQuit"));
    mnuHelp = Named<QMenu>(w, QStringLiteral("mnuHelp"));
    mnuHowtouse = Named<QAction>(w, QStringLiteral("mnuHowtouse"));
    mnuVersion = Named<QAction>(w, QStringLiteral("mnuVersion"));
  }

  QLineEdit* txtRnumerator;
  QLineEdit* txtRdenominator;
  QLineEdit* txtNdecimal;
  QLabel* lblEqual;
  QWidget* Line1;
  QScrollBar* sclTerm;
  QPushButton* cmdConvert;
  QPushButton* cmdClear;
  std::array<QPushButton*, 10> cmdKey{};
  QPushButton* cmdDot;
  QPushButton* cmdBack;
  QLineEdit* txtNumerator;
  QLineEdit* txtDenominator;
  QMenu* mnuFile;
  QAction* mnuQuit;
  QMenu* mnuHelp;
  QAction* mnuHowtouse;
  QAction* mnuVersion;
};

inline MainControls Controls(const frmFraction& frm) { return MainControls(frm); }

// Presses keypad buttons with the mouse: digits, "." for the point, "<" for
// BS and "C" for the clear key.
inline void Press(const frmFraction& frm, QStringView keys) {
  for (QChar key : keys) {
    QString name;
    if (key.isDigit()) {
      name = QStringLiteral("cmdKey") + key;
    } else if (key == u'.') {
      name = QStringLiteral("cmdDot");
    } else if (key == u'<') {
      name = QStringLiteral("cmdBack");
    } else if (key == u'C') {
      name = QStringLiteral("cmdClear");
    }
    QTest::mouseClick(Named<QPushButton>(frm.window(), name), Qt::LeftButton);
  }
}

// Moves the period selector k steps to the left with its left arrow button.
inline void StepLeft(const frmFraction& frm, int k) {
  QScrollBar* bar = Controls(frm).sclTerm;
  for (int i = 0; i < k; ++i) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, bar->height() / 2));
  }
}

}  // namespace quotalis::testing
