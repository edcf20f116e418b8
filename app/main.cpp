#include <QApplication>

#include "app/application.h"
#include "app/frmfraction.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  quotalis::SetUpApplication();
  quotalis::frmFraction main;
  if (!main.Show()) return 0;  // another copy runs: end at once, silently
  return QApplication::exec();
}
