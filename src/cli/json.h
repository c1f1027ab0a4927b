// A small JSON writer for the command line's machine-readable output.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zarim::cli {

class Json {
 public:
  explicit Json(std::ostream& out) : out_(out) {}
  ~Json() { out_ << '\n'; }

  Json& BeginObject() {
    Sep();
    out_ << '{';
    stack_.push_back(true);
    return *this;
  }
  Json& EndObject() {
    stack_.pop_back();
    out_ << '}';
    return *this;
  }
  Json& BeginArray() {
    Sep();
    out_ << '[';
    stack_.push_back(true);
    return *this;
  }
  Json& EndArray() {
    stack_.pop_back();
    out_ << ']';
    return *this;
  }
  Json& Key(std::string_view k) {
    Sep();
    Str(k);
    out_ << ':';
    key_pending_ = true;
    return *this;
  }
  Json& Value(std::string_view s) {
    Sep();
    Str(s);
    return *this;
  }
  Json& Value(const char* s) { return Value(std::string_view(s)); }
  Json& Value(long long v) {
    Sep();
    out_ << v;
    return *this;
  }
  Json& Value(int v) { return Value(static_cast<long long>(v)); }
  Json& Value(unsigned v) { return Value(static_cast<long long>(v)); }
  Json& Value(double v) {
    Sep();
    out_ << v;
    return *this;
  }
  Json& Value(bool b) {
    Sep();
    out_ << (b ? "true" : "false");
    return *this;
  }
  template <typename T>
  Json& Field(std::string_view k, const T& v) {
    Key(k);
    return Value(v);
  }

 private:
  void Sep() {
    if (key_pending_) {
      key_pending_ = false;
      return;
    }
    if (!stack_.empty()) {
      if (!stack_.back()) out_ << ',';
      stack_.back() = false;
    }
  }
  void Str(std::string_view s) {
    out_ << '"';
    for (unsigned char c : s) {
      switch (c) {
        case '"':
          out_ << "\\\"";
          break;
        case '\\':
          out_ << "\\\\";
          break;
        case '\n':
          out_ << "\\n";
          break;
        case '\r':
          out_ << "\\r";
          break;
        case '\t':
          out_ << "\\t";
          break;
        default:
          if (c < 0x20) {
            static const char* hex = "0123456789abcdef";
            out_ << "\\u00" << hex[c >> 4] << hex[c & 15];
          } else {
            out_ << c;
          }
      }
    }
    out_ << '"';
  }
  std::ostream& out_;
  std::vector<bool> stack_;
  bool key_pending_ = false;
};

}  // namespace zarim::cli
