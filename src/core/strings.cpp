// The string table, built from the subsystems' .def files.
#include "core/strings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace zarim {

namespace {

struct Entry {
  int number;
  std::string_view text;
};

const std::vector<Entry>& Table() {
  static const std::vector<Entry> table = [] {
    std::vector<Entry> t = {
#define ZSTR(name, number, text) {number, text},
#include "core/strings_all.def"
#undef ZSTR
    };
    std::stable_sort(t.begin(), t.end(),
                     [](const Entry& a, const Entry& b) { return a.number < b.number; });
    return t;
  }();
  return table;
}

}  // namespace

std::string_view StrByNumber(int number) {
  const auto& t = Table();
  auto it = std::lower_bound(t.begin(), t.end(), number,
                             [](const Entry& e, int n) { return e.number < n; });
  return it != t.end() && it->number == number ? it->text : std::string_view{};
}

std::string_view Str(Sid id) { return StrByNumber(static_cast<int>(id)); }

std::string Fill(std::string_view pattern, std::string_view a1, std::string_view a2) {
  std::string out;
  out.reserve(pattern.size() + a1.size() + a2.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      out += pattern[i + 1] == '1' ? a1 : a2;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

std::string PrintfText(std::string_view format, fmt::printf_args args) {
  try {
    return fmt::vsprintf(fmt::string_view(format.data(), format.size()), args);
  } catch (const fmt::format_error&) {
    // The one place where a format that does not fit its arguments is caught.
    return std::string(format);
  }
}

int StringCount() { return static_cast<int>(Table().size()); }
int StringNumberAt(int i) { return Table()[static_cast<size_t>(i)].number; }

}  // namespace zarim
