#include "request.h"

#include <cstddef>
#include <cstdint>

namespace quotalis::web {

namespace {

// A JSON value of the kinds a request holds: no arrays or objects inside.
struct Value {
  enum class Kind { Null, Bool, Number, String } kind = Kind::Null;
  bool flag = false;
  std::string text;  // a string's characters, or a number as written
};

class Reader {
 public:
  explicit Reader(std::string_view json) : json_(json) {}

  void Blanks() {
    while (at_ < json_.size() &&
           (json_[at_] == ' ' || json_[at_] == '\t' || json_[at_] == '\n' || json_[at_] == '\r')) {
      ++at_;
    }
  }
  bool Take(char c) {
    Blanks();
    if (at_ < json_.size() && json_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool AtEnd() {
    Blanks();
    return at_ == json_.size();
  }
  bool Word(std::string_view word) {
    Blanks();
    if (json_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  // The four hex digits of a \u escape.
  std::optional<char32_t> Hex4() {
    if (json_.size() - at_ < 4) return std::nullopt;
    char32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = json_[at_++];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<char32_t>(digit);
    }
    return value;
  }

  static void Append(std::string& out, char32_t c) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80) {
      out += byte(c);
    } else if (c < 0x800) {
      out += byte(0xC0 | (c >> 6));
      out += byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += byte(0xE0 | (c >> 12));
      out += byte(0x80 | ((c >> 6) & 0x3F));
      out += byte(0x80 | (c & 0x3F));
    } else {
      out += byte(0xF0 | (c >> 18));
      out += byte(0x80 | ((c >> 12) & 0x3F));
      out += byte(0x80 | ((c >> 6) & 0x3F));
      out += byte(0x80 | (c & 0x3F));
    }
  }

  // A string after its opening quote. A lone surrogate becomes U+FFFD, as
  // JavaScript's own encoding to UTF-8 makes it.
  std::optional<std::string> String() {
    std::string out;
    while (at_ < json_.size()) {
      const char c = json_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ == json_.size()) return std::nullopt;
      const char e = json_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          std::optional<char32_t> unit = Hex4();
          if (!unit) return std::nullopt;
          char32_t c32 = *unit;
          if (c32 >= 0xD800 && c32 <= 0xDBFF && json_.substr(at_, 2) == "\\u") {
            const std::size_t back = at_;
            at_ += 2;
            const std::optional<char32_t> low = Hex4();
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
              c32 = 0x10000 + ((c32 - 0xD800) << 10) + (*low - 0xDC00);
            } else {
              at_ = back;
            }
          }
          if (c32 >= 0xD800 && c32 <= 0xDFFF) c32 = 0xFFFD;
          Append(out, c32);
          break;
        }
        default: return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::optional<Value> Read() {
    Blanks();
    Value v;
    if (Take('"')) {
      std::optional<std::string> s = String();
      if (!s) return std::nullopt;
      v.kind = Value::Kind::String;
      v.text = std::move(*s);
      return v;
    }
    if (Word("null")) return v;
    if (Word("true") || Word("false")) {
      v.kind = Value::Kind::Bool;
      v.flag = json_[at_ - 4] == 't';
      return v;
    }
    // A number: JSON's form, kept as written.
    const std::size_t start = at_;
    if (at_ < json_.size() && json_[at_] == '-') ++at_;
    while (at_ < json_.size() &&
           (std::string_view("0123456789.eE+-").find(json_[at_]) != std::string_view::npos)) {
      ++at_;
    }
    if (at_ == start) return std::nullopt;
    v.kind = Value::Kind::Number;
    v.text = std::string(json_.substr(start, at_ - start));
    return v;
  }

 private:
  std::string_view json_;
  std::size_t at_ = 0;
};

// A whole number as --max-digits takes it: digits alone ("4", "1e3" is not).
bool IsWholeNumber(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::variant<Request, std::string> ReadRequest(std::string_view json) {
  Reader reader(json);
  Request request;
  bool entry = false;
  if (!reader.Take('{')) return std::string("the request must be a JSON object");
  bool first = true;
  while (!reader.Take('}')) {
    if (!first && !reader.Take(',')) return std::string("the request is not well-formed JSON");
    first = false;
    if (!reader.Take('"')) return std::string("the request is not well-formed JSON");
    const std::optional<std::string> key = reader.String();
    if (!key || !reader.Take(':')) return std::string("the request is not well-formed JSON");
    const std::optional<Value> value = reader.Read();
    if (!value) return std::string("the request is not well-formed JSON");
    using Kind = Value::Kind;
    const auto stringOrNull = [&](std::optional<std::string>& field) -> std::optional<std::string> {
      if (value->kind == Kind::Null) {
        field.reset();
      } else if (value->kind == Kind::String) {
        field = value->text;
      } else {
        return "\"" + *key + "\" must be a string or null";
      }
      return std::nullopt;
    };
    const auto flag = [&](bool& field) -> std::optional<std::string> {
      if (value->kind != Kind::Bool) return "\"" + *key + "\" must be true or false";
      field = value->flag;
      return std::nullopt;
    };
    std::optional<std::string> wrong;
    if (*key == "entry") {
      if (value->kind != Kind::String) return std::string("\"entry\" must be a string");
      request.entry = value->text;
      entry = true;
    } else if (*key == "period") {
      wrong = stringOrNull(request.period);
    } else if (*key == "notation") {
      wrong = stringOrNull(request.notation);
    } else if (*key == "mixed") {
      wrong = flag(request.mixed);
    } else if (*key == "explain") {
      wrong = flag(request.explain);
    } else if (*key == "rounded") {
      wrong = flag(request.rounded);
    } else if (*key == "language") {
      if (value->kind != Kind::String) return std::string("\"language\" must be a string");
      request.language = value->text;
    } else if (*key == "maxDigits") {
      if (value->kind == Kind::Null) {
        request.maxDigits.reset();
      } else if ((value->kind == Kind::Number && IsWholeNumber(value->text)) ||
                 (value->kind == Kind::String && value->text == "all")) {
        request.maxDigits = value->text;
      } else {
        return std::string("\"maxDigits\" must be a whole number, \"all\" or null");
      }
    }
    if (wrong) return *wrong;
  }
  if (!reader.AtEnd()) return std::string("the request is not well-formed JSON");
  if (!entry) return std::string("the request has no \"entry\"");
  return request;
}

std::vector<std::string> Arguments(const Request& request, bool json,
                                   std::optional<std::string_view> notation) {
  std::vector<std::string> args;
  if (json) args.emplace_back("--json");
  if (request.explain) args.emplace_back("--explain");
  if (request.mixed) args.emplace_back("--mixed");
  if (request.rounded) args.emplace_back("--rounded");
  if (notation) {
    args.emplace_back("--notation");
    args.emplace_back(*notation);
  } else if (request.notation) {
    args.emplace_back("--notation");
    args.push_back(*request.notation);
  }
  if (request.period) {
    args.emplace_back("--period");
    args.push_back(*request.period);
  }
  if (request.maxDigits) {
    args.emplace_back("--max-digits");
    args.push_back(*request.maxDigits);
  }
  args.emplace_back("--");
  args.push_back(request.entry);
  return args;
}

}  // namespace quotalis::web
