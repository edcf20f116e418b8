// The real quotalis-cli run as a process through the shell, for the tests
// that need its streams, its exit status or its environment.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace cli_spawn {

struct Result {
  std::string out, err;
  int status = -1;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A file of this test process's own, so that test runs side by side never meet.
inline std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "quotalis_cli_" + std::to_string(getpid()) + "_" + name;
}

// The environment in which the program speaks English, whatever the
// developer's own locale asks for.
inline constexpr char kEnglish[] = "-u LANGUAGE LC_ALL=C.UTF-8";

// Runs quotalis-cli `args` (shell words) with `input` on standard input, in
// the environment `env` (options and assignments for env(1)); `redirections`
// may replace the standard input and output set up here.
inline Result Spawn(const std::string& args, const std::string& input,
                    const std::string& redirections = "", const std::string& env = kEnglish) {
  const std::string in = TempFile("in"), out = TempFile("out"), err = TempFile("err");
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = "env " + env + " '" + QUOTALIS_CLI + "' " + args + " <'" + in +
                              "' >'" + out + "' 2>'" + err + "' " + redirections;
  const int raw = std::system(command.c_str());
  Result r{Slurp(out), Slurp(err), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
  for (const std::string& file : {in, out, err}) std::remove(file.c_str());
  return r;
}

}  // namespace cli_spawn
