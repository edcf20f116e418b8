// The keypad: what each press does to the entry, which presses are refused,
// and what an accepted or refused press does to a fraction on show.
#include <QSignalSpy>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class KeypadTest : public MainWindowTest {
  Q_OBJECT

  void ShowResult(const QString& numerator, const QString& denominator) {
    Controls(*frm).txtRnumerator->setText(numerator);
    Controls(*frm).txtRdenominator->setText(denominator);
  }

 private slots:
  void entryFollowsPresses_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("entry");
    QTest::newRow("digits append") << "12"
                                   << "12";
    QTest::newRow("leading zeros stay") << "007"
                                        << "007";
    QTest::newRow("point on empty entry") << "."
                                          << ".";
    QTest::newRow("second point refused") << ".."
                                          << ".";
    QTest::newRow("point after 1.5 refused") << "1.5."
                                             << "1.5";
    QTest::newRow("point first then digits") << ".25"
                                             << ".25";
    QTest::newRow("nine digits then point") << "123456789."
                                            << "123456789.";
    QTest::newRow("ten characters refuse a digit") << "123456789.5"
                                                   << "123456789.";
    QTest::newRow("ten digits refuse digit and point") << "12345678901."
                                                       << "1234567890";
    QTest::newRow("backspace on ten digits") << "1234567890<"
                                             << "123456789";
    QTest::newRow("clear on ten digits") << "1234567890C"
                                         << "";
    QTest::newRow("backspace over the digit") << "1.5<"
                                              << "1.";
    QTest::newRow("backspace over the point") << "1.5<<"
                                              << "1";
    QTest::newRow("point again after its backspace") << "1.5<<."
                                                     << "1.";
    QTest::newRow("backspace on empty entry") << "<"
                                              << "";
    QTest::newRow("clear on empty entry") << "C"
                                          << "";
    QTest::newRow("digits after a clear") << "12C3"
                                          << "3";
    QTest::newRow("backspace to empty, then a point") << "5<."
                                                      << ".";
  }
  void entryFollowsPresses() {
    QFETCH(QString, keys);
    QFETCH(QString, entry);
    Press(*frm, keys);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), entry);
    QCOMPARE(frm->Nlength, entry.size());
  }

  void resultAfterPress_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("blanked");
    QTest::newRow("accepted digit") << "1"
                                    << "2"
                                    << "12" << true;
    QTest::newRow("accepted point") << "1"
                                    << "."
                                    << "1." << true;
    QTest::newRow("point on empty entry") << ""
                                          << "."
                                          << "." << true;
    QTest::newRow("accepted backspace") << "12"
                                        << "<"
                                        << "1" << true;
    QTest::newRow("accepted clear") << "12"
                                    << "C"
                                    << "" << true;
    QTest::newRow("clear on empty entry still blanks") << ""
                                                       << "C"
                                                       << "" << true;
    QTest::newRow("point on 1.5 refused") << "1.5"
                                          << "."
                                          << "1.5" << false;
    QTest::newRow("second point on the lone point") << "."
                                                    << "."
                                                    << "." << false;
    QTest::newRow("backspace on empty entry") << ""
                                              << "<"
                                              << "" << false;
    QTest::newRow("digit on ten characters") << "1234567890"
                                             << "5"
                                             << "1234567890" << false;
    QTest::newRow("point on ten characters") << "1234567890"
                                             << "."
                                             << "1234567890" << false;
  }
  void resultAfterPress() {
    QFETCH(QString, before);
    QFETCH(QString, key);
    QFETCH(QString, entry);
    QFETCH(bool, blanked);
    Press(*frm, before);
    ShowResult(QStringLiteral("3"), QStringLiteral("7"));
    const int minimum = Controls(*frm).sclTerm->minimum();
    Press(*frm, key);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), entry);
    QCOMPARE(Controls(*frm).txtRnumerator->text(), blanked ? QString() : QStringLiteral("3"));
    QCOMPARE(Controls(*frm).txtRdenominator->text(), blanked ? QString() : QStringLiteral("7"));
    if (!blanked) QCOMPARE(Controls(*frm).sclTerm->minimum(), minimum);
  }

  // The entry changes first (and its change handling runs inside that
  // write), then the numerator is blanked, then the denominator.
  void effectsComeInOrder() {
    Press(*frm, u"1");
    ShowResult(QStringLiteral("3"), QStringLiteral("7"));
    QStringList seen;
    QObject::connect(Controls(*frm).txtNdecimal, &QLineEdit::textChanged, frm->window(), [&] {
      seen << QStringLiteral("entry %1 %2/%3, length %4")
                  .arg(Controls(*frm).txtNdecimal->text(), Controls(*frm).txtRnumerator->text(),
                       Controls(*frm).txtRdenominator->text())
                  .arg(frm->Nlength);
    });
    QObject::connect(Controls(*frm).txtRnumerator, &QLineEdit::textChanged, frm->window(), [&] {
      seen << QStringLiteral("numerator blanked, denominator %1")
                  .arg(Controls(*frm).txtRdenominator->text());
    });
    Press(*frm, u"5");
    // Our watcher runs after the program's own change handler: Nlength is current.
    QCOMPARE(seen, QStringList({QStringLiteral("entry 15 3/7, length 2"),
                                QStringLiteral("numerator blanked, denominator 7")}));
  }

  // The point search reads Nlength, which the change handling keeps current.
  void pointSearchStopsAtThePoint() {
    Press(*frm, u"12.34");
    Press(*frm, u".");
    QCOMPARE(frm->Nindex, 3);
  }

  void hiddenBoxesKeepTheUnreducedFraction() {
    Press(*frm, u".75");
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtNumerator->text(), QStringLiteral("75"));
    QCOMPARE(Controls(*frm).txtDenominator->text(), QStringLiteral("100"));
    Press(*frm, u"C12.<<<.5");
    QCOMPARE(Controls(*frm).txtNumerator->text(), QStringLiteral("75"));
    QCOMPARE(Controls(*frm).txtDenominator->text(), QStringLiteral("100"));
  }

  void focusAndHighlightAfterEveryPress() {
    Press(*frm, u"0.123");
    StepLeft(*frm, 2);
    for (QChar key : QStringView(u"45<9")) {
      Press(*frm, QString(key));
      QCOMPARE(QApplication::focusWidget(), Controls(*frm).txtNdecimal);
      QCOMPARE(Controls(*frm).txtNdecimal->selectionLength(), 2);
      QCOMPARE(Controls(*frm).txtNdecimal->selectionEnd(),
               Controls(*frm).txtNdecimal->text().size());
    }
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("0.12349"));
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), QStringLiteral("49"));
  }

  // Enter and Space act on the focused button; nothing is a default button.
  void enterActsOnTheFocusedKey() {
    Controls(*frm).cmdKey[5]->setFocus();
    QTest::keyClick(Controls(*frm).cmdKey[5], Qt::Key_Return);
    Controls(*frm).cmdKey[7]->setFocus();
    QTest::keyClick(Controls(*frm).cmdKey[7], Qt::Key_Enter);
    Controls(*frm).cmdDot->setFocus();
    QTest::keyClick(Controls(*frm).cmdDot, Qt::Key_Space);
    Controls(*frm).cmdBack->setFocus();
    QTest::keyClick(Controls(*frm).cmdBack, Qt::Key_Escape);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("57."));
  }
};

QTEST_MAIN(KeypadTest)
#include "keypad_test.moc"
