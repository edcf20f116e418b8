#include "cli/json.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include <quotalis/exact/utf8.h>

#include "cli/quote.h"

namespace quotalis::cli {

namespace {

// Appends `text` escaped, without the quotes.
void AppendEscaped(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  while (!text.empty()) {
    const std::optional<exact::CodePoint> c = exact::FirstCodePoint(text);
    if (!c) {
      out += "\\ufffd";
      text.remove_prefix(1);
      continue;
    }
    const char32_t v = c->value;
    if (v == '"' || v == '\\') {
      out += '\\';
      out += static_cast<char>(v);
    } else if (IsUnsafeToShow(v)) {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(v >> shift) & 0xf];
    } else {
      out.append(text.substr(0, c->length));
    }
    text.remove_prefix(c->length);
  }
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  AppendEscaped(out, text);
  out += '"';
  return out;
}

void WriteJsonString(std::ostream& out, std::string_view text) {
  constexpr std::size_t kBlock = std::size_t{64} << 10;
  std::string block;
  out << '"';
  while (!text.empty()) {
    // A block ends at a character's start: a UTF-8 character is never split.
    std::size_t end = std::min(kBlock, text.size());
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 &&
           end < kBlock + 4) {
      ++end;
    }
    block.clear();
    AppendEscaped(block, text.substr(0, end));
    out << block;
    text.remove_prefix(end);
  }
  out << '"';
}

void JsonObject::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ',';
  text_ += JsonString(key);
  text_ += ':';
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view text) {
  Key(key);
  text_ += JsonString(text);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::int64_t number) {
  Key(key);
  text_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, bool flag) {
  Key(key);
  text_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::AddNull(std::string_view key) {
  Key(key);
  text_ += "null";
  return *this;
}

JsonObject& JsonObject::AddDigits(std::string_view key, std::string_view digits) {
  Key(key);
  text_ += digits;
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, const std::vector<std::string>& texts) {
  Key(key);
  text_ += '[';
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) text_ += ',';
    text_ += JsonString(texts[i]);
  }
  text_ += ']';
  return *this;
}

std::string JsonObject::Close() {
  text_ += '}';
  return std::move(text_);
}

}  // namespace quotalis::cli
