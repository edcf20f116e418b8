// The program's modal message box: a prompt whose lines break at carriage
// returns, a style value choosing the icon, and a title. It returns the code
// of the button that dismissed it. Only the single OK button is offered, so
// the code is kOk whether the box was closed by OK, Enter, Esc or its close box.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace quotalis {

namespace msgbox {
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr std::int16_t kOk = 1;
}  // namespace msgbox

// Shows the box modal to `owner`'s window and waits until it is dismissed.
std::int16_t MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title);

}  // namespace quotalis
