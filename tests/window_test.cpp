// The main window as it opens: frame, layout, captions, fonts, menus, tab
// order and first focus; what the user cannot do to its boxes; closing,
// reloading and quitting.
#include <QAccessible>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <map>

#include "window_fixture.h"

using namespace quotalis;
using namespace quotalis::testing;

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<frmFraction> frm;

  QWidget* Control(const QString& name) const { return Named<QWidget>(frm->window(), name); }

 private slots:
  void init() {
    frm = OpenMainWindow();
    QVERIFY(frm);
  }
  void cleanup() { frm.reset(); }

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

  // Closing the window unloads it; the next show loads it afresh, with the
  // controls at their design values and the variables as they were.
  void closeAndReload() {
    Press(*frm, u"0.1666");
    StepLeft(*frm, 1);
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QPointer<QMainWindow> first = frm->window();
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(frm->txtNdecimal == nullptr);
    QVERIFY(frm->Show());
    QVERIFY(QTest::qWaitForWindowActive(frm->window()));
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QString());
    QCOMPARE(Controls(*frm).txtRnumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtNumerator->text(), QString());
    QCOMPARE(Controls(*frm).sclTerm->minimum(), 0);
    QCOMPARE(Controls(*frm).sclTerm->value(), 0);
    QCOMPARE(QApplication::focusWidget(), Controls(*frm).cmdConvert);
    QCOMPARE(frm->Tnumerator, "1500");
    QCOMPARE(frm->Tdenominator, "9000");
    QCOMPARE(frm->Tdecimal, "01666");
    QCOMPARE(frm->Dnterm, 9);
  }

  // Qt deletes a closed window only when the event loop next runs; a Show()
  // before that loads a new window, which the old one's deletion leaves alone.
  void closeThenShowAtOnce() {
    QPointer<QMainWindow> old = frm->window();
    QVERIFY(old->close());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(frm->window() == nullptr);
    QVERIFY(frm->txtNdecimal == nullptr);
    QVERIFY(frm->Show());
    QVERIFY(frm->window() != old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window()->isVisible());
    Press(*frm, u"1.5");
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("1.5"));
    QCOMPARE(Controls(*frm).sclTerm->minimum(), -1);
  }

  void closingTheLastWindowEndsTheProgram() {
    QTimer::singleShot(0, frm->window(), [this] { frm->window()->close(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!frm->IsLoaded());
  }

  void quitEndsTheProgramAtOnce() {
    Press(*frm, u"12");
    bool closed = false;
    frm->window()->installEventFilter(this);
    closeSeen_ = &closed;
    QTimer::singleShot(0, frm->window(), [this] { Controls(*frm).mnuQuit->trigger(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!closed);  // no close handling ran
    QVERIFY(frm->IsLoaded());
    closeSeen_ = nullptr;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && closeSeen_ != nullptr) *closeSeen_ = true;
    return QObject::eventFilter(watched, event);
  }

 private:
  bool* closeSeen_ = nullptr;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
