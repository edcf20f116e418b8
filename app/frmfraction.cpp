#include "app/frmfraction.h"

#include <QApplication>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include "app/msgbox.h"
#include "app/singleinstance.h"
#include "app/taskbar.h"
#include "entry/lockedlineedit.h"
#include "entry/periodscrollbar.h"
#include "help/frmabout.h"
#include "help/usage.h"
#include "resources/design.h"

namespace quotalis {

namespace {

constexpr QSize kClientArea{design::Px(4665), design::Px(4590)};

}  // namespace

frmFraction::frmFraction() = default;

frmFraction::~frmFraction() = default;

bool frmFraction::IsLoaded() const { return form_.IsLoaded(); }

QMainWindow* frmFraction::window() const { return static_cast<QMainWindow*>(form_.Form()); }

frmAbout* frmFraction::About() const { return about_.get(); }

bool frmFraction::Show() {
  QMainWindow* form = window();
  if (!IsLoaded()) {
    form = Load();
    if (!Form_Load()) {
      form_.Discard();
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
  auto* form = new QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  form->setObjectName(QStringLiteral("frmFraction"));
  form->setWindowTitle(QStringLiteral("Quotalis"));
  form->setWindowIcon(QIcon(design::kIconPath));
  form_.Adopt(form);

  auto* client = new QWidget(form);
  client->setFixedSize(kClientArea);
  form->setCentralWidget(client);
  BuildControls(client);
  BuildMenus(form);
  // Menu bar plus client area, and nothing can resize it.
  if (QLayout* layout = form->layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
  Connect(form);
  SetTabOrder();
  return form;
}

void frmFraction::Connect(QMainWindow* form) {
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

KeypadTarget frmFraction::Keypad() {
  return {*txtNdecimal, *txtRnumerator, *txtRdenominator, Nlength, Nindex};
}

PeriodTarget frmFraction::Period() { return {*txtNdecimal, *sclTerm, Nlength, Nindex}; }

void frmFraction::cmdKey_Click(std::int16_t index) { PressDigit(Keypad(), index); }

void frmFraction::cmdDot_Click() { PressPoint(Keypad()); }

void frmFraction::cmdBack_Click() { PressBack(Keypad()); }

void frmFraction::cmdClear_Click() { PressClear(Keypad()); }

void frmFraction::txtNdecimal_Change() { FollowEntry(Period()); }

void frmFraction::sclTerm_Change() { HighlightRecurringDigits(*txtNdecimal, *sclTerm); }

void frmFraction::mnuQuit_Click() {
  // Ends the event loop at once: unlike quit(), exit() sends no close events,
  // so no window's close handling runs.
  QCoreApplication::exit(0);
}

void frmFraction::mnuHowtouse_Click() {
  Tmessage = HowToUseMessage();
  Response = MsgBox(window(), Tmessage, msgbox::kInformation, QStringLiteral("使い方"));
}

void frmFraction::mnuVersion_Click() {
  if (!about_) about_ = std::make_unique<frmAbout>([this] { Show(); });
  about_->Show();
}

}  // namespace quotalis
