// The texts the About window is filled with: its caption, version line and
// copyright line.
#include <QString>
#include <QTest>

#include "about_fixture.h"
#include "help/abouttext.h"

using quotalis::testing::kCaption;
using quotalis::testing::kCopyright;

class AboutTextTest : public QObject {
  Q_OBJECT

 private slots:
  void copyrightLine() {
    QCOMPARE(quotalis::CopyrightLine(QStringLiteral("© Quotalis (MIT)")), kCopyright);
    QCOMPARE(quotalis::CopyrightLine(QString()), QStringLiteral("Copyright "));  // the prefix alone
  }

  void versionLine_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("line");
    const QString version = QStringLiteral("\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D ");
    QTest::newRow("this release, no leading zero") << 1 << 1 << 0 << version + "1.1.0";
    QTest::newRow("two-digit minor") << 1 << 10 << 0 << version + "1.10.0";
    QTest::newRow("all zero") << 0 << 0 << 0 << version + "0.0.0";
    QTest::newRow("largest 16-bit numbers")
        << 32767 << 32767 << 32767 << version + "32767.32767.32767";
  }
  void versionLine() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, line);
    QCOMPARE(quotalis::VersionLine(major, minor, revision), line);
  }

  void caption() {
    QCOMPARE(quotalis::AboutCaption(QStringLiteral("Quotalis")), kCaption);
    QCOMPARE(quotalis::AboutCaption(QString()), QStringLiteral("About "));
  }
};

QTEST_MAIN(AboutTextTest)
#include "about_text_test.moc"
