#include "help/abouttext.h"

namespace quotalis {

QString AboutCaption(const QString& title) { return QStringLiteral("About ") + title; }

QString VersionLine(int major, int minor, int revision) {
  return QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::number(major) + QLatin1Char('.') +
         QString::number(minor) + QLatin1Char('.') + QString::number(revision);
}

QString CopyrightLine(const QString& legalCopyright) {
  return QStringLiteral("Copyright ") + legalCopyright;
}

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

}  // namespace quotalis
