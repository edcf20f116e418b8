// What every window's design shares: the unit of its layout, the faces it is
// drawn with, and where the program's icon lives.
#pragma once

#include <QString>

namespace quotalis::design {

// Layouts are given in twips, 15 to a logical pixel; Qt scales logical pixels
// to the screen, so a layout holds at any scaling.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) { return twips / kTwipsPerPixel; }

// The Windows faces the windows are designed with; where they are missing,
// the program maps them to installed faces of the same kind.
inline const QString kGothicFace = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kSansSerifFace = QStringLiteral("MS Sans Serif");

// The application icon, also the About window's logo.
inline const QString kIconPath = QStringLiteral(":/quotalis/icon.png");

}  // namespace quotalis::design
