#include "help/frmabout.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <utility>

#include "app/design.h"
#include "quotalis/version.h"

namespace quotalis {

// The window itself. Whatever closes it arrives here as a close event: the
// close box and the window manager send one, OK calls close(), and Esc's
// reject() (like accept() and done()) is turned into close() too, so that no
// way of closing can skip the unload handling.
class AboutDialog : public QDialog {
 public:
  AboutDialog()
      : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                             Qt::MSWindowsFixedSizeDialogHint) {}

  // Runs as the window is being closed; cleared when the window is deleted
  // without being closed.
  std::function<void()> onClose;

  void done(int result) override {
    setResult(result);
    close();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The unload handling never cancels: the close always goes on.
    if (auto handler = std::exchange(onClose, nullptr)) handler();
    event->accept();
  }
};

namespace {

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
QLabel* TextLabel(QWidget* client, int leftTwips, int topTwips) {
  auto* label = new QLabel(client);
  label->setTextFormat(Qt::PlainText);
  label->setFont(Gothic(9.75));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(false);
  label->move(Px(leftTwips), Px(topTwips));
  return label;
}

// A line of the separator: a solid run of pixels in a fixed colour.
QFrame* SeparatorLine(QWidget* client, QRect pixels, QColor colour) {
  auto* line = new QFrame(client);
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

QString DisclaimerText() {
  // ｿﾌﾄｳｪｱ is half-width katakana. Each line fits the label's width once or
  // wraps to two lines, seven lines in all, which fit its height.
  static const char16_t* const kLines[] = {
      u"本\uFF7F\uFF8C\uFF84\uFF73\uFF6A\uFF71の完全な動作は保証されません。",
      u"本\uFF7F\uFF8C\uFF84\uFF73\uFF6A\uFF71の使用により障害や損害などが生じても、",
      u"作者は一切の責任を負いません。",
      u"本\uFF7F\uFF8C\uFF84\uFF73\uFF6A\uFF71の全部・一部の無断複製、",
      u"複製物の無断配布を禁じます。",
  };
  QString text;
  for (const char16_t* line : kLines) text += QString::fromUtf16(line) + QStringLiteral("\r\n");
  return text;
}

QString CopyrightLine(const QString& legalCopyright) {
  return QStringLiteral("Copyright ") + legalCopyright;
}

frmAbout::frmAbout(std::function<void()> formUnload) : formUnload_(std::move(formUnload)) {}

frmAbout::~frmAbout() {
  // Deleting the window sends no close event; clearing the handler as well
  // makes sure that nothing calls back into this object.
  if (auto* form = form_.data()) {
    form->onClose = nullptr;
    delete form;
  }
}

bool frmAbout::IsLoaded() const { return !form_.isNull(); }

QWidget* frmAbout::window() const { return form_; }

void frmAbout::Show() {
  if (!IsLoaded()) {
    Load();
    Form_Load();
    form_->show();
    cmdOK->setFocus();
  }
  form_->raise();
  form_->activateWindow();
}

void frmAbout::Load() {
  auto* form = new AboutDialog;
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowIcon(EmptyIcon());
  // For a top-level window this places the client area; the frame lies around it.
  form->setGeometry(kClientArea);
  form->setFixedSize(kClientArea.size());
  form->onClose = [this] {
    Form_Unload();
    // From here on the window counts as unloaded, though Qt deletes it only
    // when the event loop next runs: a Show() before then loads a new one.
    form_.clear();
    ForgetControls();
  };
  form_ = form;
  BuildControls(form);
  QObject::connect(cmdOK, &QPushButton::clicked, form, [this] { cmdOK_Click(); });
}

void frmAbout::BuildControls(QWidget* client) {
  // In their stored order, which is also their stacking order.
  picLogo = new QLabel(client);
  picLogo->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  const QPixmap logo(design::kIconPath);
  picLogo->setPixmap(logo);
  picLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int border = picLogo->frameWidth();
  picLogo->setGeometry(Px(120), Px(120), logo.width() + 2 * border, logo.height() + 2 * border);
  picLogo->setAccessibleName(QStringLiteral("ロゴ"));

  cmdOK = new QPushButton(QStringLiteral("OK"), client);
  cmdOK->setGeometry(Px(1027), Px(3240), Px(1380), Px(345));
  cmdOK->setFont(Gothic(8.25));
  cmdOK->setDefault(true);  // Enter; Esc reaches it through reject()

  // The engraved separator: a grey line from (112, 1427) to (3363, 1427),
  // then a white line two pixels wide just below it, drawn over its ends.
  Line1[1] = SeparatorLine(client, QRect(Px(112), Px(1427), Px(3363) - Px(112), 1),
                           QColor(128, 128, 128));
  lblCopyright = TextLabel(client, 840, 840);

  lblDisclaimer = new QLabel(client);
  lblDisclaimer->setTextFormat(Qt::PlainText);
  lblDisclaimer->setFont(Gothic(9.75));
  lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setGeometry(Px(240), Px(1560), Px(2940), Px(1620));
  // Label texts end their lines with CR LF; Qt breaks lines at the LF alone.
  lblDisclaimer->setText(DisclaimerText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

  lblVersion = TextLabel(client, 840, 480);
  lblTitle = TextLabel(client, 840, 120);
  Line1[0] = SeparatorLine(client, QRect(Px(122), Px(1440), Px(3360) - Px(122), 2),
                           QColor(255, 255, 255));
}

void frmAbout::ForgetControls() {
  picLogo = nullptr;
  cmdOK = nullptr;
  Line1[0] = Line1[1] = nullptr;
  lblCopyright = lblDisclaimer = lblVersion = lblTitle = nullptr;
}

void frmAbout::Form_Load() {
  const QString title = QString::fromUtf8(version::kTitle);
  form_->setWindowTitle(QStringLiteral("About ") + title);
  lblTitle->setText(title);
  lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::number(version::kMajor) +
                      QLatin1Char('.') + QString::number(version::kMinor) + QLatin1Char('.') +
                      QString::number(version::kRevision));
  lblCopyright->setText(CopyrightLine(QString::fromUtf8(version::kLegalCopyright)));
  for (QLabel* label : {lblTitle, lblVersion, lblCopyright}) label->adjustSize();
}

void frmAbout::cmdOK_Click() { form_->close(); }

void frmAbout::Form_Unload() {
  if (formUnload_) formUnload_();
}

}  // namespace quotalis
