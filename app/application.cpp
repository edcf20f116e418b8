#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "app/design.h"
#include "quotalis/version.h"

namespace quotalis {

void SetUpApplication() {
  QApplication::setApplicationName(QString::fromUtf8(version::kTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(version::kText));
  // Lets the desktop match the windows to the installed .desktop entry.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(version::kApplicationId));
  QApplication::setWindowIcon(QIcon(design::kIconPath));
  QFont::insertSubstitutions(design::kGothicFace,
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(design::kSansSerifFace,
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans")});
}

}  // namespace quotalis
