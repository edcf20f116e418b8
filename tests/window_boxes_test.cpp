// What the user cannot do to the main window's boxes: type, paste or drop
// into them, see the unreduced fraction; and how screen readers hear them.
#include <QAccessible>
#include <QClipboard>
#include <QInputMethodEvent>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class WindowBoxesTest : public MainWindowTest {
  Q_OBJECT

  QWidget* Control(const QString& name) const { return Named<QWidget>(frm->window(), name); }

 private slots:
  // A screen reader hears the three boxes as read-only text, with their
  // value and the highlighted digits as the selection.
  void boxesReadOnlyToScreenReaders() {
    Press(*frm, u"0.1666");
    StepLeft(*frm, 1);
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    const QList<std::pair<QLineEdit*, QString>> boxes = {
        {Controls(*frm).txtNdecimal, QStringLiteral("0.1666")},
        {Controls(*frm).txtRnumerator, QStringLiteral("1")},
        {Controls(*frm).txtRdenominator, QStringLiteral("6")}};
    for (const auto& [box, value] : boxes) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
      QVERIFY(iface);
      QVERIFY(iface->state().readOnly);
      QVERIFY(!iface->state().editable);
      QVERIFY(iface->state().focusable);
      QCOMPARE(iface->text(QAccessible::Value), value);
      QAccessibleTextInterface* text = iface->textInterface();
      QVERIFY(text);
      QCOMPARE(text->characterCount(), value.size());
      QCOMPARE(text->text(0, text->characterCount()), value);
    }
    QAccessibleTextInterface* entry =
        QAccessible::queryAccessibleInterface(Controls(*frm).txtNdecimal)->textInterface();
    QCOMPARE(entry->selectionCount(), 1);
    int start = -1;
    int end = -1;
    entry->selection(0, &start, &end);
    QCOMPARE(start, 5);
    QCOMPARE(end, 6);
    QCOMPARE(entry->cursorPosition(), 6);
  }

  // Only the program writes the three visible boxes: keys, input methods,
  // pastes and drops from the user change nothing.
  void typingChangesNothing_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("entry") << "txtNdecimal";
    QTest::newRow("reduced numerator") << "txtRnumerator";
    QTest::newRow("reduced denominator") << "txtRdenominator";
  }
  void typingChangesNothing() {
    QFETCH(QString, box);
    Press(*frm, u"1.25");
    StepLeft(*frm, 1);
    auto* edit = qobject_cast<QLineEdit*>(Control(box));
    edit->setText(box == u"txtNdecimal" ? QStringLiteral("1.25") : QStringLiteral("45"));
    const QString before = edit->text();
    edit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("999"));
    QTest::keyClicks(edit, QStringLiteral("7.x"));
    for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete}) QTest::keyClick(edit, key);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const auto key :
         {Qt::Key_V, Qt::Key_X, Qt::Key_Z, Qt::Key_Y, Qt::Key_K, Qt::Key_U, Qt::Key_W}) {
      QTest::keyClick(edit, key, Qt::ControlModifier);
    }
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Backspace, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("五"));
    QApplication::sendEvent(edit, &commit);
    QTest::mouseClick(edit, Qt::MiddleButton);
    QCOMPARE(edit->text(), before);
    QVERIFY(!edit->acceptDrops());
    // It can still be read: select and copy work.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(edit->selectedText(), before);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), before);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(edit->selectedText(), before.left(1));
  }

  // Nothing the user can see shows the unreduced fraction.
  void unreducedFractionStaysOutOfSight() {
    Press(*frm, u"0.75");
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtNumerator->text(), QStringLiteral("75"));
    const QRect client = frm->window()->centralWidget()->rect();
    for (QLineEdit* box : {Controls(*frm).txtNumerator, Controls(*frm).txtDenominator}) {
      QVERIFY(!client.intersects(box->geometry()));
      QVERIFY(!box->isVisible());  // nor does a screen reader find it
      QVERIFY(QAccessible::queryAccessibleInterface(box)->state().invisible);
    }
  }
};

QTEST_MAIN(WindowBoxesTest)
#include "window_boxes_test.moc"
