// The string table, built from the subsystems' .def files.
#include "core/strings.h"

#include <libintl.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

// glibc drops the translations it has cached when this counter changes.
extern "C" int _nl_msg_cat_cntr;

namespace zarim {

namespace {

constexpr const char* kDomain = "zarim";

struct Entry {
  int number;
  std::string_view english;
  std::string_view text;  // the translation in use, else the English text
};

constexpr size_t kStringTotal = 0
#define ZSTR(name, number, text) +1
#include "core/strings_all.def"
#undef ZSTR
    ;

// The texts in number order, put in order while compiling: each is placed by its number
// in one pass, so the program starts with the table ready. Two texts with one number
// stop the build.
constexpr std::array<Entry, kStringTotal> SortedTable() {
  constexpr Entry kListed[] = {
#define ZSTR(name, number, text) {number, text, text},
#include "core/strings_all.def"
#undef ZSTR
  };
  int top = 0;
  for (const Entry& e : kListed) top = std::max(top, e.number);
  std::vector<int> at(static_cast<size_t>(top) + 1, -1);
  for (size_t i = 0; i < kStringTotal; ++i) {
    int& slot = at[static_cast<size_t>(kListed[i].number)];
    if (slot >= 0) throw "two texts with one number";
    slot = static_cast<int>(i);
  }
  std::array<Entry, kStringTotal> sorted{};
  size_t n = 0;
  for (int i : at)
    if (i >= 0) sorted[n++] = kListed[static_cast<size_t>(i)];
  return sorted;
}

constinit std::array<Entry, kStringTotal> g_table = SortedTable();

std::array<Entry, kStringTotal>& Table() { return g_table; }

const Entry* Find(int number) {
  const auto& t = Table();
  auto it = std::lower_bound(t.begin(), t.end(), number,
                             [](const Entry& e, int n) { return e.number < n; });
  return it != t.end() && it->number == number ? &*it : nullptr;
}

// While it lives, gettext reads the catalog `catalog` whatever the user's locale says:
// LANGUAGE names the catalog and the message locale is one that honours it (gettext
// ignores LANGUAGE under "C"). Both are put back afterwards; the texts found stay valid,
// as gettext keeps a loaded catalog for the life of the process.
class CatalogSession {
 public:
  CatalogSession(const std::string& catalog, const std::string& locale_dir) {
    if (const char* v = std::getenv("LANGUAGE")) language_ = v;
    if (const char* v = std::setlocale(LC_MESSAGES, nullptr)) messages_ = v;
    bindtextdomain(kDomain, locale_dir.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    setenv("LANGUAGE", catalog.c_str(), 1);
    std::setlocale(LC_MESSAGES, "C.UTF-8");
    ++_nl_msg_cat_cntr;
  }
  ~CatalogSession() {
    if (language_)
      setenv("LANGUAGE", language_->c_str(), 1);
    else
      unsetenv("LANGUAGE");
    std::setlocale(LC_MESSAGES, messages_.c_str());
    ++_nl_msg_cat_cntr;
  }
  CatalogSession(const CatalogSession&) = delete;
  CatalogSession& operator=(const CatalogSession&) = delete;

  // The translation of a text, looked up with its number as the context; null when the
  // catalog has none.
  static const char* Lookup(const Entry& e) {
    if (e.english.empty()) return nullptr;
    std::string key = std::to_string(e.number);
    key += '\004';
    key += e.english;
    const char* found = dgettext(kDomain, key.c_str());
    return found == key.c_str() ? nullptr : found;
  }

 private:
  std::optional<std::string> language_;
  std::string messages_ = "C";
};

}  // namespace

std::string_view StrByNumber(int number) {
  const Entry* e = Find(number);
  return e ? e->text : std::string_view{};
}

std::string_view Str(Sid id) { return StrByNumber(static_cast<int>(id)); }

std::string_view EnglishStr(Sid id) {
  const Entry* e = Find(static_cast<int>(id));
  return e ? e->english : std::string_view{};
}

int UseCatalog(const std::string& catalog, const std::string& locale_dir) {
  auto& t = Table();
  for (Entry& e : t) e.text = e.english;
  if (catalog.empty()) return 0;
  CatalogSession session(catalog, locale_dir);
  int translated = 0;
  for (Entry& e : t) {
    if (const char* found = CatalogSession::Lookup(e)) {
      e.text = found;
      ++translated;
    }
  }
  return translated;
}

std::string CatalogText(const std::string& catalog, const std::string& locale_dir, Sid id) {
  const Entry* e = Find(static_cast<int>(id));
  if (!e || catalog.empty()) return {};
  CatalogSession session(catalog, locale_dir);
  const char* found = CatalogSession::Lookup(*e);
  return found ? found : std::string();
}

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
