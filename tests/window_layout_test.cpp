// The main window as it opens: frame, names, layout, captions, fonts and
// menus.
#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <map>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class WindowLayoutTest : public MainWindowTest {
  Q_OBJECT

  QWidget* Control(const QString& name) const { return Named<QWidget>(frm->window(), name); }

 private slots:
  void frame() {
    QMainWindow* w = frm->window();
    QCOMPARE(w->windowTitle(), QStringLiteral("Quotalis"));
    QCOMPARE(w->centralWidget()->size(), QSize(311, 306));
    QCOMPARE(w->centralWidget()->y(), w->menuBar()->height());
    QCOMPARE(w->minimumSize(), w->maximumSize());
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!w->windowIcon().isNull());
    const QPoint centre = w->screen()->availableGeometry().center();
    QVERIFY((w->geometry().center() - centre).manhattanLength() <= 2);
  }

  // Every control carries its design name, the window's pointer to it is the
  // control of that name, and no other object of the window shares it.
  void controlsCarryTheirNames_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"txtRnumerator", "txtRdenominator", "txtNdecimal", "lblEqual", "Line1", "sclTerm",
          "cmdConvert", "cmdClear", "cmdDot", "cmdBack", "txtNumerator", "txtDenominator",
          "mnuFile", "mnuQuit", "mnuHelp", "mnuHowtouse", "mnuVersion"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
    for (int digit = 0; digit < 10; ++digit) {
      const QString name = QStringLiteral("cmdKey%1").arg(digit);
      QTest::newRow(qPrintable(name)) << name;
    }
  }
  void controlsCarryTheirNames() {
    QFETCH(QString, name);
    const std::map<QString, QObject*> members = {{"txtRnumerator", frm->txtRnumerator},
                                                 {"txtRdenominator", frm->txtRdenominator},
                                                 {"txtNdecimal", frm->txtNdecimal},
                                                 {"lblEqual", frm->lblEqual},
                                                 {"Line1", frm->Line1},
                                                 {"sclTerm", frm->sclTerm},
                                                 {"cmdConvert", frm->cmdConvert},
                                                 {"cmdClear", frm->cmdClear},
                                                 {"cmdDot", frm->cmdDot},
                                                 {"cmdBack", frm->cmdBack},
                                                 {"txtNumerator", frm->txtNumerator},
                                                 {"txtDenominator", frm->txtDenominator},
                                                 {"mnuFile", frm->mnuFile},
                                                 {"mnuQuit", frm->mnuQuit},
                                                 {"mnuHelp", frm->mnuHelp},
                                                 {"mnuHowtouse", frm->mnuHowtouse},
                                                 {"mnuVersion", frm->mnuVersion}};
    QObject* member =
        name.startsWith(u"cmdKey") ? frm->cmdKey.at(name.mid(6).toUInt()) : members.at(name);
    QVERIFY(member);
    QCOMPARE(member->objectName(), name);
    QCOMPARE(frm->window()->findChildren<QObject*>(name), QList<QObject*>{member});
    QCOMPARE(frm->window()->objectName(), QStringLiteral("frmFraction"));
  }

  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");  // logical pixels: twips / 15
    QTest::newRow("txtRnumerator") << "txtRnumerator" << QRect(176, 10, 113, 28);
    QTest::newRow("txtRdenominator") << "txtRdenominator" << QRect(176, 56, 113, 28);
    QTest::newRow("txtNdecimal") << "txtNdecimal" << QRect(16, 32, 121, 28);
    QTest::newRow("lblEqual") << "lblEqual" << QRect(144, 32, 25, 25);
    QTest::newRow("Line1") << "Line1" << QRect(168, 47, 128, 2);
    QTest::newRow("sclTerm") << "sclTerm" << QRect(16, 64, 121, 25);
    QTest::newRow("cmdConvert") << "cmdConvert" << QRect(72, 107, 110, 33);
    QTest::newRow("cmdClear") << "cmdClear" << QRect(186, 107, 53, 33);
    QTest::newRow("cmdKey7") << "cmdKey7" << QRect(72, 144, 53, 33);
    QTest::newRow("cmdKey8") << "cmdKey8" << QRect(129, 144, 53, 33);
    QTest::newRow("cmdKey9") << "cmdKey9" << QRect(186, 144, 53, 33);
    QTest::newRow("cmdKey4") << "cmdKey4" << QRect(72, 181, 53, 33);
    QTest::newRow("cmdKey5") << "cmdKey5" << QRect(129, 181, 53, 33);
    QTest::newRow("cmdKey6") << "cmdKey6" << QRect(186, 181, 53, 33);
    QTest::newRow("cmdKey1") << "cmdKey1" << QRect(72, 218, 53, 33);
    QTest::newRow("cmdKey2") << "cmdKey2" << QRect(129, 218, 53, 33);
    QTest::newRow("cmdKey3") << "cmdKey3" << QRect(186, 218, 53, 33);
    QTest::newRow("cmdKey0") << "cmdKey0" << QRect(72, 255, 53, 33);
    QTest::newRow("cmdDot") << "cmdDot" << QRect(129, 255, 53, 33);
    QTest::newRow("cmdBack") << "cmdBack" << QRect(186, 255, 53, 33);
    QTest::newRow("txtNumerator") << "txtNumerator" << QRect(472, 32, 65, 25);
    QTest::newRow("txtDenominator") << "txtDenominator" << QRect(472, 80, 65, 25);
  }
  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QWidget* control = Control(name);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(control->parentWidget(), frm->window()->centralWidget());
  }

  void captionsAndFonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("accessibleName");
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    const QString sans = QStringLiteral("MS Sans Serif");
    QTest::newRow("txtRnumerator") << "txtRnumerator"
                                   << "" << gothic << 14.25 << "分子";
    QTest::newRow("txtRdenominator") << "txtRdenominator"
                                     << "" << gothic << 14.25 << "分母";
    QTest::newRow("txtNdecimal") << "txtNdecimal"
                                 << "" << gothic << 14.25 << "小数";
    QTest::newRow("lblEqual") << "lblEqual"
                              << "=" << gothic << 24.0 << "";
    QTest::newRow("cmdConvert") << "cmdConvert"
                                << "Convert" << sans << 9.75 << "変換";
    QTest::newRow("cmdClear") << "cmdClear"
                              << "C" << sans << 12.0 << "クリア";
    QTest::newRow("cmdDot") << "cmdDot"
                            << "." << sans << 24.0 << "小数点";
    QTest::newRow("cmdBack") << "cmdBack"
                             << "BS" << sans << 12.0 << "1文字削除";
    for (int digit = 0; digit < 10; ++digit) {
      const QString d = QString::number(digit);
      const QString name = QStringLiteral("cmdKey") + d;
      QTest::newRow(qPrintable(name)) << name << d << sans << 12.0 << d;
    }
  }
  void captionsAndFonts() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(QString, accessibleName);
    QWidget* control = Control(name);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(button->text(), caption);
      QVERIFY(button->autoDefault());
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->text(), caption);
    } else {
      QCOMPARE(qobject_cast<QLineEdit*>(control)->text(), caption);
      QCOMPARE(qobject_cast<QLineEdit*>(control)->alignment() & Qt::AlignHorizontal_Mask,
               Qt::AlignRight);
    }
    QCOMPARE(control->font().family(), family);
    QCOMPARE(control->font().pointSizeF(), points);
    QVERIFY(control->font().bold());
    if (!accessibleName.isEmpty()) {
      QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
               accessibleName);
    }
  }

  // The Japanese face really draws the captions: it resolves to the IPA gothic.
  void japaneseFaceIsSubstituted() {
    const QFontInfo info(Controls(*frm).txtNdecimal->font());
    QVERIFY2(info.family().startsWith(u"IPA"), qPrintable(info.family()));
  }

  void menus() {
    const QList<QAction*> top = frm->window()->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QStringLiteral("ﾌｧｲﾙ"));
    QCOMPARE(top[1]->text(), QStringLiteral("ﾍﾙﾌﾟ"));
    const QList<QAction*> file = Controls(*frm).mnuFile->actions();
    QCOMPARE(file.size(), 1);
    QCOMPARE(file[0], Controls(*frm).mnuQuit);
    QCOMPARE(Controls(*frm).mnuQuit->text(), QStringLiteral("終了"));
    const QList<QAction*> help = Controls(*frm).mnuHelp->actions();
    QCOMPARE(help.size(), 3);
    QCOMPARE(help[0]->text(), QStringLiteral("使い方"));
    QVERIFY(help[1]->isSeparator());
    QCOMPARE(help[2]->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    for (QAction* action : top + file + help) {
      QVERIFY(action->shortcut().isEmpty());
      QVERIFY(!action->isCheckable());
    }
    QVERIFY(!frm->window()->menuBar()->isNativeMenuBar());
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
