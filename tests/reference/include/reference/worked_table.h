// The worked table of the expansion, written out once by hand for every test
// that checks it: the engine's, the command line's and the window's; the
// reference's own test checks it against the exact library and by long
// division. Each row is an entry as typed with the recurring period k read
// after the normalisation, and every text the conversion gives for it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quotalis::testing {

struct WorkedRow {
  std::string_view name;                    // letters, digits and underscores: a test name
  std::string_view entry;                   // as typed on the keypad
  std::int32_t k;                           // the last k digits recur
  std::string_view normalised;              // the entry as written back
  std::optional<std::string_view> decimal;  // its digits without the point; none without a point
  std::string_view numerator;               // unreduced
  std::string_view denominator;
  std::string_view reducedNumerator;  // in lowest terms
  std::string_view reducedDenominator;
};

// clang-format off
inline constexpr std::array<WorkedRow, 13> kWorkedTable = {{
    {"half",                   "0.5",        0, "0.5",         "05",         "5",         "10",         "1",         "2"},
    {"half_leading_point",     ".5",         0, "0.5",         "05",         "5",         "10",         "1",         "2"},
    {"terminating",            "12.34",      0, "12.34",       "1234",       "1234",      "100",        "617",       "50"},
    {"period_two",             "12.34",      2, "12.34",       "1234",       "1222",      "99",         "1222",      "99"},
    {"one_and_five_recurring", "1.5",        1, "1.5",         "15",         "14",        "9",          "14",        "9"},
    {"nine_recurring",         "0.9",        1, "0.9",         "09",         "9",         "9",          "1",         "1"},
    {"three_recurring",        "0.83",       1, "0.83",        "083",        "75",        "90",         "5",         "6"},
    {"six_recurring",          "0.1666",     1, "0.1666",      "01666",      "1500",      "9000",       "1",         "6"},
    {"seventh",                "0.142857",   6, "0.142857",    "0142857",    "142857",    "999999",     "1",         "7"},
    {"nine_decimals",          ".123456789", 0, "0.123456789", "0123456789", "123456789", "1000000000", "123456789", "1000000000"},
    {"nine_nines_recurring",   ".999999999", 9, "0.999999999", "0999999999", "999999999", "999999999",  "1",         "1"},
    {"integer",                "007",        0, "7",           std::nullopt, "7",         "1",          "7",         "1"},
    {"point_dropped",          "1.0",        0, "1",           std::nullopt, "1",         "1",          "1",         "1"},
}};
// clang-format on

}  // namespace quotalis::testing
