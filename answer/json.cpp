#include "answer/json.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include <quotalis/exact/utf8.h>

#include "answer/quote.h"

namespace quotalis::answer {

namespace {

// Whether a byte is printable ASCII that JSON takes as it stands.
bool PlainAscii(char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; }

// Appends `text` escaped, without the quotes. Runs of plain ASCII, most of
// any answer, are copied whole.
void AppendEscaped(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  while (!text.empty()) {
    const auto plain = static_cast<std::size_t>(
        std::find_if_not(text.begin(), text.end(), PlainAscii) - text.begin());
    out.append(text.substr(0, plain));
    text.remove_prefix(plain);
    if (text.empty()) break;
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    if (!c) {
      out += "\\ufffd";
      text.remove_prefix(1);
      continue;
    }
    const char32_t v = c->value;
    if (v == '"' || v == '\\') {
      out += '\\';
      out += static_cast<char>(v);
    } else if (IsUnsafeToShow(v)) {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(v >> shift) & 0xf];
    } else {
      out.append(text.substr(0, c->length));
    }
    text.remove_prefix(c->length);
  }
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  AppendEscaped(out, text);
  out += '"';
  return out;
}

void WriteJsonString(std::ostream& out, std::string_view text) {
  constexpr std::size_t kBlock = std::size_t{64} << 10;
  std::string block;
  out << '"';
  while (!text.empty()) {
    // A block ends at a character's start: a UTF-8 character is never split.
    std::size_t end = std::min(kBlock, text.size());
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 &&
           end < kBlock + 4) {
      ++end;
    }
    block.clear();
    AppendEscaped(block, text.substr(0, end));
    out << block;
    text.remove_prefix(end);
  }
  out << '"';
}

}  // namespace quotalis::answer
