// What every fuzz target shares: the input layout and the way a broken
// promise is reported. An input is one byte for a small number (a recurring
// period, a count), then the text; so one seed serves every target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace quotalis::fuzz {

[[noreturn]] inline void Fail(std::string_view what, std::string_view text) {
  std::fprintf(stderr, "\nbroken promise: %.*s\ntext: \"%.*s\"\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(text.size()), text.data());
  std::abort();
}

inline void Require(bool holds, std::string_view what, std::string_view text) {
  if (!holds) Fail(what, text);
}

struct Input {
  std::uint8_t byte = 0;  // the first byte as it stands
  std::int32_t k = 0;     // the first byte as a period: signed, 0x7F and 0x80 the int32 ends
  std::string_view text;  // the rest
};

// Nothing for the empty input.
inline bool Split(const std::uint8_t* data, std::size_t size, Input& in) {
  if (size == 0) return false;
  in.byte = data[0];
  if (in.byte == 0x7F) {
    in.k = std::numeric_limits<std::int32_t>::max();
  } else if (in.byte == 0x80) {
    in.k = std::numeric_limits<std::int32_t>::min();
  } else {
    in.k = static_cast<std::int8_t>(in.byte);
  }
  in.text = std::string_view(reinterpret_cast<const char*>(data + 1), size - 1);
  return true;
}

}  // namespace quotalis::fuzz
