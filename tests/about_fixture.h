// Shared by the About window's tests: its controls found by their names,
// the texts it shows, and a way to open it from the main window.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

#include "app/frmfraction.h"
#include "help/frmabout.h"
#include "window_fixture.h"

namespace quotalis::testing {

// The About window's controls, each found by its name in the loaded window
// (all null when it is not loaded).
struct AboutControls {
  explicit AboutControls(const frmAbout& about)
      : picLogo(Named<QLabel>(about.window(), QStringLiteral("picLogo"))),
        cmdOK(Named<QPushButton>(about.window(), QStringLiteral("cmdOK"))),
        lblCopyright(Named<QLabel>(about.window(), QStringLiteral("lblCopyright"))),
        lblDisclaimer(Named<QLabel>(about.window(), QStringLiteral("lblDisclaimer"))),
        lblVersion(Named<QLabel>(about.window(), QStringLiteral("lblVersion"))),
        lblTitle(Named<QLabel>(about.window(), QStringLiteral("lblTitle"))) {}

  QLabel* picLogo;
  QPushButton* cmdOK;
  QLabel* lblCopyright;
  QLabel* lblDisclaimer;
  QLabel* lblVersion;
  QLabel* lblTitle;
};

inline AboutControls Controls(const frmAbout& about) { return AboutControls(about); }

inline const QString kCaption = QStringLiteral("About Quotalis");
inline const QString kVersion = QStringLiteral("\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D 1.1.0");
inline const QString kCopyright = QStringLiteral("Copyright © Quotalis (MIT)");

inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Whether the window still exists and shows.
inline bool Visible(const QPointer<QWidget>& window) {
  const QWidget* w = window.data();
  return w != nullptr && w->isVisible();
}

// The About window of `frm`, opened from its menu and active.
inline frmAbout& OpenAbout(frmFraction& frm) {
  Controls(frm).mnuVersion->trigger();
  frmAbout* about = frm.About();
  if (!about || !about->IsLoaded()) qFatal("the About window did not open");
  if (!QTest::qWaitForWindowActive(about->window())) qWarning("the About window is not active");
  return *about;
}

// The base of the About window's test classes: the main window's, with the
// About window opened from it and, once closed, deleted after each test function.
class AboutTest : public MainWindowTest {
  Q_OBJECT

 protected:
  frmAbout& OpenAbout() { return testing::OpenAbout(*frm); }

 protected slots:
  void cleanup() {
    MainWindowTest::cleanup();
    FlushDeletes();
  }
};

}  // namespace quotalis::testing
