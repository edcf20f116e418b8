// The main window's keyboard: first focus, tab order, and Enter and Esc
// acting only on the focused control.

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class WindowFocusTest : public MainWindowTest {
  Q_OBJECT

 private slots:
  void startsEmptyWithTheFocusOnConvert() {
    const MainControls c = Controls(*frm);
    QCOMPARE(QApplication::focusWidget(), c.cmdConvert);
    for (QLineEdit* box :
         {c.txtNdecimal, c.txtRnumerator, c.txtRdenominator, c.txtNumerator, c.txtDenominator}) {
      QVERIFY(box->text().isEmpty());
    }
    QCOMPARE(c.sclTerm->minimum(), 0);
    QCOMPARE(c.sclTerm->maximum(), 0);
    QCOMPARE(c.sclTerm->value(), 0);
    // Enter or Space on Convert then converts the empty entry: nothing changes.
    for (const auto key : {Qt::Key_Return, Qt::Key_Space}) {
      QTest::keyClick(c.cmdConvert, key);
      QCOMPARE(c.txtNdecimal->text(), QString());
      QCOMPARE(c.txtRnumerator->text(), QString());
      QCOMPARE(c.txtNumerator->text(), QString());
      QCOMPARE(frm->Tnumerator, "");
      QCOMPARE(QApplication::focusWidget(), c.cmdConvert);
    }
  }

  // No button is the window's default or cancel button: Enter and Esc in a
  // box or on the scroll bar press nothing.
  void enterAndEscActOnlyOnTheFocus() {
    Press(*frm, u"0.5");
    const MainControls c = Controls(*frm);
    for (QWidget* w : std::initializer_list<QWidget*>{c.txtNdecimal, c.txtRnumerator, c.sclTerm}) {
      w->setFocus();
      for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(w, key);
      }
    }
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("0.5"));
    QCOMPARE(Controls(*frm).txtRnumerator->text(), QString());
    QVERIFY(frm->window()->isVisible());
  }

  void tabOrder() {
    const MainControls c = Controls(*frm);
    const QList<QWidget*> expected = {
        c.txtRnumerator, c.txtRdenominator, c.txtNdecimal, c.sclTerm,   c.cmdKey[0], c.cmdKey[1],
        c.cmdKey[2],     c.cmdKey[3],       c.cmdKey[4],   c.cmdKey[5], c.cmdKey[6], c.cmdKey[7],
        c.cmdKey[8],     c.cmdKey[9],       c.cmdDot,      c.cmdBack,   c.cmdClear,  c.cmdConvert};
    QList<QWidget*> seen;
    for (int i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      seen << QApplication::focusWidget();
    }
    QCOMPARE(seen, expected);
    QCOMPARE(c.txtNumerator->focusPolicy(), Qt::NoFocus);
    QCOMPARE(c.txtDenominator->focusPolicy(), Qt::NoFocus);
    QCOMPARE(c.lblEqual->focusPolicy(), Qt::NoFocus);
  }
};

QTEST_MAIN(WindowFocusTest)
#include "window_focus_test.moc"
