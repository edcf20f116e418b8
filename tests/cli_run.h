// RunCli in-process for the command-line tests: arguments and standard input
// in, the two output streams and the exit status out.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"

namespace cli_run {

struct Run {
  std::string out, err;
  int status = -1;
};

inline Run RunCli(std::vector<std::string_view> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = quotalis::RunCli(args, in, out, err);
  return {out.str(), err.str(), status};
}

}  // namespace cli_run
