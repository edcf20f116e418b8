// The About window's life: that there is only ever one, and that every way
// of closing it unloads it and brings the main window back.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "about_fixture.h"
#include "app/application.h"
#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/frmabout.h"
#include "window_fixture.h"

using quotalis::frmAbout;
using quotalis::testing::Controls;
using quotalis::testing::FlushDeletes;
using quotalis::testing::kCaption;
using quotalis::testing::Visible;

namespace {

enum class Way { OkButton, Enter, KeypadEnter, Escape, Close, WindowSystemClose };

void CloseBy(frmAbout& about, Way way) {
  QWidget* form = about.window();
  switch (way) {
    case Way::OkButton: QTest::mouseClick(Controls(about).cmdOK, Qt::LeftButton); break;
    case Way::Enter: QTest::keyClick(form, Qt::Key_Return); break;
    case Way::KeypadEnter: QTest::keyClick(form, Qt::Key_Enter, Qt::KeypadModifier); break;
    case Way::Escape: QTest::keyClick(form, Qt::Key_Escape); break;
    case Way::Close: form->close(); break;
    case Way::WindowSystemClose: form->windowHandle()->close(); break;  // close box, Alt+F4
  }
}

int VisibleAboutWindows() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowTitle() == kCaption) ++count;
  return count;
}

}  // namespace

Q_DECLARE_METATYPE(Way)

class AboutLifecycleTest : public quotalis::testing::AboutTest {
  Q_OBJECT

 private slots:
  void secondChoiceOnlyActivates() {
    frmAbout& about = OpenAbout();
    QWidget* first = about.window();
    Controls(about).lblTitle->setText(QStringLiteral("changed"));
    frm->window()->activateWindow();
    QTRY_VERIFY(frm->window()->isActiveWindow());

    Controls(*frm).mnuVersion->trigger();
    QCOMPARE(frm->About(), &about);
    QCOMPARE(about.window(), first);
    QCOMPARE(Controls(about).lblTitle->text(), QStringLiteral("changed"));  // not refilled
    QCOMPARE(VisibleAboutWindows(), 1);
    QTRY_VERIFY(first->isActiveWindow());
  }

  void closing_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("OK button") << Way::OkButton;
    QTest::newRow("Enter") << Way::Enter;
    QTest::newRow("keypad Enter") << Way::KeypadEnter;
    QTest::newRow("Esc") << Way::Escape;
    QTest::newRow("close()") << Way::Close;
    QTest::newRow("window system close") << Way::WindowSystemClose;
  }

  void closing() {
    QFETCH(Way, way);
    QMainWindow* main = frm->window();
    frmAbout& about = OpenAbout();
    QPointer<QWidget> form = about.window();
    Controls(about).lblTitle->setText(QStringLiteral("changed"));

    CloseBy(about, way);
    QVERIFY(!about.IsLoaded());
    QVERIFY(!about.lblTitle);
    QVERIFY(!Visible(form));
    QTRY_VERIFY(form.isNull());     // destroyed, not just hidden
    QCOMPARE(frm->window(), main);  // shown again, not reloaded
    QVERIFY(main->isVisible());
    QTRY_VERIFY(main->isActiveWindow());

    // The same object loads a new window, filled afresh.
    frm->mnuVersion_Click();
    QCOMPARE(frm->About(), &about);
    QVERIFY(about.IsLoaded());
    QCOMPARE(Controls(about).lblTitle->text(), QStringLiteral("Quotalis"));
    QCOMPARE(VisibleAboutWindows(), 1);
  }

  void closeThenShowAtOnce() {
    // Closing only schedules the deletion; a Show() before it runs must load
    // a new window, not bring back the closing one.
    frmAbout& about = OpenAbout();
    QWidget* old = about.window();
    old->close();
    about.Show();
    QVERIFY(about.window() != old);
    QVERIFY(about.window()->isVisible());
    FlushDeletes();
    QCOMPARE(VisibleAboutWindows(), 1);
  }

  void destroyedWithoutUnload() {
    int unloads = 0;
    QPointer<QWidget> form;
    {
      frmAbout about([&unloads] { ++unloads; });
      about.Show();
      form = about.window();
      QVERIFY(form);
    }
    QVERIFY(form.isNull());
    QCOMPARE(unloads, 0);
  }

  void unloadRunsOnceEachClose() {
    int unloads = 0;
    frmAbout about([&unloads] { ++unloads; });
    for (Way way : {Way::OkButton, Way::Escape, Way::WindowSystemClose}) {
      about.Show();
      QVERIFY(QTest::qWaitForWindowExposed(about.window()));
      const int before = unloads;
      CloseBy(about, way);
      QCOMPARE(unloads, before + 1);
    }
    FlushDeletes();
  }
};

QTEST_MAIN(AboutLifecycleTest)
#include "about_lifecycle_test.moc"
