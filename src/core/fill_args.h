// Texts of the string table with more than two places (%1 .. %9) to fill.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zarim {

// The text with %n replaced by the n-th argument (1-based); a place without an argument
// is left as it stands.
inline std::string FillArgs(std::string_view pattern,
                            std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t n = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : 9;
    if (pattern[i] == '%' && n < args.size()) {
      out += *(args.begin() + n);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace zarim
