#include "cli/quote.h"

#include <cstddef>

#include "cli/utf8.h"

namespace quotalis::cli {

namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xf];
  }
}

}  // namespace

std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 24;
  std::string quoted = "'";
  std::size_t shown = 0;
  while (!text.empty() && shown < kShown) {
    const std::optional<CodePoint> c = FirstCodePoint(text);
    const std::size_t length = c ? c->length : 1;
    if (c && !IsUnsafeToShow(c->value)) {
      quoted.append(text.substr(0, length));
    } else {
      AppendEscaped(quoted, text.substr(0, length));
    }
    text.remove_prefix(length);
    ++shown;
  }
  if (!text.empty()) quoted += "...";
  return quoted + "'";
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  while (!text.empty()) {
    const std::optional<CodePoint> c = FirstCodePoint(text);
    text.remove_prefix(c ? c->length : 1);
    ++count;
  }
  return count;
}

}  // namespace quotalis::cli
