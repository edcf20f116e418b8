// The real quotalis-cli, run as a process through the shell: exit statuses,
// what lands on which stream, and failures of the streams themselves.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "cli_spawn.h"

namespace {

using cli_spawn::Result;
using cli_spawn::Slurp;
using cli_spawn::Spawn;
using cli_spawn::TempFile;

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
      {"bad entry", "1.2.3", "", "", "", "a second point", 2},
      {"unknown option", "--frobnicate", "", "", "", "unknown option", 2},
      {"standard input, mixed lines", "--detail", "0.5\r\n.\n0\n", "",
       "0.5\t5/10\t1/2\nerror: '.': the point at character 1 has no digits on either "
       "side\n0\t0/1\t0/1\n",
       "", 1},
      {"answer to a full device", "0.5", "", ">/dev/full", "", "cannot write", 1},
      {"lines to a full device", "", "0.5\n", ">/dev/full", "", "cannot write", 1},
      {"help to a full device", "--help", "", ">/dev/full", "", "cannot write", 1},
      {"standard input a folder", "", "", "</", "", "cannot read", 1},
      {"a fraction", "1/7", "", "", "0.(142857)\n", "", 0},
      {"a notation", "'0.1(6)'", "", "", "1/6\n", "", 0},
      {"a positioned error", "'0.1(6'", "", "", "",
       "the parenthesis opened at character 4 is never closed", 2},
      {"a JSON error on standard output", "--json '0.1(6'", "", "",
       "{\"input\":\"0.1(6\",\"error\":\"'0.1(6': the parenthesis opened at character 4 is "
       "never closed\",\"kind\":\"syntax\",\"position\":4}\n",
       "", 2},
      {"the keypad cannot type it", "--notation keypad -- -1/2", "", "", "", "negative", 1},
      {"every notation on standard input", "--notation dots", "1/6\n0.1'6'\n1.234r56\n", "",
       "0.16\u0307\n1/6\n61111/49500\n", "", 0},
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

// The longest period the issue names, written whole in one go: every digit
// against long division here.
TEST(CommandLineProcess, WritesTheWholePeriodOf1Over9999943) {
  const Result r = Spawn("--max-digits all 1/9999943", "");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.out.size(), 9'999'942u + 5u);
  EXPECT_EQ(r.out.substr(0, 3), "0.(");
  EXPECT_EQ(r.out.substr(r.out.size() - 2), ")\n");
  std::uint64_t remainder = 1;
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < 9'999'942u; ++i) {
    remainder *= 10;
    if (r.out[3 + i] != static_cast<char>('0' + remainder / 9'999'943)) ++wrong;
    remainder %= 9'999'943;
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_EQ(remainder, 1u);  // the period closes where it started
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

struct TerminalRow {
  const char* language;  // LANGUAGE
  std::string err;
};

// At a terminal, with no entry, the program says on standard error what it
// waits for before it reads a line, in the user's language; the answers are
// the same.
TEST(CommandLineProcess, HintsWhenStandardInputIsATerminal) {
  const TerminalRow rows[] = {
      {"en",
       "quotalis-cli: reading \"ENTRY [K]\" lines from standard input; press Ctrl-D to end "
       "(quotalis-cli --help for more)\n"},
      {"ja",
       "quotalis-cli: 標準入力から「数 [K]」を1行ずつ読み取ります。終わるときは Ctrl-D "
       "を押してください（詳しくは quotalis-cli --help）\n"},
  };
  for (const TerminalRow& row : rows) {
    SCOPED_TRACE(row.language);
    int terminal = -1, side = -1;
    ASSERT_EQ(openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    const std::string out = TempFile("tty_out"), err = TempFile("tty_err");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      dup2(side, STDIN_FILENO);
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
      close(terminal);
      close(side);
      setenv("LC_ALL", "C.UTF-8", 1);
      setenv("LANGUAGE", row.language, 1);
      alarm(20);  // never left waiting for a terminal that says nothing
      execl(QUOTALIS_CLI, "quotalis-cli", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(side);
    // A line, then the end of the input as a person types it: Ctrl-D.
    EXPECT_EQ(write(terminal, "0.5\n\x04", 5), 5);
    int status = -1;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Slurp(out), "1/2\n");
    EXPECT_EQ(Slurp(err), row.err);
    std::remove(out.c_str());
    std::remove(err.c_str());
  }
}

}  // namespace
