// The text helpers that the readers and the front ends share: counts grouped
// by three, and typed characters in their ASCII forms.
#include <gtest/gtest.h>

#include <quotalis/exact/text.h>

namespace {

TEST(Grouped, ByThreeFromTheRight) {
  const std::pair<std::int64_t, const char*> rows[] = {{0, "0"},
                                                       {999, "999"},
                                                       {1000, "1,000"},
                                                       {10'000'000, "10,000,000"},
                                                       {-123, "-123"},
                                                       {-1234, "-1,234"},
                                                       {INT64_MIN, "-9,223,372,036,854,775,808"}};
  for (const auto& [n, text] : rows) EXPECT_EQ(quotalis::exact::Grouped(n), text) << n;
}

TEST(AsciiText, FullWidthFormsMinusAndIdeographicSpace) {
  const std::pair<const char*, const char*> rows[] = {
      {"\uff11\uff12", "12"},
      {"\u2212\uff15", "-5"},
      {"\uff15\uff11\uff12\uff2d", "512M"},
      {"\u3000\uff10\uff0e\uff11\uff08\uff16\uff09", " 0.1(6)"},
      {"0.1\u0307", "0.1\u0307"},        // a combining dot has no ASCII form
      {"\u00f7\u30fb", "\u00f7\u30fb"},  // nor ÷ or the middle dot
      {"\xff"
       "1",
       "\xff"
       "1"},  // a byte that is not UTF-8 stays
      {"", ""}};
  for (const auto& [text, ascii] : rows) EXPECT_EQ(quotalis::exact::AsciiText(text), ascii) << text;
  EXPECT_EQ(quotalis::exact::AsciiForm(0xFF5E), '~');
  EXPECT_EQ(quotalis::exact::AsciiForm(0xFF5F), std::nullopt);
  EXPECT_EQ(quotalis::exact::AsciiForm(0xFF00), std::nullopt);
}

}  // namespace
