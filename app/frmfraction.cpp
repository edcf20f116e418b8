#include "app/frmfraction.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <functional>
#include <utility>

#include "app/design.h"
#include "app/msgbox.h"
#include "app/singleinstance.h"
#include "app/taskbar.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/frmabout.h"
#include "help/usage.h"

namespace quotalis {

namespace {

// The main window's frame. Whatever closes it (the close box, the system menu,
// the window manager) arrives here as a close event, which always goes on.
class MainForm : public QMainWindow {
 public:
  using QMainWindow::QMainWindow;

  // Runs as the window is being closed.
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (auto handler = std::exchange(onClose, nullptr)) handler();
    event->accept();
  }
};

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

constexpr QSize kClientArea{Px(4665), Px(4590)};

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
Control* Place(Control* control, Twips where, const QString& accessibleName) {
  control->setGeometry(Pixels(where));
  if (!accessibleName.isEmpty()) control->setAccessibleName(accessibleName);
  return control;
}

QPushButton* Button(QWidget* client, const QString& caption, Twips where, qreal points,
                    const QString& accessibleName) {
  auto* button = Place(new QPushButton(caption, client), where, accessibleName);
  button->setFont(Font(design::kSansSerifFace, points));
  // Enter acts on the focused button only; no button is the window's default.
  button->setAutoDefault(true);
  return button;
}

LockedLineEdit* TextBox(QWidget* client, Twips where, const QString& accessibleName) {
  auto* box = Place(new LockedLineEdit(client), where, accessibleName);
  box->setAlignment(Qt::AlignRight);
  box->setFont(Font(design::kGothicFace, 14.25));
  return box;
}

// Carries the unreduced fraction; it lies beyond the client area's right edge,
// hidden and out of the tab order, so neither the user nor a screen reader
// meets it.
QLineEdit* HiddenTextBox(QWidget* client, Twips where) {
  auto* box = Place(new QLineEdit(client), where, QString());
  box->setFocusPolicy(Qt::NoFocus);
  box->hide();
  return box;
}

}  // namespace

frmFraction::frmFraction() = default;

frmFraction::~frmFraction() {
  about_.reset();
  if (form_) {
    QObject::disconnect(form_, &QObject::destroyed, nullptr, nullptr);
    delete form_;
  }
}

bool frmFraction::IsLoaded() const { return !form_.isNull() && !closed_; }

QMainWindow* frmFraction::window() const { return IsLoaded() ? form_.data() : nullptr; }

frmAbout* frmFraction::About() const { return about_.get(); }

bool frmFraction::Show() {
  QMainWindow* form = form_;
  if (!IsLoaded()) {
    form = Load();
    if (!Form_Load()) {
      delete form;
      return false;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      form->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form->sizeHint(),
                                            screen->availableGeometry()));
    }
    KeepOffTaskbar(form);
    form->show();
    cmdConvert->setFocus();
  } else {
    form->show();
  }
  form->raise();
  form->activateWindow();
  return true;
}

bool frmFraction::Form_Load() { return !AnotherCopyRunning(); }

QMainWindow* frmFraction::Load() {
  auto* form = new MainForm(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->onClose = [this, form] {
    // From here on the window counts as unloaded, though Qt deletes it only
    // when the event loop next runs: a Show() before then loads a new one,
    // whose controls the old window's deletion must leave alone.
    closed_ = true;
    QObject::disconnect(form, &QObject::destroyed, nullptr, nullptr);
    ForgetControls();
  };
  form->setWindowTitle(QStringLiteral("Quotalis"));
  form->setWindowIcon(QIcon(design::kIconPath));
  form_ = form;
  closed_ = false;

  auto* client = new QWidget(form);
  client->setFixedSize(kClientArea);
  form->setCentralWidget(client);
  BuildControls(client);
  BuildMenus();
  // Menu bar plus client area, and nothing can resize it.
  if (QLayout* layout = form->layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
  Connect();
  SetTabOrder();
  QObject::connect(form, &QObject::destroyed, [this] { ForgetControls(); });
  return form;
}

void frmFraction::BuildControls(QWidget* client) {
  txtRnumerator = TextBox(client, {2640, 150, 1695, 420}, QStringLiteral("分子"));
  txtRdenominator = TextBox(client, {2640, 840, 1695, 420}, QStringLiteral("分母"));
  txtNdecimal = TextBox(client, {240, 480, 1815, 420}, QStringLiteral("小数"));

  // The fraction bar: 2 pixels wide, centred on y = 720 twips, in the text colour.
  auto* bar = new QFrame(client);
  bar->setGeometry(Px(2520), Px(720) - 1, Px(4440 - 2520), 2);
  bar->setBackgroundRole(QPalette::WindowText);
  bar->setAutoFillBackground(true);
  Line1 = bar;

  lblEqual = Place(new QLabel(QStringLiteral("="), client), {2160, 480, 375, 375}, QString());
  lblEqual->setFont(Font(design::kGothicFace, 24));
  lblEqual->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  sclTerm = Place(new PeriodScrollBar(client), {240, 960, 1815, 375},
                  QStringLiteral("循環節の桁数"));

  cmdConvert = Button(client, QStringLiteral("Convert"), {1080, 1605, 1650, 495}, 9.75,
                      QStringLiteral("変換"));
  cmdClear = Button(client, QStringLiteral("C"), {2790, 1605, 800, 495}, 12,
                    QStringLiteral("クリア"));
  for (int digit = 0; digit < 10; ++digit) {
    const QString caption = QString::number(digit);
    cmdKey[static_cast<std::size_t>(digit)] = Button(client, caption, KeyPlace(digit), 12, caption);
  }
  cmdDot = Button(client, QStringLiteral("."), {1935, 3825, 800, 495}, 24,
                  QStringLiteral("小数点"));
  cmdBack = Button(client, QStringLiteral("BS"), {2790, 3825, 795, 495}, 12,
                   QStringLiteral("1文字削除"));

  txtNumerator = HiddenTextBox(client, {7080, 480, 975, 375});
  txtDenominator = HiddenTextBox(client, {7080, 1200, 975, 375});
}

void frmFraction::BuildMenus() {
  QMenuBar* bar = form_->menuBar();
  bar->setNativeMenuBar(false);  // the menu bar belongs in the window, above the client area
  mnuFile = bar->addMenu(QStringLiteral("ﾌｧｲﾙ"));
  mnuQuit = mnuFile->addAction(QStringLiteral("終了"));
  mnuHelp = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ"));
  mnuHowtouse = mnuHelp->addAction(QStringLiteral("使い方"));
  mnuHelp->addSeparator();
  mnuVersion = mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

void frmFraction::Connect() {
  QMainWindow* form = form_;
  for (std::size_t i = 0; i < cmdKey.size(); ++i) {
    QObject::connect(cmdKey[i], &QPushButton::clicked, form,
                     [this, i] { cmdKey_Click(static_cast<std::int16_t>(i)); });
  }
  QObject::connect(cmdDot, &QPushButton::clicked, form, [this] { cmdDot_Click(); });
  QObject::connect(cmdBack, &QPushButton::clicked, form, [this] { cmdBack_Click(); });
  QObject::connect(cmdClear, &QPushButton::clicked, form, [this] { cmdClear_Click(); });
  QObject::connect(cmdConvert, &QPushButton::clicked, form, [this] { cmdConvert_Click(); });
  // Direct connections: the handlers run inside the write or the move.
  QObject::connect(txtNdecimal, &QLineEdit::textChanged, form, [this] { txtNdecimal_Change(); });
  QObject::connect(sclTerm, &QScrollBar::valueChanged, form, [this] { sclTerm_Change(); });
  QObject::connect(mnuQuit, &QAction::triggered, form, [this] { mnuQuit_Click(); });
  QObject::connect(mnuHowtouse, &QAction::triggered, form, [this] { mnuHowtouse_Click(); });
  QObject::connect(mnuVersion, &QAction::triggered, form, [this] { mnuVersion_Click(); });
}

void frmFraction::SetTabOrder() {
  std::vector<QWidget*> order = {cmdConvert, txtRnumerator, txtRdenominator, txtNdecimal,
                                 sclTerm};
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

void frmFraction::mnuQuit_Click() {
  // Ends the event loop at once: unlike quit(), exit() sends no close events,
  // so no window's close handling runs.
  QCoreApplication::exit(0);
}

void frmFraction::mnuHowtouse_Click() {
  Tmessage = HowToUseMessage();
  Response = MsgBox(form_.data(), Tmessage, msgbox::kInformation, QStringLiteral("使い方"));
}

void frmFraction::mnuVersion_Click() {
  if (!about_) about_ = std::make_unique<frmAbout>([this] { Show(); });
  about_->Show();
}

}  // namespace quotalis
