// The fixed texts of the About window and the lines it composes from the
// program's version information.
#pragma once

#include <QString>

namespace quotalis {

// The caption: "About " followed directly by the title.
//   "Quotalis" -> "About Quotalis"
QString AboutCaption(const QString& title);

// The version line: "ﾊﾞｰｼﾞｮﾝ " (half-width katakana and a space), then the
// three numbers in plain decimal digits joined by points.
//   1, 1, 0 -> "ﾊﾞｰｼﾞｮﾝ 1.1.0"   (never 1.01.0)
QString VersionLine(int major, int minor, int revision);

// The copyright line: a fixed prefix followed directly by the legal-copyright
// text, so an empty legal text leaves the prefix alone.
//   "© Quotalis (MIT)" -> "Copyright © Quotalis (MIT)"   "" -> "Copyright "
QString CopyrightLine(const QString& legalCopyright);

// The disclaimer: five lines, each ending with CR LF; the word for software
// is in half-width katakana.
QString DisclaimerText();

}  // namespace quotalis
