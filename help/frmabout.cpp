#include "help/frmabout.h"

#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <utility>

#include "help/abouttext.h"
#include "quotalis/version.h"
#include "resources/design.h"

namespace quotalis {

namespace {

// The window itself. Esc's reject() (like accept() and done()) closes it, so
// that every way out is a close.
class AboutDialog : public QDialog {
 public:
  AboutDialog()
      : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                             Qt::MSWindowsFixedSizeDialogHint) {}

  void done(int result) override {
    setResult(result);
    close();
  }
};

using design::Px;

// Client area 3450 x 3735 twips; its top-left corner 2340, 1935 twips from the
// screen's.
constexpr QRect kClientArea{Px(2340), Px(1935), Px(3450), Px(3735)};

QFont Gothic(qreal points) {
  QFont font(design::kGothicFace);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

// The three labels that take the width of their text: left edge fixed, one
// line, never wrapped; what passes the window's right edge is cut off there.
QLabel* TextLabel(QWidget* client, int leftTwips, int topTwips, const QString& name) {
  auto* label = new QLabel(client);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setFont(Gothic(9.75));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(false);
  label->move(Px(leftTwips), Px(topTwips));
  return label;
}

// A line of the separator: a solid run of pixels in a fixed colour.
QFrame* SeparatorLine(QWidget* client, QRect pixels, QColor colour, const QString& name) {
  auto* line = new QFrame(client);
  line->setObjectName(name);
  line->setFrameShape(QFrame::NoFrame);
  line->setGeometry(pixels);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

QIcon EmptyIcon() {
  QPixmap empty(32, 32);
  empty.fill(Qt::transparent);
  return QIcon(empty);
}

}  // namespace

frmAbout::frmAbout(std::function<void()> formUnload) : formUnload_(std::move(formUnload)) {}

frmAbout::~frmAbout() = default;

bool frmAbout::IsLoaded() const { return form_.IsLoaded(); }

QWidget* frmAbout::window() const { return form_.Form(); }

void frmAbout::Show() {
  if (!IsLoaded()) {
    Load();
    Form_Load();
    window()->show();
    cmdOK->setFocus();
  }
  window()->raise();
  window()->activateWindow();
}

void frmAbout::Load() {
  auto* form = new AboutDialog;
  form->setObjectName(QStringLiteral("frmAbout"));
  form->setWindowIcon(EmptyIcon());
  // For a top-level window this places the client area; the frame lies around it.
  form->setGeometry(kClientArea);
  form->setFixedSize(kClientArea.size());
  form_.Adopt(form);
  BuildControls(form);
  QObject::connect(cmdOK, &QPushButton::clicked, form, [this] { cmdOK_Click(); });
}

void frmAbout::BuildControls(QWidget* client) {
  // In their stored order, which is also their stacking order.
  picLogo = new QLabel(client);
  picLogo->setObjectName(QStringLiteral("picLogo"));
  picLogo->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  const QPixmap logo(design::kIconPath);
  picLogo->setPixmap(logo);
  picLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int border = picLogo->frameWidth();
  picLogo->setGeometry(Px(120), Px(120), logo.width() + 2 * border, logo.height() + 2 * border);
  picLogo->setAccessibleName(QStringLiteral("ロゴ"));

  cmdOK = new QPushButton(QStringLiteral("OK"), client);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(Px(1027), Px(3240), Px(1380), Px(345));
  cmdOK->setFont(Gothic(8.25));
  cmdOK->setDefault(true);  // Enter; Esc reaches it through reject()

  // The engraved separator: a grey line from (112, 1427) to (3363, 1427),
  // then a white line two pixels wide just below it, drawn over its ends.
  Line1[1] = SeparatorLine(client, QRect(Px(112), Px(1427), Px(3363) - Px(112), 1),
                           QColor(128, 128, 128), QStringLiteral("Line1_1"));
  lblCopyright = TextLabel(client, 840, 840, QStringLiteral("lblCopyright"));

  lblDisclaimer = new QLabel(client);
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer->setTextFormat(Qt::PlainText);
  lblDisclaimer->setFont(Gothic(9.75));
  lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setGeometry(Px(240), Px(1560), Px(2940), Px(1620));
  // Label texts end their lines with CR LF; Qt breaks lines at the LF alone.
  lblDisclaimer->setText(DisclaimerText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

  lblVersion = TextLabel(client, 840, 480, QStringLiteral("lblVersion"));
  lblTitle = TextLabel(client, 840, 120, QStringLiteral("lblTitle"));
  Line1[0] = SeparatorLine(client, QRect(Px(122), Px(1440), Px(3360) - Px(122), 2),
                           QColor(255, 255, 255), QStringLiteral("Line1_0"));
}

void frmAbout::ForgetControls() {
  picLogo = nullptr;
  cmdOK = nullptr;
  Line1[0] = Line1[1] = nullptr;
  lblCopyright = lblDisclaimer = lblVersion = lblTitle = nullptr;
}

void frmAbout::Form_Load() {
  const QString title = QString::fromUtf8(version::kTitle);
  window()->setWindowTitle(AboutCaption(title));
  lblTitle->setText(title);
  lblVersion->setText(VersionLine(version::kMajor, version::kMinor, version::kRevision));
  lblCopyright->setText(CopyrightLine(QString::fromUtf8(version::kLegalCopyright)));
  for (QLabel* label : {lblTitle, lblVersion, lblCopyright}) label->adjustSize();
}

void frmAbout::cmdOK_Click() { window()->close(); }

void frmAbout::Form_Unload() {
  if (formUnload_) formUnload_();
}

}  // namespace quotalis
