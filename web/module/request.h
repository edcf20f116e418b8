// What the page asks the module: one JSON object, read into the command
// line's arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quotalis::web {

// {"entry": string, "period": string|null, "notation": string|null,
//  "mixed": bool, "explain": bool, "rounded": bool,
//  "maxDigits": number|"all"|null, "language": "ja"|"en"}
// Every field but "entry" may be left out: null, false, "ja". Unknown keys
// are passed over, so that a newer page works with an older module.
struct Request {
  std::string entry;
  std::optional<std::string> period;    // K as typed: "1", "１"
  std::optional<std::string> notation;  // a --notation name, checked by the command line
  bool mixed = false;
  bool explain = false;
  bool rounded = false;
  std::optional<std::string> maxDigits;  // digits, or "all"
  std::string language = "ja";
};

// The request read from `json`, or why it cannot be (an English sentence for
// the page's developer: the page itself never sends a malformed request).
//   {"entry":"0.1(6)"} -> entry "0.1(6)", the rest as left out
//   {"entry":1} -> "\"entry\" must be a string"
std::variant<Request, std::string> ReadRequest(std::string_view json);

// The command line's arguments for the request: options, then "--" and the
// entry, so that an entry such as "-1/2" is never read as an option.
//   {"entry":"1/7","notation":"dots","explain":true}
//     -> {"--json", "--explain", "--notation", "dots", "--", "1/7"}
// `json` false leaves out "--json"; `notation` replaces the request's.
std::vector<std::string> Arguments(const Request& request, bool json,
                                   std::optional<std::string_view> notation = std::nullopt);

}  // namespace quotalis::web
