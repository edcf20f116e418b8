// The main window's design: the controls built from the layout table, each
// named after its design name, the menus, the tab order, and the list of
// controls that unloading forgets.
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <vector>

#include "app/frmfraction.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "resources/design.h"

namespace quotalis {

namespace {

struct Twips {
  int left;
  int top;
  int width;
  int height;
};

using design::Px;

QRect Pixels(Twips t) { return {Px(t.left), Px(t.top), Px(t.width), Px(t.height)}; }

QFont Font(const QString& family, qreal points) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(true);
  // The controls show digits, a point, "=" and Latin captions, which every
  // face that stands in for the design faces has. Without merging, Qt loads
  // the face alone and does not ask fontconfig for a list of fallback faces
  // for missing characters, a sort of every installed font at start-up.
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

// Keypad columns and rows; the digit keys stand 7 8 9 / 4 5 6 / 1 2 3 / 0.
constexpr int kColumns[] = {1080, 1935, 2790};
constexpr int kRows[] = {2160, 2715, 3270, 3825};
constexpr int kKeyWidth = 800;
constexpr int kKeyHeight = 495;

Twips KeyPlace(int digit) {
  if (digit == 0) return {kColumns[0], kRows[3], kKeyWidth, kKeyHeight};
  return {kColumns[(digit - 1) % 3], kRows[2 - (digit - 1) / 3], kKeyWidth, kKeyHeight};
}

template <class Control>
Control* Place(Control* control, const QString& name, Twips where, const QString& accessibleName) {
  control->setObjectName(name);
  control->setGeometry(Pixels(where));
  if (!accessibleName.isEmpty()) control->setAccessibleName(accessibleName);
  return control;
}

QPushButton* Button(QWidget* client, const QString& name, const QString& caption, Twips where,
                    qreal points, const QString& accessibleName) {
  auto* button = Place(new QPushButton(caption, client), name, where, accessibleName);
  button->setFont(Font(design::kSansSerifFace, points));
  // Enter acts on the focused button only; no button is the window's default.
  button->setAutoDefault(true);
  return button;
}

LockedLineEdit* TextBox(QWidget* client, const QString& name, Twips where,
                        const QString& accessibleName) {
  auto* box = Place(new LockedLineEdit(client), name, where, accessibleName);
  box->setAlignment(Qt::AlignRight);
  box->setFont(Font(design::kGothicFace, 14.25));
  return box;
}

// Carries the unreduced fraction; it lies beyond the client area's right edge,
// hidden and out of the tab order, so neither the user nor a screen reader
// meets it.
QLineEdit* HiddenTextBox(QWidget* client, const QString& name, Twips where) {
  auto* box = Place(new QLineEdit(client), name, where, QString());
  box->setFocusPolicy(Qt::NoFocus);
  box->hide();
  return box;
}

}  // namespace

void frmFraction::BuildControls(QWidget* client) {
  txtRnumerator = TextBox(client, QStringLiteral("txtRnumerator"), {2640, 150, 1695, 420},
                          QStringLiteral("分子"));
  txtRdenominator = TextBox(client, QStringLiteral("txtRdenominator"), {2640, 840, 1695, 420},
                            QStringLiteral("分母"));
  txtNdecimal =
      TextBox(client, QStringLiteral("txtNdecimal"), {240, 480, 1815, 420}, QStringLiteral("小数"));

  // The fraction bar: 2 pixels wide, centred on y = 720 twips, in the text colour.
  auto* bar = new QFrame(client);
  bar->setObjectName(QStringLiteral("Line1"));
  bar->setGeometry(Px(2520), Px(720) - 1, Px(4440 - 2520), 2);
  bar->setBackgroundRole(QPalette::WindowText);
  bar->setAutoFillBackground(true);
  Line1 = bar;

  lblEqual = Place(new QLabel(QStringLiteral("="), client), QStringLiteral("lblEqual"),
                   {2160, 480, 375, 375}, QString());
  lblEqual->setFont(Font(design::kGothicFace, 24));
  lblEqual->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  sclTerm = Place(new PeriodScrollBar(client), QStringLiteral("sclTerm"), {240, 960, 1815, 375},
                  QStringLiteral("循環節の桁数"));

  cmdConvert = Button(client, QStringLiteral("cmdConvert"), QStringLiteral("Convert"),
                      {1080, 1605, 1650, 495}, 9.75, QStringLiteral("変換"));
  cmdClear = Button(client, QStringLiteral("cmdClear"), QStringLiteral("C"), {2790, 1605, 800, 495},
                    12, QStringLiteral("クリア"));
  for (std::size_t digit = 0; digit < cmdKey.size(); ++digit) {
    const QString caption = QString::number(digit);
    cmdKey[digit] = Button(client, QStringLiteral("cmdKey") + caption, caption,
                           KeyPlace(static_cast<int>(digit)), 12, caption);
  }
  cmdDot = Button(client, QStringLiteral("cmdDot"), QStringLiteral("."), {1935, 3825, 800, 495}, 24,
                  QStringLiteral("小数点"));
  cmdBack = Button(client, QStringLiteral("cmdBack"), QStringLiteral("BS"), {2790, 3825, 795, 495},
                   12, QStringLiteral("1文字削除"));

  txtNumerator = HiddenTextBox(client, QStringLiteral("txtNumerator"), {7080, 480, 975, 375});
  txtDenominator = HiddenTextBox(client, QStringLiteral("txtDenominator"), {7080, 1200, 975, 375});
}

void frmFraction::BuildMenus(QMainWindow* form) {
  QMenuBar* bar = form->menuBar();
  bar->setNativeMenuBar(false);  // the menu bar belongs in the window, above the client area
  mnuFile = bar->addMenu(QStringLiteral("ﾌｧｲﾙ"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuQuit = mnuFile->addAction(QStringLiteral("終了"));
  mnuQuit->setObjectName(QStringLiteral("mnuQuit"));
  mnuHelp = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuHowtouse = mnuHelp->addAction(QStringLiteral("使い方"));
  mnuHowtouse->setObjectName(QStringLiteral("mnuHowtouse"));
  mnuHelp->addSeparator();
  mnuVersion = mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  mnuVersion->setObjectName(QStringLiteral("mnuVersion"));
}

void frmFraction::SetTabOrder() {
  std::vector<QWidget*> order = {cmdConvert, txtRnumerator, txtRdenominator, txtNdecimal, sclTerm};
  order.insert(order.end(), cmdKey.begin(), cmdKey.end());
  order.insert(order.end(), {cmdDot, cmdBack, cmdClear});
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmFraction::ForgetControls() {
  txtRnumerator = txtRdenominator = txtNdecimal = nullptr;
  lblEqual = nullptr;
  Line1 = nullptr;
  sclTerm = nullptr;
  cmdConvert = cmdClear = cmdDot = cmdBack = nullptr;
  cmdKey.fill(nullptr);
  txtNumerator = txtDenominator = nullptr;
  mnuFile = mnuHelp = nullptr;
  mnuQuit = mnuHowtouse = mnuVersion = nullptr;
}

}  // namespace quotalis
