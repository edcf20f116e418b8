// The About window's appearance: what it shows and where, its frame, fonts,
// focus and drawing.
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

#include "about_fixture.h"
#include "app/application.h"
#include "app/frmfraction.h"
#include "help/abouttext.h"
#include "help/frmabout.h"
#include "window_fixture.h"

using quotalis::frmAbout;
using quotalis::testing::Controls;
using quotalis::testing::FlushDeletes;
using quotalis::testing::kCaption;
using quotalis::testing::kCopyright;
using quotalis::testing::kVersion;
using quotalis::testing::Named;

namespace {

const QString kSoftware = QStringLiteral("\uFF7F\uFF8C\uFF84\uFF73\uFF6A\uFF71");  // ｿﾌﾄｳｪｱ

}  // namespace

class AboutWindowTest : public quotalis::testing::AboutTest {
  Q_OBJECT

 private slots:
  void texts() {
    frmAbout& about = OpenAbout();
    QCOMPARE(about.window()->windowTitle(), kCaption);
    QCOMPARE(Controls(about).lblTitle->text(), QStringLiteral("Quotalis"));
    QCOMPARE(Controls(about).lblVersion->text(), kVersion);
    QCOMPARE(Controls(about).lblCopyright->text(), kCopyright);
  }

  void disclaimer() {
    const QString text = quotalis::DisclaimerText();
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines.takeLast().isEmpty());
    for (const QString& line : lines) {
      QVERIFY2(!line.isEmpty(), "empty line");
      QVERIFY2(!line.contains(QChar(u'\r')) && !line.contains(QChar(u'\n')), "lone CR or LF");
    }
    for (int i : {0, 1, 3}) QVERIFY2(lines.at(i).contains(kSoftware), qPrintable(lines.at(i)));
    QVERIFY(!text.contains(QStringLiteral("ソフトウェア")));  // never the full-width word

    // The label shows every line, wrapped within its width and its height.
    frmAbout& about = OpenAbout();
    QLabel* label = Controls(about).lblDisclaimer;
    QVERIFY(label->wordWrap());
    QCOMPARE(label->geometry(), QRect(16, 104, 196, 108));
    QCOMPARE(label->text().split(QChar(u'\n')).mid(0, 5), lines);
    const QString shown = label->text().trimmed();
    const int needed = label->fontMetrics()
                           .boundingRect(QRect(0, 0, label->width(), 10000),
                                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, shown)
                           .height();
    QVERIFY2(needed <= label->height(), qPrintable(QString::number(needed)));
  }

  void frame() {
    QWidget* form = OpenAbout().window();
    QCOMPARE(form->geometry(), QRect(156, 129, 230, 249));
    QCOMPARE(form->minimumSize(), QSize(230, 249));
    QCOMPARE(form->maximumSize(), QSize(230, 249));
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form->isModal());
    QVERIFY(!form->parentWidget());

    const QImage icon = form->windowIcon().pixmap(32, 32).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
  }

  void controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<qreal>("points");
    QTest::newRow("picLogo") << "picLogo" << QRect(8, 8, 36, 36) << 0.0;
    QTest::newRow("cmdOK") << "cmdOK" << QRect(68, 216, 92, 23) << 8.25;
    QTest::newRow("lblTitle") << "lblTitle" << QRect(56, 8, 0, 0) << 9.75;
    QTest::newRow("lblVersion") << "lblVersion" << QRect(56, 32, 0, 0) << 9.75;
    QTest::newRow("lblCopyright") << "lblCopyright" << QRect(56, 56, 0, 0) << 9.75;
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(16, 104, 196, 108) << 9.75;
  }

  void controls() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(qreal, points);
    frmAbout& about = OpenAbout();
    QWidget* control = Control(about, name);
    QVERIFY(control);
    if (place.isEmpty()) {
      // Sized to its text: one line, never wrapped, as wide as the text.
      auto* label = qobject_cast<QLabel*>(control);
      QCOMPARE(label->pos(), place.topLeft());
      QVERIFY(!label->wordWrap());
      QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
      QVERIFY(label->width() <= label->fontMetrics().horizontalAdvance(label->text()) + 2);
      QVERIFY(label->height() < 2 * label->fontMetrics().lineSpacing());
    } else {
      QCOMPARE(control->geometry(), place);
    }
    if (points > 0) {
      const QFont font = control->font();
      QCOMPARE(font.family(), QStringLiteral("ＭＳ Ｐゴシック"));
      QCOMPARE(font.pointSizeF(), points);
      QCOMPARE(font.weight(), QFont::Normal);
      QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }
  }

  // Every control carries its name, the window object's pointer to it is the
  // control of that name, and no other object of the window shares it.
  void controlsCarryTheirNames_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"picLogo", "cmdOK", "Line1_1", "lblCopyright", "lblDisclaimer",
                             "lblVersion", "lblTitle", "Line1_0"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }
  void controlsCarryTheirNames() {
    QFETCH(QString, name);
    frmAbout& about = OpenAbout();
    const std::map<QString, QObject*> members = {
        {"picLogo", about.picLogo},           {"cmdOK", about.cmdOK},
        {"Line1_0", about.Line1[0]},          {"Line1_1", about.Line1[1]},
        {"lblCopyright", about.lblCopyright}, {"lblDisclaimer", about.lblDisclaimer},
        {"lblVersion", about.lblVersion},     {"lblTitle", about.lblTitle}};
    QObject* member = members.at(name);
    QVERIFY(member);
    QCOMPARE(member->objectName(), name);
    QCOMPARE(about.window()->findChildren<QObject*>(name), QList<QObject*>{member});
    QCOMPARE(about.window()->objectName(), QStringLiteral("frmAbout"));
  }

  void longTextIsCutOffNotWrapped() {
    frmAbout& about = OpenAbout();
    for (QLabel* label : {Controls(about).lblTitle, Controls(about).lblCopyright}) {
      label->setText(label->text().repeated(6));
      label->adjustSize();
      QCOMPARE(label->height(), Controls(about).lblVersion->height());
      QVERIFY(label->geometry().right() > about.window()->width());
    }
    QCOMPARE(about.window()->size(), QSize(230, 249));
  }

  // The labels sized to their text end inside the window, which would cut
  // off whatever passed its right edge: measured in the face the window is
  // laid out for.
  void textsFitTheWindow() {
    frmAbout& about = OpenAbout();
    for (QLabel* label :
         {Controls(about).lblTitle, Controls(about).lblVersion, Controls(about).lblCopyright}) {
      QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("IPAPGothic"));
      const int end = label->x() + label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(label->x() + label->width() <= about.window()->width() &&
                   end <= label->x() + label->width(),
               qPrintable(QStringLiteral("\"%1\" ends at %2 px of %3")
                              .arg(label->text())
                              .arg(end)
                              .arg(about.window()->width())));
    }
  }

  void focusAndDefault() {
    frmAbout& about = OpenAbout();
    QVERIFY(Controls(about).cmdOK->isDefault());
    QTRY_VERIFY(Controls(about).cmdOK->hasFocus());
    QTest::keyClick(about.window(), Qt::Key_Tab);
    QVERIFY(Controls(about).cmdOK->hasFocus());  // nothing else takes the focus
  }

  void drawing() {
    frmAbout& about = OpenAbout();
    const QImage shot = about.window()->grab().toImage();
    // The engraved separator: grey, then white two pixels high below it.
    for (int x : {8, 100, 223}) {
      QCOMPARE(QColor(shot.pixel(x, 95)), QColor(128, 128, 128));
      QCOMPARE(QColor(shot.pixel(x, 96)), QColor(Qt::white));
      QCOMPARE(QColor(shot.pixel(x, 97)), QColor(Qt::white));
      QVERIFY(QColor(shot.pixel(x, 94)) != QColor(128, 128, 128));
      QVERIFY(QColor(shot.pixel(x, 98)) != QColor(Qt::white));
    }
    // The logo, the application icon pixel for pixel inside a 2-pixel border.
    const QImage icon = QImage(QStringLiteral(":/quotalis/icon.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(Controls(about).picLogo->frameWidth(), 2);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        QCOMPARE(QColor(shot.pixel(10 + x, 10 + y)), QColor(icon.pixel(x, y)));
  }

 private:
  static QWidget* Control(const frmAbout& about, const QString& name) {
    return Named<QWidget>(about.window(), name);
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
