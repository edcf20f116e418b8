// The About window: logo, title, version, copyright line and disclaimer, with
// one OK button. Modeless and at most one: the window object lives for the
// rest of the run once made, and its window is loaded afresh each time it is
// shown after being closed.
//
// Every way of closing the window (OK, Enter, Esc, the close box, the system
// menu, the window manager's close shortcut) ends in the window's close
// event, which runs Form_Unload and lets the close go on; the window is then
// destroyed. Ending the program or destroying the frmAbout object deletes the
// window without a close event, so Form_Unload does not run then.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace quotalis {

class AboutDialog;

// The copyright line: a fixed prefix followed directly by the legal-copyright
// text, so an empty legal text leaves the prefix alone.
QString CopyrightLine(const QString& legalCopyright);

// The disclaimer: five lines, each ending with CR LF.
QString DisclaimerText();

class frmAbout {
 public:
  // `formUnload` runs whenever the window is being closed, however that
  // happens (OK, Enter, Esc, the close box, the system menu); never when the
  // program ends without closing it.
  explicit frmAbout(std::function<void()> formUnload);
  ~frmAbout();
  frmAbout(const frmAbout&) = delete;
  frmAbout& operator=(const frmAbout&) = delete;

  // Loads the window if it is not loaded (Form_Load fills the caption and the
  // labels), shows it modeless without an owner, raises and activates it.
  void Show();
  bool IsLoaded() const;
  QWidget* window() const;

  // Handlers.
  void Form_Load();
  void cmdOK_Click();
  void Form_Unload();

  // Controls, valid while the window is loaded (null otherwise).
  QLabel* picLogo = nullptr;
  QPushButton* cmdOK = nullptr;
  QFrame* Line1[2] = {nullptr, nullptr};  // [1] the grey line, [0] the white one below it
  QLabel* lblCopyright = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblTitle = nullptr;

 private:
  void Load();
  void BuildControls(QWidget* client);
  void ForgetControls();

  std::function<void()> formUnload_;
  QPointer<AboutDialog> form_;
};

}  // namespace quotalis
