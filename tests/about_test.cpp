// The About window: what it shows and where, that there is only ever one,
// that every way of closing it brings the main window back (reloading it if
// it had been closed), and that Quit runs no close handling.
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <map>
#include <memory>

#include "app/application.h"
#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/abouttext.h"
#include "help/frmabout.h"
#include "window_fixture.h"

using quotalis::frmAbout;
using quotalis::frmFraction;
using quotalis::testing::Controls;
using quotalis::testing::Named;

namespace {

// The About window's controls, each found by its name in the loaded window
// (all null when it is not loaded).
struct AboutControls {
  explicit AboutControls(const frmAbout& about)
      : picLogo(Named<QLabel>(about.window(), QStringLiteral("picLogo"))),
        cmdOK(Named<QPushButton>(about.window(), QStringLiteral("cmdOK"))),
        lblCopyright(Named<QLabel>(about.window(), QStringLiteral("lblCopyright"))),
        lblDisclaimer(Named<QLabel>(about.window(), QStringLiteral("lblDisclaimer"))),
        lblVersion(Named<QLabel>(about.window(), QStringLiteral("lblVersion"))),
        lblTitle(Named<QLabel>(about.window(), QStringLiteral("lblTitle"))) {}

  QLabel* picLogo;
  QPushButton* cmdOK;
  QLabel* lblCopyright;
  QLabel* lblDisclaimer;
  QLabel* lblVersion;
  QLabel* lblTitle;
};

AboutControls Controls(const frmAbout& about) { return AboutControls(about); }

const QString kCaption = QStringLiteral("About Quotalis");
const QString kVersion = QStringLiteral("\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D 1.1.0");
const QString kCopyright = QStringLiteral("Copyright © 2026 Quotalis");
const QString kSoftware = QStringLiteral("\uFF7F\uFF8C\uFF84\uFF73\uFF6A\uFF71");  // ｿﾌﾄｳｪｱ

enum class Way { OkButton, Enter, KeypadEnter, Escape, Close, WindowSystemClose };

void CloseBy(frmAbout& about, Way way) {
  QWidget* form = about.window();
  switch (way) {
    case Way::OkButton: QTest::mouseClick(Controls(about).cmdOK, Qt::LeftButton); break;
    case Way::Enter: QTest::keyClick(form, Qt::Key_Return); break;
    case Way::KeypadEnter: QTest::keyClick(form, Qt::Key_Enter, Qt::KeypadModifier); break;
    case Way::Escape: QTest::keyClick(form, Qt::Key_Escape); break;
    case Way::Close: form->close(); break;
    case Way::WindowSystemClose: form->windowHandle()->close(); break;  // close box, Alt+F4
  }
}

int VisibleAboutWindows() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowTitle() == kCaption) ++count;
  return count;
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

Q_DECLARE_METATYPE(Way)

// Whether the window still exists and shows.
static bool Visible(const QPointer<QWidget>& window) {
  const QWidget* w = window.data();
  return w != nullptr && w->isVisible();
}

class AboutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    frm = quotalis::testing::OpenMainWindow();
    QVERIFY(frm);
  }

  void cleanup() {
    frm.reset();
    FlushDeletes();
  }

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

  void copyrightLine() {
    QCOMPARE(quotalis::CopyrightLine(QStringLiteral("© 2026 Quotalis")), kCopyright);
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

  void secondChoiceOnlyActivates() {
    frmAbout& about = OpenAbout();
    QWidget* first = about.window();
    Controls(about).lblTitle->setText(QStringLiteral("changed"));
    frm->window()->activateWindow();
    QTRY_VERIFY(frm->window()->isActiveWindow());

    Controls(*frm).mnuVersion->trigger();
    QCOMPARE(frm->About(), &about);
    QCOMPARE(about.window(), first);
    QCOMPARE(Controls(about).lblTitle->text(), QStringLiteral("changed"));  // not refilled
    QCOMPARE(VisibleAboutWindows(), 1);
    QTRY_VERIFY(first->isActiveWindow());
  }

  void closing_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("OK button") << Way::OkButton;
    QTest::newRow("Enter") << Way::Enter;
    QTest::newRow("keypad Enter") << Way::KeypadEnter;
    QTest::newRow("Esc") << Way::Escape;
    QTest::newRow("close()") << Way::Close;
    QTest::newRow("window system close") << Way::WindowSystemClose;
  }

  void closing() {
    QFETCH(Way, way);
    QMainWindow* main = frm->window();
    frmAbout& about = OpenAbout();
    QPointer<QWidget> form = about.window();
    Controls(about).lblTitle->setText(QStringLiteral("changed"));

    CloseBy(about, way);
    QVERIFY(!about.IsLoaded());
    QVERIFY(!about.lblTitle);
    QVERIFY(!Visible(form));
    QTRY_VERIFY(form.isNull());     // destroyed, not just hidden
    QCOMPARE(frm->window(), main);  // shown again, not reloaded
    QVERIFY(main->isVisible());
    QTRY_VERIFY(main->isActiveWindow());

    // The same object loads a new window, filled afresh.
    frm->mnuVersion_Click();
    QCOMPARE(frm->About(), &about);
    QVERIFY(about.IsLoaded());
    QCOMPARE(Controls(about).lblTitle->text(), QStringLiteral("Quotalis"));
    QCOMPARE(VisibleAboutWindows(), 1);
  }

  void closeThenShowAtOnce() {
    // Closing only schedules the deletion; a Show() before it runs must load
    // a new window, not bring back the closing one.
    frmAbout& about = OpenAbout();
    QWidget* old = about.window();
    old->close();
    about.Show();
    QVERIFY(about.window() != old);
    QVERIFY(about.window()->isVisible());
    FlushDeletes();
    QCOMPARE(VisibleAboutWindows(), 1);
  }

  void mainWindowReloaded() {
    // 0.5 converted: the variables get values that the reload must keep.
    QTest::mouseClick(Controls(*frm).cmdDot, Qt::LeftButton);
    QTest::mouseClick(Controls(*frm).cmdKey[5], Qt::LeftButton);
    QTest::mouseClick(Controls(*frm).cmdConvert, Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtRdenominator->text(), QStringLiteral("2"));
    const std::string tdecimal = frm->Tdecimal;
    const std::string tnumerator = frm->Tnumerator;
    const std::string tdenominator = frm->Tdenominator;
    const auto nfactor = frm->Nfactor;
    QVERIFY(!tnumerator.empty());

    frmAbout& about = OpenAbout();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QPointer<QMainWindow> oldMain = frm->window();
    oldMain->close();
    FlushDeletes();
    QVERIFY(oldMain.isNull());
    QVERIFY(!frm->IsLoaded());
    QVERIFY(about.window()->isVisible());  // the program goes on with About alone
    QCOMPARE(lastClosed.count(), 0);

    QTest::mouseClick(Controls(about).cmdOK, Qt::LeftButton);
    QCOMPARE(lastClosed.count(), 0);
    QVERIFY(frm->IsLoaded());  // the single-copy check let it load again
    QMainWindow* main = frm->window();
    QVERIFY(main->isVisible());
    QTRY_VERIFY(main->isActiveWindow());
    // Controls at their design values ...
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QString());
    QCOMPARE(Controls(*frm).txtRnumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtRdenominator->text(), QString());
    QCOMPARE(Controls(*frm).txtNumerator->text(), QString());
    QCOMPARE(Controls(*frm).txtDenominator->text(), QString());
    QCOMPARE(Controls(*frm).sclTerm->value(), 0);
    QCOMPARE(Controls(*frm).sclTerm->minimum(), 0);
    QTRY_VERIFY(Controls(*frm).cmdConvert->hasFocus());
    // ... and the window-level variables as they were.
    QCOMPARE(frm->Tdecimal, tdecimal);
    QCOMPARE(frm->Tnumerator, tnumerator);
    QCOMPARE(frm->Tdenominator, tdenominator);
    QVERIFY(frm->Nfactor == nfactor);
    FlushDeletes();
    QCOMPARE(lastClosed.count(), 0);
  }

  // Both windows closed before the event loop runs again (as when the
  // window manager closes them together): the main window is still loaded
  // afresh, not the closing one shown again.
  void mainAndAboutClosedTogether() {
    frmAbout& about = OpenAbout();
    QPointer<QMainWindow> oldMain = frm->window();
    oldMain->close();
    about.window()->close();
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window() != oldMain.data());
    FlushDeletes();
    QVERIFY(oldMain.isNull());
    QVERIFY(frm->IsLoaded());
    QVERIFY(frm->window()->isVisible());
    QTest::mouseClick(Controls(*frm).cmdKey[7], Qt::LeftButton);
    QCOMPARE(Controls(*frm).txtNdecimal->text(), QStringLiteral("7"));
  }

  void destroyedWithoutUnload() {
    int unloads = 0;
    QPointer<QWidget> form;
    {
      frmAbout about([&unloads] { ++unloads; });
      about.Show();
      form = about.window();
      QVERIFY(form);
    }
    QVERIFY(form.isNull());
    QCOMPARE(unloads, 0);
  }

  void unloadRunsOnceEachClose() {
    int unloads = 0;
    frmAbout about([&unloads] { ++unloads; });
    for (Way way : {Way::OkButton, Way::Escape, Way::WindowSystemClose}) {
      about.Show();
      QVERIFY(QTest::qWaitForWindowExposed(about.window()));
      const int before = unloads;
      CloseBy(about, way);
      QCOMPARE(unloads, before + 1);
    }
    FlushDeletes();
  }

  // Last: it runs the application's event loop and ends it with Quit.
  void quitWithAboutOpen() {
    int unloads = 0;
    frmAbout probe([&unloads] { ++unloads; });
    probe.Show();
    frmAbout& about = OpenAbout();
    QPointer<QWidget> form = about.window();
    QPointer<QMainWindow> main = frm->window();

    QTimer::singleShot(0, frm->window(), [this] { Controls(*frm).mnuQuit->trigger(); });
    QCOMPARE(QApplication::exec(), 0);

    QCOMPARE(unloads, 0);
    QVERIFY(Visible(form));  // never closed: no close handling ran
    QVERIFY(about.IsLoaded());
    QCOMPARE(frm->window(), main.data());  // and the main window was not reloaded
    QVERIFY(probe.IsLoaded());
  }

 private:
  frmAbout& OpenAbout() {
    Controls(*frm).mnuVersion->trigger();
    frmAbout* about = frm->About();
    if (!about || !about->IsLoaded()) qFatal("the About window did not open");
    if (!QTest::qWaitForWindowActive(about->window())) qWarning("the About window is not active");
    return *about;
  }

  static QWidget* Control(const frmAbout& about, const QString& name) {
    return Named<QWidget>(about.window(), name);
  }

  std::unique_ptr<frmFraction> frm;
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
