// RunCli in-process with streams of the test's own, for the command-line
// tests: arguments and standard input in, the two output streams and the
// exit status out.
#pragma once

#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace cli_streams {

struct Result {
  std::string out, err;
  int status = -1;
};

inline Result Cli(std::vector<std::string_view> args, std::istream& in, std::ostream& out) {
  std::ostringstream err;
  const int status = quotalis::RunCli(args, in, out, err);
  return {"", err.str(), status};
}

inline Result Cli(std::vector<std::string_view> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  Result r = Cli(std::move(args), in, out);
  r.out = out.str();
  return r;
}

}  // namespace cli_streams
