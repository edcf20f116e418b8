#include <quotalis/exact/notation.h>

#include <array>
#include <utility>

namespace quotalis::exact {

namespace {

// Every name a notation goes by, its own name first.
constexpr std::array<std::pair<std::string_view, Notation>, 13> kNames = {{
    {"plain", Notation::Plain},
    {"parentheses", Notation::Parentheses},
    {"brackets", Notation::Brackets},
    {"quotes", Notation::Quotes},
    {"dots", Notation::Dots},
    {"overline", Notation::Overline},
    {"r", Notation::R},
    {"ellipsis", Notation::Ellipsis},
    {"latex", Notation::Latex},
    {"keypad", Notation::Keypad},
    {"fraction", Notation::Fraction},
    {"mixed", Notation::Mixed},
    {"parens", Notation::Parentheses},
}};

}  // namespace

std::string_view NotationName(Notation notation) {
  for (const auto& [name, value] : kNames) {
    if (value == notation) return name;
  }
  return {};
}

std::optional<Notation> NotationNamed(std::string_view name) {
  for (const auto& [known, value] : kNames) {
    if (known == name) return value;
  }
  return std::nullopt;
}

}  // namespace quotalis::exact
