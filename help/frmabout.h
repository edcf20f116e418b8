// The About window: logo, title, version, copyright line and disclaimer, with
// one OK button. Modeless and at most one: the window object lives for the
// rest of the run once made, and its window is loaded afresh each time it is
// shown after being closed.
#pragma once

#include <QPointer>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace quotalis {

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

 private:
  std::function<void()> formUnload_;
  QPointer<QWidget> form_;
};

}  // namespace quotalis
