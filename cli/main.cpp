// quotalis-cli: the conversion engine on the command line (see cli.h).
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/language.h"

int main(int argc, char** argv) {
  quotalis::cli::UseLocaleLanguage();
  // Unsynchronised streams report a failed read or write as a stream error
  // that RunCli can see, where stdio would keep it to itself.
  std::ios::sync_with_stdio(false);
  // RunCli passes its answers on itself whenever the input runs dry; tied,
  // every character read would flush them.
  std::cin.tie(nullptr);
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return quotalis::RunCli(args, std::cin, std::cout, std::cerr, quotalis::cli::LocaleWords());
  } catch (const std::exception& e) {
    std::cerr << "quotalis-cli: " << e.what() << '\n';
    return quotalis::kExitFailed;
  }
}
