// One JSON object on one line, built field by field.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quotalis::cli {

// `text` as a JSON string, quotes included: '"' and '\' escaped, control
// characters and the others that could drive a terminal (see IsUnsafeToShow)
// as \uXXXX, and each byte that is not
// well-formed UTF-8 as \uFFFD (the replacement character), so that the line
// is valid JSON whatever the input held.
//   "a\"b" -> "\"a\\\"b\""   "\x01" -> "\"\\u0001\""   "\xff" -> "\"\\ufffd\""
std::string JsonString(std::string_view text);

// The same, written to `out` as it goes, in blocks: a long text is not copied.
void WriteJsonString(std::ostream& out, std::string_view text);

class JsonObject {
 public:
  JsonObject& Add(std::string_view key, std::string_view text);
  JsonObject& Add(std::string_view key, const char* text) {
    return Add(key, std::string_view(text));
  }
  JsonObject& Add(std::string_view key, std::int64_t number);
  JsonObject& Add(std::string_view key, bool flag);
  JsonObject& AddNull(std::string_view key);
  // A number that may pass 64 bits, written out in decimal digits.
  JsonObject& AddDigits(std::string_view key, std::string_view digits);
  JsonObject& Add(std::string_view key, const std::vector<std::string>& texts);

  // "{...}", the fields in the order they were added; the object is spent.
  std::string Close();

 private:
  void Key(std::string_view key);
  std::string text_ = "{";
};

}  // namespace quotalis::cli
