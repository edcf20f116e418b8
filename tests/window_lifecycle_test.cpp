// The main window's life: closing, reloading and quitting.
#include <QTimer>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class WindowLifecycleTest : public MainWindowTest {
  Q_OBJECT

 private slots:
  // Closing the window unloads it; the next show loads it afresh, with the
  // controls at their design values and the variables as they were.
  void closeAndReload() {
    Press(*frm, u"0.1666");
    StepLeft(*frm, 1);
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QPointer<QMainWindow> first = frm->window();
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(frm->txtNdecimal == nullptr);
    QVERIFY(frm->Show());
    QVERIFY(QTest::qWaitForWindowActive(frm->window()));
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QString());
    QCOMPARE(Controls(*frm).txtRnumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtNumerator->text(), QString());
    QCOMPARE(Controls(*frm).sclTerm->minimum(), 0);
    QCOMPARE(Controls(*frm).sclTerm->value(), 0);
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).cmdConvert);
    QCOMPARE(frm->Tnumerator, "1500");
    QCOMPARE(frm->Tdenominator, "9000");
    QCOMPARE(frm->Tdecimal, "01666");
    QCOMPARE(frm->Dnterm, 9);
  }

  // Qt deletes a closed window only when the event loop next runs; a Show()
  // before that loads a new window, which the old one's deletion leaves alone.
  void closeThenShowAtOnce() {
    QPointer<QMainWindow> old = frm->window();
    QVERIFY(old->close());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(frm->window() == nullptr);
    QVERIFY(frm->txtNdecimal == nullptr);
    QVERIFY(frm->Show());
    QVERIFY(frm->window() != old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window()->isVisible());
    Press(*frm, u"1.5");
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("1.5"));
    QCOMPARE(Controls(*frm).sclTerm->minimum(), -1);
  }

  void closingTheLastWindowEndsTheProgram() {
    QTimer::singleShot(0, frm->window(), [this] { frm->window()->close(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!frm->IsLoaded());
  }

  void quitEndsTheProgramAtOnce() {
    Press(*frm, u"12");
    bool closed = false;
    frm->window()->installEventFilter(this);
    closeSeen_ = &closed;
    QTimer::singleShot(0, frm->window(), [this] { Controls(*frm).mnuQuit->trigger(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!closed);  // no close handling ran
    QVERIFY(frm->IsLoaded());
    closeSeen_ = nullptr;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && closeSeen_ != nullptr) *closeSeen_ = true;
    return QObject::eventFilter(watched, event);
  }

 private:
  bool* closeSeen_ = nullptr;
};

QTEST_MAIN(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
