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
//
// The controls carry their names as objectName; the two separator lines are
// "Line1_0" and "Line1_1".
#pragma once

#include <QString>
#include <functional>

#include "entry/formlifecycle.h"

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace quotalis {

class frmAbout {
 public:
  // `formUnload` is the unload handling: it runs whenever the window is being
  // closed, however that happens, and never when the window is deleted
  // without being closed.
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
  FormLifecycle form_{[this] { ForgetControls(); }, [this] { Form_Unload(); }};
};

}  // namespace quotalis
