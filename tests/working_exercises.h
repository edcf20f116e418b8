// The school exercises whose working is kept in tests/working/: the text in
// each language (cli_working_test.cpp) and the MathML (cli_mathml_test.cpp);
// and the reading of those kept files and of the real program's output, which
// cli_rounded_test.cpp shares for the rounded readings' working.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quotalis::testing {

// A file's whole text ("" when it cannot be read).
inline std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// `arg` quoted for the shell.
inline std::string ShellQuoted(const std::string& arg) {
  std::string q = "'";
  for (const char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// The real program's standard output for `args`, in the language `language`
// ("" for the C locale's English); the test fails unless it exits 0.
inline std::string ProgramOutput(const std::vector<std::string>& args,
                                 const std::string& language) {
  const std::string out =
      ::testing::TempDir() + "quotalis_working_" + std::to_string(getpid()) + ".txt";
  std::string command = "LC_ALL=C.UTF-8 ";
  command += language.empty() ? "LANGUAGE= " : "LANGUAGE=" + language + " ";
  command += ShellQuoted(QUOTALIS_CLI);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(out);
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  std::string text = Slurp(out);
  std::remove(out.c_str());
  return text;
}

// The kept text tests/working/<folder>/<name><ext>; the test fails when it
// is missing.
inline std::string Kept(const std::string& folder, const std::string& name, const char* ext) {
  const std::string path = std::string(QUOTALIS_WORKING_DIR) + "/" + folder + "/" + name + ext;
  EXPECT_TRUE(std::ifstream(path).good()) << "no file " << path;
  return Slurp(path);
}

struct Exercise {
  const char* name;  // the file tests/working/<language>/<name>.txt
  std::vector<std::string> args;
  // x, written out: "1/6", "-37/3000000"; for a fraction entry, the size of
  // its value, which x stands for in the check that turns its decimal back.
  const char* value;
};

// 0.000…01(6), 1,000 zeros after the point: its non-recurring part and its
// terms have more digits than the working shows whole, so they stand by
// their first and last digits and the count of those left out.
inline const std::string kThousandZeros = "0." + std::string(1000, '0') + "1(6)";
inline const std::string kThousandZerosValue = "1/6" + std::string(1000, '0');

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
    {"seventh", {"1/7"}, "1/7"},
    {"five_twelfths", {"5/12"}, "5/12"},
    {"twenty_two_sevenths", {"22/7"}, "22/7"},
    {"mixed_number", {"3 1/4"}, "13/4"},
    {"unreduced", {"10/4"}, "5/2"},
    {"negative_mixed_number", {"--", "-3 2/4"}, "7/2"},
    {"dots", {"--notation", "dots", "1/7"}, "1/7"},
    {"keypad", {"--notation", "keypad", "1/7"}, "1/7"},
    {"thousand_zeros", {kThousandZeros}, kThousandZerosValue.c_str()},
};

}  // namespace quotalis::testing
