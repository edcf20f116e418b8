// The main window. The window object lives for the whole run and keeps the
// window-level variables; the window itself, with its controls, is built from
// the layout when it is loaded and destroyed when it is closed (entry/'s
// FormLifecycle), so showing it again after a close loads it afresh with
// every control at its design value.
//
// The handlers are the window's, and thin: they hand the controls and the
// variables to entry/ (keypad, period selector), convert/ (the arithmetic)
// and help/ (usage message, About window), which know nothing of this class.
//
// How a key press reaches the display: a keypad button's handler writes the
// entry box's text; the write runs txtNdecimal_Change before it returns, which
// records the length, re-derives the period selector's range from the digits
// after the point (the scroll bar clamps its value), and selects the recurring
// digits. Convert reads the entry, writes it back normalised (the same change
// handling runs again), only then reads the period, and fills the result boxes.
//
// Every control carries its name as objectName; the digit keys are "cmdKey0"
// to "cmdKey9".
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "convert/reduction.h"
#include "entry/formlifecycle.h"
#include "entry/keypad.h"
#include "entry/period.h"

class QAction;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QScrollBar;
class QWidget;

namespace quotalis {

class LockedLineEdit;
class PeriodScrollBar;
class frmAbout;

class frmFraction {
 public:
  frmFraction();
  ~frmFraction();
  frmFraction(const frmFraction&) = delete;
  frmFraction& operator=(const frmFraction&) = delete;

  // Loads the window if it is not loaded (which runs Form_Load), then shows it
  // and activates it. False when Form_Load found another copy running: the
  // program must then end at once, and nothing has been shown.
  bool Show();
  bool IsLoaded() const;
  QMainWindow* window() const;

  // Handlers, one per control event. Those of the keypad, the entry box and
  // the period selector need the window loaded.
  bool Form_Load();
  void cmdKey_Click(std::int16_t index);
  void cmdDot_Click();
  void cmdBack_Click();
  void cmdClear_Click();
  void txtNdecimal_Change();
  void sclTerm_Change();
  void cmdConvert_Click();
  void mnuQuit_Click();
  void mnuHowtouse_Click();
  void mnuVersion_Click();

  // Window-level variables, shared by the handlers; numbers start at 0 and
  // texts empty, and all keep their values while the window is reloaded.
  std::string Tdecimal;
  std::string Tnumerator;
  std::string Tdenominator;
  QString Tmessage;
  std::int32_t Numerator = 0;
  std::int32_t Denominator = 0;
  std::int16_t Nnterm = 0;
  std::int16_t Dnterm = 0;
  FactorArray Nfactor{};
  FactorArray Dfactor{};
  std::int32_t Nindex = 0;
  std::int32_t Nlength = 0;
  std::int32_t Nentry = 0;
  std::int32_t Dentry = 0;
  std::int16_t Response = 0;

  // Controls, valid while the window is loaded (null otherwise).
  LockedLineEdit* txtRnumerator = nullptr;
  LockedLineEdit* txtRdenominator = nullptr;
  LockedLineEdit* txtNdecimal = nullptr;
  QLabel* lblEqual = nullptr;
  QWidget* Line1 = nullptr;
  PeriodScrollBar* sclTerm = nullptr;
  QPushButton* cmdConvert = nullptr;
  QPushButton* cmdClear = nullptr;
  std::array<QPushButton*, 10> cmdKey{};
  QPushButton* cmdDot = nullptr;
  QPushButton* cmdBack = nullptr;
  QLineEdit* txtNumerator = nullptr;
  QLineEdit* txtDenominator = nullptr;
  QMenu* mnuFile = nullptr;
  QAction* mnuQuit = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHowtouse = nullptr;
  QAction* mnuVersion = nullptr;

  // The About window object, made on first use (null before).
  frmAbout* About() const;

 private:
  QMainWindow* Load();
  void BuildControls(QWidget* client);
  void BuildMenus(QMainWindow* form);
  void Connect(QMainWindow* form);
  void SetTabOrder();
  void ForgetControls();
  KeypadTarget Keypad();
  PeriodTarget Period();
  void ShowReducedFraction();

  FormLifecycle form_{[this] { ForgetControls(); }};
  std::unique_ptr<frmAbout> about_;
};

}  // namespace quotalis
