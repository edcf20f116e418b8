// The Help menu's usage message: its exact text, the box that shows it, the
// button code however the box is dismissed, and that nothing else changes.
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "answer_box.h"
#include "app/application.h"
#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/usage.h"
#include "window_fixture.h"

using quotalis::frmFraction;
using quotalis::HowToUseMessage;
using quotalis::testing::AnswerNextBox;
using quotalis::testing::Controls;
using quotalis::testing::SeenBox;

namespace {

// Typed with the characters as they look; the program spells them as code
// points, so a slip on either side shows up here.
const QString kMessage = QStringLiteral(
    "１．小数を入力する。\r\r"
    "２．循環小数の場合は、ｽｸﾛｰﾙﾊﾞｰで、循環節を指定する。\r\r"
    " 　　循環節の桁が反転表示されます｡\r\r"
    "３．[変換する]ボタンを押す。\r\r"
    "　　分数が表示されます｡");

enum class Way { OkButton, Enter, Escape, CloseBox };

void Dismiss(QMessageBox* box, Way way) {
  switch (way) {
    case Way::OkButton: QTest::mouseClick(box->buttons().value(0), Qt::LeftButton); break;
    case Way::Enter: QTest::keyClick(box, Qt::Key_Return); break;
    case Way::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
    case Way::CloseBox: box->close(); break;
  }
}

// Everything on the main window and in its variables that the message must
// leave alone, one "name=value" a line so that a failure names the culprit.
QStringList State(const frmFraction& frm) {
  const quotalis::testing::MainControls c = Controls(frm);
  return {
      QStringLiteral("entry=") + c.txtNdecimal->text(),
      QStringLiteral("selection=%1+%2")
          .arg(c.txtNdecimal->selectionStart())
          .arg(c.txtNdecimal->selectedText()),
      QStringLiteral("scroll=%1 in %2..%3")
          .arg(c.sclTerm->value())
          .arg(c.sclTerm->minimum())
          .arg(c.sclTerm->maximum()),
      QStringLiteral("fraction=%1/%2").arg(c.txtRnumerator->text(), c.txtRdenominator->text()),
      QStringLiteral("unreduced=%1/%2").arg(c.txtNumerator->text(), c.txtDenominator->text()),
      QStringLiteral("T=%1 %2 %3")
          .arg(QString::fromStdString(frm.Tdecimal), QString::fromStdString(frm.Tnumerator),
               QString::fromStdString(frm.Tdenominator)),
      QStringLiteral("N=%1 %2 %3 %4")
          .arg(frm.Numerator)
          .arg(frm.Denominator)
          .arg(frm.Nlength)
          .arg(frm.Nindex),
  };
}

}  // namespace

Q_DECLARE_METATYPE(Way)

class UsageTest : public quotalis::testing::MainWindowTest {
  Q_OBJECT

 private slots:
  void exactText() {
    const QString message = HowToUseMessage();
    QCOMPARE(message, kMessage);
    QCOMPARE(message.size(), 93);
    QCOMPARE(message.count(QChar(u'\r')), 8);
    QCOMPARE(message.count(QChar(u'\n')), 0);
    QVERIFY(message.startsWith(QStringLiteral("\uFF11\uFF0E")));
    QVERIFY(message.endsWith(QChar(0xFF61)));
    QVERIFY(!message.endsWith(QStringLiteral("\r")));
  }

  void lines_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");
    QTest::newRow("1: full-width item number, ideographic full stop")
        << 0 << 10 << QStringLiteral("\uFF11\uFF0E\u5C0F") << QStringLiteral("\u3002");
    QTest::newRow("2: scroll bar in half-width katakana")
        << 1 << 30 << QStringLiteral("\uFF12\uFF0E\u5FAA") << QStringLiteral("\u3002");
    QTest::newRow("3: one space, two ideographic spaces, half-width full stop")
        << 2 << 18 << QStringLiteral(" \u3000\u3000\u5FAA") << QStringLiteral("\u3059\uFF61");
    QTest::newRow("4: ASCII brackets")
        << 3 << 15 << QStringLiteral("\uFF13\uFF0E[\u5909") << QStringLiteral("\u3059\u3002");
    QTest::newRow("5: two ideographic spaces and no space")
        << 4 << 12 << QStringLiteral("\u3000\u3000\u5206") << QStringLiteral("\u3059\uFF61");
  }

  void lines() {
    QFETCH(int, index);
    QFETCH(int, length);
    QFETCH(QString, begins);
    QFETCH(QString, ends);
    const QStringList lines = HowToUseMessage().split(QStringLiteral("\r\r"));
    QCOMPARE(lines.size(), 5);
    const QString line = lines.at(index);
    QCOMPARE(line.size(), length);
    QVERIFY2(line.startsWith(begins), qPrintable(line));
    QVERIFY2(line.endsWith(ends), qPrintable(line));
    QVERIFY(!line.contains(QChar(u'\r')));
  }

  void scrollBarWord() {
    // ｽｸﾛｰﾙﾊﾞｰ: eight half-width characters, the voiced mark separate.
    const QString word = QStringLiteral("\uFF7D\uFF78\uFF9B\uFF70\uFF99\uFF8A\uFF9E\uFF70");
    QVERIFY(HowToUseMessage().contains(QStringLiteral("\u3001") + word + QStringLiteral("\u3067")));
  }

  void dismiss_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("OK button") << Way::OkButton;
    QTest::newRow("Enter") << Way::Enter;
    QTest::newRow("Esc") << Way::Escape;
    QTest::newRow("close box") << Way::CloseBox;
  }

  void dismiss() {
    QFETCH(Way, way);
    EnterAndConvert();
    if (QTest::currentTestFailed()) return;
    const QStringList before = State(*frm);
    frm->Response = 0;
    frm->Tmessage = QStringLiteral("left over");

    SeenBox seen;
    AnswerNextBox([way](QMessageBox* box) { Dismiss(box, way); }, &seen);
    Controls(*frm).mnuHowtouse->trigger();

    QVERIFY(seen.answered);
    QVERIFY2(!seen.stuck, "the box stayed open");
    QCOMPARE(frm->Response, std::int16_t{1});
    QCOMPARE(frm->Tmessage, kMessage);
    QCOMPARE(seen.title, QStringLiteral("使い方"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, qsizetype{1});
    QVERIFY(seen.modal);
    QCOMPARE(State(*frm), before);
  }

  void shownAsNineLines() {
    SeenBox seen;
    AnswerNextBox([](QMessageBox* box) { Dismiss(box, Way::OkButton); }, &seen);
    frm->mnuHowtouse_Click();
    QVERIFY(seen.answered);
    const QStringList shown = seen.text.split(QChar(u'\n'));
    QCOMPARE(shown.size(), 9);
    for (int i : {1, 3, 5, 7}) QVERIFY2(shown.at(i).isEmpty(), qPrintable(shown.at(i)));
    QVERIFY(shown.at(4).startsWith(QStringLiteral(" \u3000\u3000")));  // indented
    QVERIFY(shown.at(8).startsWith(QStringLiteral("\u3000\u3000")));
    QVERIFY(!seen.text.contains(QChar(u'\r')));
  }

  void sameMessageEachTime() {
    for (int time = 0; time < 3; ++time) {
      SeenBox seen;
      AnswerNextBox([](QMessageBox* box) { Dismiss(box, Way::Escape); }, &seen);
      frm->mnuHowtouse_Click();
      QVERIFY(seen.answered);
      QCOMPARE(frm->Tmessage, kMessage);
      QCOMPARE(frm->Response, std::int16_t{1});
    }
  }

 private:
  // 0.16 with one recurring digit: 1/6, with the 6 highlighted.
  void EnterAndConvert() {
    const quotalis::testing::MainControls c = Controls(*frm);
    for (QPushButton* key : {c.cmdKey[0], c.cmdDot, c.cmdKey[1], c.cmdKey[6]})
      QTest::mouseClick(key, Qt::LeftButton);
    c.sclTerm->setValue(-1);
    QTest::mouseClick(c.cmdConvert, Qt::LeftButton);
    QCOMPARE(c.txtRnumerator->text(), QStringLiteral("1"));
    QCOMPARE(c.txtRdenominator->text(), QStringLiteral("6"));
    QCOMPARE(c.txtNdecimal->selectedText(), QStringLiteral("6"));
  }
};

QTEST_MAIN(UsageTest)
#include "usage_test.moc"
