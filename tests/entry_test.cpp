// The keypad and the period selector on plain controls and variables made
// here, with no window of the program: what each press writes and in which
// order, the point search's bound, and the selector's range and highlight.
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "entry/keypad.h"
#include "entry/period.h"

using namespace quotalis;

namespace {

// An entry box, the two result boxes and the variables, as a window holds
// them; every write to a box is recorded as "box=text".
struct Pad {
  QLineEdit entry;
  QLineEdit numerator;
  QLineEdit denominator;
  std::int32_t Nlength = 0;
  std::int32_t Nindex = 0;
  QStringList writes;

  Pad() {
    for (auto [box, name] : {std::pair{&entry, "entry"}, std::pair{&numerator, "numerator"},
                             std::pair{&denominator, "denominator"}}) {
      QObject::connect(box, &QLineEdit::textChanged, box, [this, name](const QString& text) {
        writes << QString::fromLatin1(name) + u'=' + text;
      });
    }
  }

  KeypadTarget Target() { return {entry, numerator, denominator, Nlength, Nindex}; }

  // A fraction on show, and nothing recorded yet.
  void Start(const QString& text) {
    entry.setText(text);
    numerator.setText(QStringLiteral("3"));
    denominator.setText(QStringLiteral("7"));
    Nlength = static_cast<std::int32_t>(text.size());
    writes.clear();
  }
};

}  // namespace

class EntryTest : public QObject {
  Q_OBJECT

 private slots:
  // Each press writes the entry first, then blanks the numerator, then the
  // denominator; a refused press writes nothing.
  void writesInOrder_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("writes");
    const QStringList blanks = {"numerator=", "denominator="};
    QTest::newRow("digit") << "1."
                           << "7" << QStringList{"entry=1.7"} + blanks;
    QTest::newRow("digit to the tenth character")
        << "123456789"
        << "5" << QStringList{"entry=1234567895"} + blanks;
    QTest::newRow("digit on ten characters refused") << "1234567890"
                                                     << "5" << QStringList{};
    QTest::newRow("point") << "12"
                           << "." << QStringList{"entry=12."} + blanks;
    QTest::newRow("point on empty entry") << ""
                                          << "." << QStringList{"entry=."} + blanks;
    QTest::newRow("point after nine digits") << "123456789"
                                             << "." << QStringList{"entry=123456789."} + blanks;
    QTest::newRow("point on ten characters refused") << "1234567890"
                                                     << "." << QStringList{};
    QTest::newRow("second point refused") << "0.5"
                                          << "." << QStringList{};
    QTest::newRow("backspace") << "0.5"
                               << "<" << QStringList{"entry=0."} + blanks;
    QTest::newRow("backspace on empty entry refused") << ""
                                                      << "<" << QStringList{};
    QTest::newRow("clear") << "0.5"
                           << "C" << QStringList{"entry="} + blanks;
    QTest::newRow("clear on empty entry blanks only") << ""
                                                      << "C" << blanks;
  }
  void writesInOrder() {
    QFETCH(QString, before);
    QFETCH(QString, key);
    QFETCH(QStringList, writes);
    Pad pad;
    pad.Start(before);
    if (key == u"<") {
      PressBack(pad.Target());
    } else if (key == u"C") {
      PressClear(pad.Target());
    } else if (key == u".") {
      PressPoint(pad.Target());
    } else {
      PressDigit(pad.Target(), static_cast<std::int16_t>(key.toInt()));
    }
    QCOMPARE(pad.writes, writes);
    if (writes.isEmpty()) {
      QCOMPARE(pad.entry.text(), before);
      QCOMPARE(pad.numerator.text(), QStringLiteral("3"));
      QCOMPARE(pad.denominator.text(), QStringLiteral("7"));
    }
  }

  // The search for a point runs to Nlength as it stood when the press began,
  // reading the entry at each position, and leaves Nindex where it stopped.
  void pointSearchBound_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("nlength");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("nindex");
    QTest::newRow("stops at the point") << "12.34" << 5 << "12.34" << 3;
    QTest::newRow("point first") << ".5" << 2 << ".5" << 1;
    QTest::newRow("no point: runs past the end") << "12" << 2 << "12." << 3;
    QTest::newRow("empty entry: no step at all") << "" << 0 << "." << 1;
    QTest::newRow("bound short of the point") << "1.5" << 1 << "1.5." << 2;
    QTest::newRow("bound 0 searches nothing") << "1.5" << 0 << "1.5." << 1;
    QTest::newRow("ten characters: no search") << "123456789." << 10 << "123456789." << -7;
  }
  void pointSearchBound() {
    QFETCH(QString, entry);
    QFETCH(int, nlength);
    QFETCH(QString, after);
    QFETCH(int, nindex);
    Pad pad;
    pad.Start(entry);
    pad.Nlength = nlength;
    pad.Nindex = -7;
    PressPoint(pad.Target());
    QCOMPARE(pad.entry.text(), after);
    QCOMPARE(pad.Nindex, nindex);
    QCOMPARE(pad.Nlength, nlength);  // read, never written
  }

  // An unchanged write neither drops the selection nor counts as a change.
  void setEntryTextSkipsUnchangedWrites() {
    QLineEdit entry(QStringLiteral("0.25"));
    entry.setSelection(2, 2);
    QSignalSpy changes(&entry, &QLineEdit::textChanged);
    SetEntryText(entry, QStringLiteral("0.25"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(entry.selectedText(), QStringLiteral("25"));
    SetEntryText(entry, QStringLiteral("0.2"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(entry.text(), QStringLiteral("0.2"));
  }

  // The selector's range follows the entry, its value clamps into it, and
  // the last k characters are selected with the caret after them.
  void followEntry_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("minimumBefore");
    QTest::addColumn<int>("valueBefore");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("nindex");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("caret");
    QTest::newRow("empty") << "" << 0 << 0 << 0 << 0 << 1 << "" << 0;
    QTest::newRow("digits only") << "123" << 0 << 0 << 0 << 0 << 4 << "" << 3;
    QTest::newRow("trailing point") << "12." << 0 << 0 << 0 << 0 << 4 << "" << 3;
    QTest::newRow("lone point") << "." << 0 << 0 << 0 << 0 << 2 << "" << 1;
    QTest::newRow("five after the point") << "3.14159" << 0 << 0 << -5 << 0 << 8 << "" << 7;
    QTest::newRow("value kept in range") << "3.14159" << -5 << -3 << -5 << -3 << 8 << "159" << 7;
    QTest::newRow("value clamped by the new minimum")
        << "1.2" << -2 << -2 << -1 << -1 << 4 << "2" << 3;
    QTest::newRow("point gone: value back to 0") << "12" << -2 << -2 << 0 << 0 << 3 << "" << 2;
    QTest::newRow("nine after a leading point")
        << ".123456789" << 0 << 0 << -9 << 0 << 11 << "" << 10;
    QTest::newRow("several points: the last decides")
        << "1.2.34" << -5 << -4 << -2 << -2 << 7 << "34" << 6;
  }
  void followEntry() {
    QFETCH(QString, entry);
    QFETCH(int, minimumBefore);
    QFETCH(int, valueBefore);
    QFETCH(int, minimum);
    QFETCH(int, value);
    QFETCH(int, nindex);
    QFETCH(QString, selected);
    QFETCH(int, caret);
    QLineEdit box(entry);
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(minimumBefore, 0);
    bar.setValue(valueBefore);
    std::int32_t nlength = -1;
    std::int32_t index = -1;
    FollowEntry({box, bar, nlength, index});
    QCOMPARE(nlength, entry.size());
    QCOMPARE(index, nindex);
    QCOMPARE(bar.minimum(), minimum);
    QCOMPARE(bar.maximum(), 0);
    QCOMPARE(bar.value(), value);
    QCOMPARE(box.selectedText(), selected);
    QCOMPARE(box.cursorPosition(), caret);
  }

  void highlight_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("start");
    QTest::newRow("nothing recurs") << 0 << "" << -1;
    QTest::newRow("one digit") << -1 << "6" << 5;
    QTest::newRow("every digit after the point") << -4 << "1666" << 2;
  }
  void highlight() {
    QFETCH(int, value);
    QFETCH(QString, selected);
    QFETCH(int, start);
    QLineEdit box(QStringLiteral("0.1666"));
    box.selectAll();
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(-4, 0);
    bar.setValue(value);
    HighlightRecurringDigits(box, bar);
    QCOMPARE(box.selectedText(), selected);
    QCOMPARE(box.selectionStart(), start);
    QCOMPARE(box.cursorPosition(), 6);
  }
};

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
