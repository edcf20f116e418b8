#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "quotalis/version.h"
#include "resources/design.h"

namespace quotalis {

void SetUpApplication() {
  QApplication::setApplicationName(QString::fromUtf8(version::kTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(version::kText));
  // Lets the desktop match the windows to the installed .desktop entry.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(version::kApplicationId));
  QApplication::setWindowIcon(QIcon(design::kIconPath));
  // The IPA faces first (the layout is made for them), then other Japanese
  // gothic faces of the same kind, before whatever the system would pick.
  QFont::insertSubstitutions(
      design::kGothicFace,
      {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
       QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic")});
  QFont::insertSubstitutions(design::kSansSerifFace,
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans")});
}

}  // namespace quotalis
