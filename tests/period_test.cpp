// The recurring-period selector: the scroll bar's range follows the digits
// after the point, its value clamps as they go, and the last k characters of
// the entry are its selection.
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class PeriodTest : public MainWindowTest {
  Q_OBJECT

  // Entry, k and selection as one text, e.g. "3.14159 k=3 [159]".
  QString State() const {
    const auto* box = Controls(*frm).txtNdecimal;
    return QStringLiteral("%1 k=%2 [%3] min=%4 caret=%5")
        .arg(box->text())
        .arg(-Controls(*frm).sclTerm->value())
        .arg(box->selectedText())
        .arg(Controls(*frm).sclTerm->minimum())
        .arg(box->cursorPosition());
  }

 private slots:
  void rangeFollowsTheEntry_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("minimum");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("digits only") << "123" << 0;
    QTest::newRow("digits followed by the point") << "12." << 0;
    QTest::newRow("the lone point") << "." << 0;
    QTest::newRow("one digit after the point") << "1.5" << -1;
    QTest::newRow("five digits after the point") << "3.14159" << -5;
    QTest::newRow("point first") << ".25" << -2;
    QTest::newRow("nine digits after the point") << ".123456789" << -9;
  }
  void rangeFollowsTheEntry() {
    QFETCH(QString, keys);
    QFETCH(int, minimum);
    Press(*frm, keys);
    QCOMPARE(Controls(*frm).sclTerm->minimum(), minimum);
    QCOMPARE(Controls(*frm).sclTerm->maximum(), 0);
    // As far left as it goes: every digit after the point, and no further.
    StepLeft(*frm, 12);
    QCOMPARE(Controls(*frm).sclTerm->value(), minimum);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), keys.right(-minimum));
    QCOMPARE(Controls(*frm).txtNdecimal->cursorPosition(), keys.size());
  }

  void transitions_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("state");
    QTest::newRow("three steps highlight 159") << "3.14159" << 3 << ""
                                               << "3.14159 k=3 [159] min=-5 caret=7";
    QTest::newRow("a new digit keeps k") << "3.1415" << 2 << "9"
                                         << "3.14159 k=2 [59] min=-5 caret=7";
    QTest::newRow("backspace shrinks k with the digits") << "1.25" << 2 << "<"
                                                         << "1.2 k=1 [2] min=-1 caret=3";
    QTest::newRow("backspace to the point leaves nothing highlighted") << "1.25" << 2 << "<<"
                                                                       << "1. k=0 [] min=0 caret=2";
    QTest::newRow("backspace over the point") << "1.5" << 1 << "<<"
                                              << "1 k=0 [] min=0 caret=1";
    QTest::newRow("clear") << "1.25" << 2 << "C"
                           << " k=0 [] min=0 caret=0";
    QTest::newRow("no point: the thumb cannot move") << "123" << 3 << ""
                                                     << "123 k=0 [] min=0 caret=3";
    QTest::newRow("steps beyond the range stop at it") << "0.12" << 5 << ""
                                                       << "0.12 k=2 [12] min=-2 caret=4";
  }
  void transitions() {
    QFETCH(QString, keys);
    QFETCH(int, steps);
    QFETCH(QString, after);
    QFETCH(QString, state);
    Press(*frm, keys);
    StepLeft(*frm, steps);
    Press(*frm, after);
    QCOMPARE(State(), state);
    // A click that moves nothing changes nothing; any accepted press or move
    // leaves the focus in the entry.
    if (!after.isEmpty()) QCOMPARE(QApplication::focusWidget(), Controls(*frm).txtNdecimal);
  }

  void moveRightShrinksThePeriod() {
    Press(*frm, u"0.123");
    StepLeft(*frm, 3);
    const QRect bar = Controls(*frm).sclTerm->rect();
    QTest::mouseClick(Controls(*frm).sclTerm, Qt::LeftButton, {},
                      QPoint(bar.right() - 3, bar.center().y()));
    QCOMPARE(State(), QStringLiteral("0.123 k=2 [23] min=-3 caret=5"));
  }

  void troughClickStepsByOne() {
    Press(*frm, u"0.123456");
    QStyleOptionSlider option;
    option.initFrom(Controls(*frm).sclTerm);
    option.orientation = Qt::Horizontal;
    option.minimum = Controls(*frm).sclTerm->minimum();
    option.maximum = Controls(*frm).sclTerm->maximum();
    option.sliderPosition = option.sliderValue = Controls(*frm).sclTerm->value();
    option.pageStep = Controls(*frm).sclTerm->pageStep();
    option.singleStep = Controls(*frm).sclTerm->singleStep();
    const QRect groove = Controls(*frm).sclTerm->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubPage, Controls(*frm).sclTerm);
    QVERIFY(groove.isValid());
    QTest::mouseClick(Controls(*frm).sclTerm, Qt::LeftButton, {}, groove.center());
    QCOMPARE(Controls(*frm).sclTerm->value(), -1);
  }

  void arrowKeysStepTheRightWay() {
    Press(*frm, u"0.1234");
    Controls(*frm).sclTerm->setFocus();
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Left);
    QCOMPARE(Controls(*frm).sclTerm->value(), -1);
    // The change hands the focus back to the entry, with the digit selected.
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).txtNdecimal);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), QStringLiteral("4"));
    Controls(*frm).sclTerm->setFocus();
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Left);
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Left);
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Right);
    QCOMPARE(Controls(*frm).sclTerm->value(), -2);
    Controls(*frm).sclTerm->setFocus();
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Home);
    QCOMPARE(Controls(*frm).sclTerm->value(), -4);
    Controls(*frm).sclTerm->setFocus();
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_End);
    QCOMPARE(Controls(*frm).sclTerm->value(), 0);
  }

  void dragReportsOnlyOnRelease() {
    Press(*frm, u"0.123456");
    QSignalSpy changes(Controls(*frm).sclTerm, &QScrollBar::valueChanged);
    QStyleOptionSlider option;
    option.initFrom(Controls(*frm).sclTerm);
    option.orientation = Qt::Horizontal;
    option.minimum = Controls(*frm).sclTerm->minimum();
    option.maximum = 0;
    option.sliderPosition = option.sliderValue = 0;
    option.pageStep = option.singleStep = 1;
    const QRect thumb = Controls(*frm).sclTerm->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, Controls(*frm).sclTerm);
    QTest::mousePress(Controls(*frm).sclTerm, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(Controls(*frm).sclTerm, QPoint(thumb.center().x() - 30, thumb.center().y()));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), QString());
    QTest::mouseRelease(Controls(*frm).sclTerm, Qt::LeftButton, {},
                        QPoint(thumb.center().x() - 30, thumb.center().y()));
    QCOMPARE(changes.count(), 1);
    QVERIFY(Controls(*frm).sclTerm->value() < 0);
    QCOMPARE(Controls(*frm).txtNdecimal->selectionLength(), -Controls(*frm).sclTerm->value());
  }

  // The highlight is kept when the focus goes elsewhere and comes back by Tab.
  void highlightSurvivesFocusChanges() {
    Press(*frm, u"0.25");
    StepLeft(*frm, 2);
    QTest::keyClick(Controls(*frm).txtNdecimal, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).sclTerm);
    QTest::keyClick(Controls(*frm).sclTerm, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).txtNdecimal);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), QStringLiteral("25"));
  }
};

QTEST_MAIN(PeriodTest)
#include "period_test.moc"
