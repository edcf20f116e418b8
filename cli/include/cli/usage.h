// The text of quotalis-cli --help.
#pragma once

#include <string_view>

namespace quotalis::cli {

// Every option on its own line, starting with two spaces and the option's
// name, with an example, the input forms, the answer's forms and the exit
// statuses. Ends with a newline.
std::string_view UsageText();

}  // namespace quotalis::cli
