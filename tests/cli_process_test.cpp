// The real quotalis-cli, run as a process through the shell: exit statuses,
// what lands on which stream, and failures of the streams themselves.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Result {
  std::string out, err;
  int status = -1;
};

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A file of this test process's own, so that test runs side by side never meet.
std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "quotalis_cli_" + std::to_string(getpid()) + "_" + name;
}

// `redirections` may replace the standard input and output set up here.
Result Spawn(const std::string& args, const std::string& input,
             const std::string& redirections = "") {
  const std::string in = TempFile("in"), out = TempFile("out"), err = TempFile("err");
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = std::string("'") + QUOTALIS_CLI + "' " + args + " <'" + in + "' >'" +
                              out + "' 2>'" + err + "' " + redirections;
  const int raw = std::system(command.c_str());
  Result r{Slurp(out), Slurp(err), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
  for (const std::string& file : {in, out, err}) std::remove(file.c_str());
  return r;
}

struct Row {
  const char* name;
  std::string args, in, redirections;
  std::string out;
  std::string errPhrase;  // empty: nothing on standard error
  int status;
};

TEST(CommandLineProcess, StatusesAndStreams) {
  const Row rows[] = {
      {"one entry", "--period 1 0.1666", "", "", "1/6\n", "", 0},
      {"detail", "--detail .5", "", "", "0.5\t5/10\t1/2\n", "", 0},
      {"bad entry", "1.2.3", "", "", "", "more than one point", 2},
      {"unknown option", "--frobnicate", "", "", "", "unknown option", 2},
      {"standard input, mixed lines", "--detail", "0.5\r\n.\n0\n", "",
       "0.5\t5/10\t1/2\nerror: the entry '.' is not a number: it holds no digit\n0\t0/1\t0/1\n", "",
       1},
      {"answer to a full device", "0.5", "", ">/dev/full", "", "cannot write", 1},
      {"lines to a full device", "", "0.5\n", ">/dev/full", "", "cannot write", 1},
      {"help to a full device", "--help", "", ">/dev/full", "", "cannot write", 1},
      {"standard input a folder", "", "", "</", "", "cannot read", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Result r = Spawn(row.args, row.in, row.redirections);
    EXPECT_EQ(r.out, row.out);
    if (row.errPhrase.empty()) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_TRUE(r.err.starts_with("quotalis-cli: ")) << r.err;
      EXPECT_NE(r.err.find(row.errPhrase), std::string::npos) << r.err;
    }
    EXPECT_EQ(r.status, row.status);
  }
}

// A program that feeds one line at a time gets each answer before it sends
// the next line: here the second line is "late" unless the first answer
// arrived within five seconds.
TEST(CommandLineProcess, AnswersEachLineBeforeTheNextArrives) {
  const std::string out = TempFile("talk");
  const std::string command = "rm -f '" + out + "'; { echo 0.5; i=0; until [ -s '" + out +
                              "' ] || [ $i -ge 500 ]; do sleep 0.01; i=$((i+1)); done; [ -s '" +
                              out + "' ] && echo 0.25 || echo late; } | '" + QUOTALIS_CLI +
                              "' > '" + out + "'";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(Slurp(out), "1/2\n1/4\n");
  std::remove(out.c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
}

}  // namespace
