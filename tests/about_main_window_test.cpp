// The About window and the main window together: the main window closed
// behind the About window loads again when it closes, and Quit with the
// About window open runs no close handling.
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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
using quotalis::testing::Visible;

class AboutMainWindowTest : public quotalis::testing::AboutTest {
  Q_OBJECT

 private slots:
  void mainWindowReloaded() {
    // 0.5 converted: the variables get values that the reload must keep.
    QTest::mouseClick(Controls(*frm).cmdDot, Qt::LeftButton);
    QTest::mouseClick(Controls(*frm).cmdKey[5], Qt::LeftButton);
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtRdenominator->text(), QStringLiteral("2"));
    const std::string tdecimal = frm->Tdecimal;
    const std::string tnumerator = frm->Tnumerator;
    const std::string tdenominator = frm->Tdenominator;
    const auto nfactor = frm->Nfactor;
    QVERIFY(!tnumerator.empty());

    frmAbout& about = OpenAbout();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QPointer<QMainWindow> oldMain = frm->window();
    oldMain->close();
    FlushDeletes();
    QVERIFY(oldMain.isNull());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(about.window()->isVisible());  // the program goes on with About alone
    QCOMPARE(lastClosed.count(), 0);

    QTest::mouseClick(Controls(about).cmdOK, Qt::LeftButton);
    QCOMPARE(lastClosed.count(), 0);
    QVERIFY(frm->IsLoaded());  // the single-copy check let it load again
    QMainWindow* main = frm->window();
    QVERIFY(main->isVisible());
    QTRY_VERIFY(main->isActiveWindow());
    // Controls at their design values ...
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QString());
    QCOMPARE(Controls(*frm).txtRnumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtRdenominator->text(), QString());
    QCOMPARE(Controls(*frm).txtNumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtDenominator->text(), QString());
    QCOMPARE(Controls(*frm).sclTerm->value(), 0);
    QCOMPARE(Controls(*frm).sclTerm->minimum(), 0);
    QTRY_VERIFY(Controls(*frm).cmdConvert->hasFocus());
    // ... and the window-level variables as they were.
    QCOMPARE(frm->Tdecimal, tdecimal);
    QCOMPARE(frm->Tnumerator, tnumerator);
    QCOMPARE(frm->Tdenominator, tdenominator);
    QVERIFY(frm->Nfactor == nfactor);
    FlushDeletes();
    QCOMPARE(lastClosed.count(), 0);
  }

  // Both windows closed before the event loop runs again (as when the
  // window manager closes them together): the main window is still loaded
  // afresh, not the closing one shown again.
  void mainAndAboutClosedTogether() {
    frmAbout& about = OpenAbout();
    QPointer<QMainWindow> oldMain = frm->window();
    oldMain->close();
    about.window()->close();
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window() != oldMain.data());
    FlushDeletes();
    QVERIFY(oldMain.isNull());
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window()->isVisible());
    QTest::mouseClick(Controls(*frm).cmdKey[7], Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("7"));
  }

  // Last: it runs the application's event loop and ends it with Quit.
  void quitWithAboutOpen() {
    int unloads = 0;
    frmAbout probe([&unloads] { ++unloads; });
    probe.Show();
    frmAbout& about = OpenAbout();
    QPointer<QWidget> form = about.window();
    QPointer<QMainWindow> main = frm->window();

    QTimer::singleShot(0, frm->window(), [this] { Controls(*frm).mnuQuit->trigger(); });
    QCOMPARE(QApplication::exec(), 0);

    QCOMPARE(unloads, 0);
    QVERIFY(Visible(form));  // never closed: no close handling ran
    QVERIFY(about.IsLoaded());
    QCOMPARE(frm->window(), main.data());  // and the main window was not reloaded
    QVERIFY(probe.IsLoaded());
  }
};

QTEST_MAIN(AboutMainWindowTest)
#include "about_main_window_test.moc"
