// quotalis-cli: the conversion engine on the command line (see cli.h).
#include <unistd.h>

#include <exception>
#include <iostream>
#include <new>
#include <string_view>
#include <vector>

#include <quotalis/exact/memory.h>

#include "cli/cli.h"
#include "cli/language.h"
#include "words/words.h"

int main(int argc, char** argv) {
  using quotalis::words::N_;
  // First of all, before any number exists: running out of memory in GMP
  // becomes an error of the entry at hand rather than the end of the run.
  quotalis::exact::ThrowWhenMemoryRunsOut();
  quotalis::cli::UseLocaleLanguage();
  const quotalis::words::Words& words = quotalis::cli::LocaleWords();
  // Unsynchronised streams report a failed read or write as a stream error
  // that RunCli can see, where stdio would keep it to itself.
  std::ios::sync_with_stdio(false);
  // RunCli passes its answers on itself whenever the input runs dry; tied,
  // every character read would flush them.
  std::cin.tie(nullptr);
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return quotalis::RunCli(args, std::cin, std::cout, std::cerr, words, isatty(STDIN_FILENO) == 1);
  } catch (const std::bad_alloc&) {
    std::cerr << "quotalis-cli: " << words.Translate(N_("out of memory")) << '\n';
  } catch (const std::exception& e) {
    std::cerr << "quotalis-cli: "
              << quotalis::words::Say(words, N_("internal error: {1}"), {e.what()}) << '\n';
  }
  return quotalis::kExitFailed;
}
