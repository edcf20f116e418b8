// The main window. The window object lives for the whole run and keeps the
// window-level variables; the window itself, with its controls, is built from
// the layout when it is loaded and destroyed when it is closed, so showing it
// again after a close loads it afresh with every control at its design value.
//
// How a key press reaches the display: a keypad button's handler writes the
// entry box's text; the write runs txtNdecimal_Change before it returns, which
// records the length, re-derives the period selector's range from the digits
// after the point (the scroll bar clamps its value), and selects the recurring
// digits. Convert reads the entry, writes it back normalised (the same change
// handling runs again), only then reads the period, and fills the result boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "convert/reduction.h"

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

  // Handlers, one per control event.
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
  void BuildMenus();
  void Connect();
  void SetTabOrder();
  void ForgetControls();
  void HighlightRecurringDigits();
  void SetEntryText(const QString& text);
  void ShowReducedFraction();

  QPointer<QMainWindow> form_;
  bool closed_ = false;  // form_ is closed and waits to be deleted
  std::unique_ptr<frmAbout> about_;
};

}  // namespace quotalis
