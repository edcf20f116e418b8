// The school exercises whose working is kept in tests/working/: the text in
// each language (cli_working_test.cpp) and the MathML (cli_mathml_test.cpp).
#pragma once

#include <string>
#include <vector>

namespace quotalis::testing {

struct Exercise {
  const char* name;  // the file tests/working/<language>/<name>.txt
  std::vector<std::string> args;
  const char* value;  // x, written out: "1/6", "-37/3000000"; "" for a fraction entry
};

// Each is run in English and in Japanese; those with a LaTeX file in a
// language are run with --notation latex too.
inline const std::vector<Exercise> kExercises = {
    {"third", {"0.(3)"}, "1/3"},
    {"sixth", {"0.1(6)"}, "1/6"},
    {"two_point_three_45", {"2.3(45)"}, "129/55"},
    {"seventh_recurring", {"0.(142857)"}, "1/7"},
    {"nines", {"0.(9)"}, "1"},
    {"terminating", {"1.25"}, "5/4"},
    {"exponent", {"1.2(3)e-5"}, "37/3000000"},
    {"sign_and_exponent", {"--", "-2.5e-1"}, "-1/4"},
    {"ellipsis", {"0.1666..."}, "1/6"},
    {"ellipsis_seventh", {"0.142857142857..."}, "1/7"},
    {"keypad_period", {"--period", "1", "0.1666"}, "1/6"},
    {"mixed_answer", {"--mixed", "2.3(45)"}, "129/55"},
    {"whole", {"7"}, "7"},
    {"seventh", {"1/7"}, ""},
    {"five_twelfths", {"5/12"}, ""},
    {"twenty_two_sevenths", {"22/7"}, ""},
    {"mixed_number", {"3 1/4"}, ""},
    {"unreduced", {"10/4"}, ""},
    {"negative_mixed_number", {"--", "-3 2/4"}, ""},
    {"dots", {"--notation", "dots", "1/7"}, ""},
    {"keypad", {"--notation", "keypad", "1/7"}, ""},
};

}  // namespace quotalis::testing
