// The floor for start-up measurements: a bare Qt 6 Widgets window with the
// program's Japanese menu bar and faces and as many controls, computing
// nothing. Whatever the program costs to start beyond this is its own.
#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Floor"));
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
  file->addAction(QStringLiteral("終了"));
  QMenu* help = window.menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ"));
  help->addAction(QStringLiteral("使い方"));
  help->addSeparator();
  help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

  auto* client = new QWidget(&window);
  client->setFixedSize(311, 306);
  window.setCentralWidget(client);
  QFont gothic(QStringLiteral("ＭＳ Ｐゴシック"));
  gothic.setPointSizeF(14.25);
  gothic.setBold(true);
  for (int i = 0; i < 3; ++i) {
    auto* box = new QLineEdit(client);
    box->setGeometry(16, 10 + 40 * i, 120, 28);
    box->setFont(gothic);
  }
  (new QScrollBar(Qt::Horizontal, client))->setGeometry(16, 130, 120, 25);
  for (int i = 0; i < 14; ++i) {
    auto* button = new QPushButton(QString::number(i % 10), client);
    button->setGeometry(150 + 55 * (i % 3), 10 + 37 * (i / 3), 53, 33);
  }
  window.show();
  return QApplication::exec();
}
