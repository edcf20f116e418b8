// Takes the README's screenshots of the real windows: the main window with a
// recurring decimal converted, the usage message, and the About window. Run
// under an X server (make-screenshots.sh starts Xvfb); writes PNG files into
// the folder given as its argument.
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/frmabout.h"

using quotalis::frmFraction;

namespace {

// The screen around `windows`, with a margin, as the user would see it.
bool Shoot(const QList<QWidget*>& windows, const QString& path) {
  QTest::qWait(300);
  QRect area;
  for (const QWidget* w : windows) area |= w->frameGeometry();
  area.adjust(-8, -8, 8, 8);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(),
                                                                    area.width(), area.height());
  return shot.save(path);
}

void Press(frmFraction& frm, QStringView keys) {
  for (QChar key : keys) {
    QPushButton* button =
        key == u'.' ? frm.cmdDot : frm.cmdKey[static_cast<std::size_t>(key.digitValue())];
    QTest::mouseClick(button, Qt::LeftButton);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    qCritical("usage: quotalis-screenshots OUTPUT-FOLDER");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  quotalis::SetUpApplication();
  frmFraction frm;
  if (!frm.Show() || !QTest::qWaitForWindowExposed(frm.window())) return 1;

  // 0.1666... : the 6 recurs.
  Press(frm, u"0.1666");
  QTest::mouseClick(frm.sclTerm, Qt::LeftButton, {}, QPoint(3, frm.sclTerm->height() / 2));
  QTest::mouseClick(frm.cmdConvert, Qt::LeftButton);
  bool ok = Shoot({frm.window()}, out.filePath(QStringLiteral("main-window.png")));

  QTimer::singleShot(100, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    ok = Shoot({frm.window(), box}, out.filePath(QStringLiteral("usage.png"))) && ok;
    box->close();
  });
  frm.mnuHowtouse->trigger();

  frm.mnuVersion->trigger();
  QWidget* about = frm.About() != nullptr ? frm.About()->window() : nullptr;
  if (about == nullptr || !QTest::qWaitForWindowExposed(about)) return 1;
  ok = Shoot({frm.window(), about}, out.filePath(QStringLiteral("about.png"))) && ok;
  return ok ? 0 : 1;
}
