#include "cli/quote.h"

#include <cstddef>

namespace quotalis::cli {

std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 24;
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "'";
  for (const char c : text.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xf];
    }
  }
  if (text.size() > kShown) quoted += "...";
  return quoted + "'";
}

}  // namespace quotalis::cli
