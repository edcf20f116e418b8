#include "help/usage.h"

namespace quotalis {

namespace {

// The five lines, character for character. Lines 3 and 5 continue items 2 and
// 3 and are indented with their leading spaces (line 3: one U+0020 and two
// U+3000; line 5: two U+3000). Lines 1, 2 and 4 end with the ideographic full
// stop U+3002, lines 3 and 5 with its half-width form U+FF61; the word for
// scroll bar is half-width katakana.
constexpr char16_t kLine1[] = u"\uFF11\uFF0E小数を入力する\u3002";
constexpr char16_t kLine2[] =
    u"\uFF12\uFF0E循環小数の場合は\u3001\uFF7D\uFF78\uFF9B\uFF70\uFF99\uFF8A\uFF9E\uFF70で\u3001"
    u"循環節を指定する\u3002";
constexpr char16_t kLine3[] = u" \u3000\u3000循環節の桁が反転表示されます\uFF61";
constexpr char16_t kLine4[] = u"\uFF13\uFF0E[変換する]ボタンを押す\u3002";
constexpr char16_t kLine5[] = u"\u3000\u3000分数が表示されます\uFF61";

// Message-box prompts break lines with carriage returns alone; two of them
// leave an empty line between the items.
constexpr char16_t kBreak[] = u"\r\r";

}  // namespace

QString HowToUseMessage() {
  QString message;
  for (const char16_t* line : {kLine1, kLine2, kLine3, kLine4, kLine5}) {
    if (!message.isEmpty()) message += QString::fromUtf16(kBreak);
    message += QString::fromUtf16(line);
  }
  return message;
}

}  // namespace quotalis
