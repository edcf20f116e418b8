// Convert, driven through the window: the entry tests and the warning box,
// the normalised write-back and the period read after it, the unreduced
// fraction in the hidden boxes, the factor lists, and the reduced fraction.
#include <string>

#include "answer_box.h"
#include "reference/worked_table.h"
#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

namespace {

QString Fraction(const QLineEdit* numerator, const QLineEdit* denominator) {
  return numerator->text() + u'/' + denominator->text();
}

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<int> Entries(const FactorArray& list, int count) {
  return {list.begin() + 1, list.begin() + 1 + count};
}

}  // namespace

class ConvertFlowTest : public MainWindowTest {
  Q_OBJECT

  void Convert() { QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton); }

 private slots:
  void convertsThroughTheWindow_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("entry");      // as written back
    QTest::addColumn<int>("kRead");          // the period Convert used
    QTest::addColumn<QString>("unreduced");  // hidden boxes
    QTest::addColumn<QString>("reduced");    // visible boxes
    for (const WorkedRow& row : kWorkedTable) {
      QTest::newRow(std::string(row.name).c_str())
          << Q(row.entry) << row.k << Q(row.normalised) << row.k
          << Q(row.numerator) + u'/' + Q(row.denominator)
          << Q(row.reducedNumerator) + u'/' + Q(row.reducedDenominator);
    }
    QTest::newRow("0.36 recurring") << "0.36" << 2 << "0.36" << 2 << "36/99"
                                    << "4/11";
    QTest::newRow("trailing point") << "1." << 0 << "1" << 0 << "1/1"
                                    << "1/1";
    QTest::newRow("1.0 with k 1 loses its point and k") << "1.0" << 1 << "1" << 0 << "1/1"
                                                        << "1/1";
    QTest::newRow("0.50 with k 2 keeps k 1") << "0.50" << 2 << "0.5" << 1 << "5/9"
                                             << "5/9";
    QTest::newRow("00.25") << "00.25" << 0 << "0.25" << 0 << "25/100"
                           << "1/4";
    QTest::newRow("360") << "360" << 0 << "360" << 0 << "360/1"
                         << "360/1";
    QTest::newRow("prime at the top of the range")
        << "2147483647" << 0 << "2147483647" << 0 << "2147483647/1"
        << "2147483647/1";
    QTest::newRow("2 to the 30th") << "1073741824" << 0 << "1073741824" << 0 << "1073741824/1"
                                   << "1073741824/1";
    QTest::newRow("tiny value stays positional") << ".00001" << 0 << "0.00001" << 0 << "1/100000"
                                                 << "1/100000";
    QTest::newRow("tiny recurring value") << ".000012" << 2 << "0.000012" << 2 << "12/990000"
                                          << "1/82500";
    QTest::newRow("smallest keypad value")
        << ".000000001" << 0 << "0.000000001" << 0 << "1/1000000000"
        << "1/1000000000";
    QTest::newRow("ten digits past 32 bits")
        << "2147483648" << 0 << "2147483648" << 0 << "2147483648/1"
        << "2147483648/1";
    QTest::newRow("largest ten digits") << "9999999999" << 0 << "9999999999" << 0 << "9999999999/1"
                                        << "9999999999/1";
  }
  void convertsThroughTheWindow() {
    QFETCH(QString, keys);
    QFETCH(int, k);
    QFETCH(QString, entry);
    QFETCH(int, kRead);
    QFETCH(QString, unreduced);
    QFETCH(QString, reduced);
    Press(*frm, keys);
    StepLeft(*frm, k);
    QCOMPARE(-Controls(*frm).sclTerm->value(), k);
    Convert();
    QCOMPARE(Controls(*frm).txtNdecimal->text(), entry);
    QCOMPARE(-Controls(*frm).sclTerm->value(), kRead);
    QCOMPARE(Fraction(Controls(*frm).txtNumerator, Controls(*frm).txtDenominator), unreduced);
    QCOMPARE(QString::fromStdString(frm->Tnumerator + "/" + frm->Tdenominator), unreduced);
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator), reduced);
    QCOMPARE(frm->Nlength, entry.size());
    // The focus is back in the entry, with the recurring digits selected.
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).txtNdecimal);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), entry.right(kRead));
    QCOMPARE(Controls(*frm).txtNdecimal->cursorPosition(), entry.size());

    // Convert again: the same entry and the same fractions.
    Convert();
    QCOMPARE(Controls(*frm).txtNdecimal->text(), entry);
    QCOMPARE(Fraction(Controls(*frm).txtNumerator, Controls(*frm).txtDenominator), unreduced);
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator), reduced);
    QCOMPARE(Controls(*frm).txtNdecimal->selectedText(), entry.right(kRead));
  }

  // The lists themselves, before the cancellation as the unreduced terms give
  // them, and after it as the window keeps them.
  void factorListsAfterPairing_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<int>>("nfactor");
    QTest::addColumn<std::vector<int>>("dfactor");
    QTest::newRow("0.5") << "0.5" << 0 << std::vector{1} << std::vector{2, 1};
    QTest::newRow("0.75") << "0.75" << 0 << std::vector{3, 1, 1, 1} << std::vector{2, 2, 1, 1, 1};
    QTest::newRow("1.25") << "1.25" << 0 << std::vector{1, 1, 5, 1} << std::vector{2, 2, 1, 1, 1};
    QTest::newRow("12.34") << "12.34" << 0 << std::vector{1, 617} << std::vector{1, 2, 5, 5, 1};
    QTest::newRow("1.5 recurring") << "1.5" << 1 << std::vector{2, 7} << std::vector{3, 3, 1};
    QTest::newRow("0.9 recurring") << "0.9" << 1 << std::vector{1, 1, 1} << std::vector{1, 1, 1};
    QTest::newRow("0.36 recurring")
        << "0.36" << 2 << std::vector{2, 2, 1, 1, 1} << std::vector{1, 1, 11, 1};
    QTest::newRow("0.1666 recurring") << "0.1666" << 1 << std::vector{1, 1, 1, 1, 1, 1, 1}
                                      << std::vector{1, 1, 2, 1, 3, 1, 1, 1, 1};
    QTest::newRow("0.142857 recurring") << "0.142857" << 6 << std::vector{1, 1, 1, 1, 1, 1, 1}
                                        << std::vector{1, 1, 1, 7, 1, 1, 1, 1};
    QTest::newRow("360") << "360" << 0 << std::vector{2, 2, 2, 3, 3, 5, 1} << std::vector{1};
    QTest::newRow("2 to the 30th fills 31 entries") << "1073741824" << 0 << [] {
      std::vector<int> v(30, 2);
      v.push_back(1);
      return v;
    }() << std::vector{1};
  }
  void factorListsAfterPairing() {
    QFETCH(QString, keys);
    QFETCH(int, k);
    QFETCH(std::vector<int>, nfactor);
    QFETCH(std::vector<int>, dfactor);
    // Stale entries from a longer earlier conversion must not take part.
    Press(*frm, u"C1073741824");
    Convert();
    Press(*frm, QStringLiteral("C") + keys);
    StepLeft(*frm, k);
    Convert();
    QCOMPARE(Entries(frm->Nfactor, frm->Nnterm), nfactor);
    QCOMPARE(Entries(frm->Dfactor, frm->Dnterm), dfactor);
  }

  // A numerator too wide for 32 bits has no list; the denominator's list is
  // still made afresh, not left from the conversion before.
  void tenDigitsLeaveNoStaleList() {
    Press(*frm, u"0.1666");
    StepLeft(*frm, 1);
    Convert();
    QCOMPARE(frm->Dnterm, 9);
    Press(*frm, u"C9999999999");
    Convert();
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator),
             QStringLiteral("9999999999/1"));
    QCOMPARE(Entries(frm->Nfactor, frm->Nnterm), std::vector<int>{});
    QCOMPARE(Entries(frm->Dfactor, frm->Dnterm), std::vector{1});
  }

  void emptyOrZeroEntryChangesNothing_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("empty") << "";
    QTest::newRow("0") << "0";
    QTest::newRow("0.") << "0.";
    QTest::newRow(".0") << ".0";
    QTest::newRow("000") << "000";
    QTest::newRow("0.000") << "0.000";
  }
  void emptyOrZeroEntryChangesNothing() {
    QFETCH(QString, keys);
    Press(*frm, u"0.25");
    Convert();
    Press(*frm, QStringLiteral("C") + keys);
    StepLeft(*frm, 1);
    Controls(*frm).txtRnumerator->setText(QStringLiteral("8"));
    Controls(*frm).txtRdenominator->setText(QStringLiteral("9"));
    const int value = Controls(*frm).sclTerm->value();
    Controls(*frm).cmdConvert->setFocus();
    QTest::keyClick(Controls(*frm).cmdConvert, Qt::Key_Return);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), keys);
    QCOMPARE(Controls(*frm).sclTerm->value(), value);
    QCOMPARE(Fraction(Controls(*frm).txtNumerator, Controls(*frm).txtDenominator),
             QStringLiteral("25/100"));
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator),
             QStringLiteral("8/9"));
    QCOMPARE(frm->Tnumerator, "25");
    QCOMPARE(frm->Tdecimal, "025");
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).cmdConvert);
  }

  void lonePointWarns_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
  }
  void lonePointWarns() {
    QFETCH(QString, how);
    Press(*frm, u".");
    Controls(*frm).txtRnumerator->setText(QStringLiteral("8"));
    Controls(*frm).txtRdenominator->setText(QStringLiteral("9"));
    frm->Response = 0;
    SeenBox seen;
    AnswerNextBox(
        [&how](QMessageBox* box) {
          if (how == u"ok") QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
          if (how == u"enter") QTest::keyClick(box, Qt::Key_Return);
          if (how == u"esc") QTest::keyClick(box, Qt::Key_Escape);
          if (how == u"close") box->close();
        },
        &seen);
    Convert();
    QVERIFY(seen.answered);
    QVERIFY(!seen.stuck);
    QCOMPARE(seen.title, QStringLiteral("入力値"));
    QCOMPARE(seen.text, QStringLiteral("数値を入力してください"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttonTexts, QStringList{QStringLiteral("OK")});
    QVERIFY(seen.modal);
    QCOMPARE(frm->Response, 1);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("."));
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator),
             QStringLiteral("8/9"));
    QCOMPARE(Fraction(Controls(*frm).txtNumerator, Controls(*frm).txtDenominator),
             QStringLiteral("/"));
  }

  void spaceOnConvertConverts() {
    Press(*frm, u"0.75");
    Controls(*frm).cmdConvert->setFocus();
    QTest::keyClick(Controls(*frm).cmdConvert, Qt::Key_Space);
    QCOMPARE(Fraction(Controls(*frm).txtRnumerator, Controls(*frm).txtRdenominator),
             QStringLiteral("3/4"));
  }
};

QTEST_MAIN(ConvertFlowTest)
#include "convert_flow_test.moc"
