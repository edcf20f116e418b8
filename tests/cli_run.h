// RunCli in-process for the command-line tests: arguments and standard input
// in, the two output streams and the exit status out.
#pragma once

#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli.h"

namespace cli_run {

struct Run {
  std::string out, err;
  int status = -1;
};

// With the test's own streams for input and output: `out` is left empty, the
// answer is in the caller's stream.
inline Run RunCli(std::vector<std::string_view> args, std::istream& in, std::ostream& out) {
  std::ostringstream err;
  const int status = quotalis::RunCli(args, in, out, err);
  return {"", err.str(), status};
}

inline Run RunCli(std::vector<std::string_view> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  Run r = RunCli(std::move(args), in, out);
  r.out = out.str();
  return r;
}

}  // namespace cli_run
