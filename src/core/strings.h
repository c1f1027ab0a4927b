// The program's string table. Every message, caption and label lives here once; code
// names a text by its identifier and never repeats the literal.
//
// Each subsystem keeps its texts in its own strings_<subsystem>.def file as lines
//   ZSTR(kName, number, "text")
// Numbered texts keep the number the program has always used for them; texts without a
// number take one from the subsystem's own range (see strings_core.def).
#pragma once

#include <fmt/printf.h>

#include <string>
#include <string_view>

namespace zarim {

enum class Sid : int {
#define ZSTR(name, number, text) name = number,
#include "core/strings_all.def"
#undef ZSTR
};

// The text of a string (UTF-8). An unknown number gives an empty view.
std::string_view Str(Sid id);
std::string_view StrByNumber(int number);

// Single-argument formatting: "%1" and "%2" replaced by the arguments.
std::string Fill(std::string_view pattern, std::string_view a1, std::string_view a2 = {});
inline std::string Fill(Sid id, std::string_view a1, std::string_view a2 = {}) {
  return Fill(Str(id), a1, a2);
}

// printf-style formatting for the texts that the program formats itself ("%s", "%d").
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf-style formatting of a text of the table ("%s", "%4d", ...). The text comes from
// the table at run time, where the compiler cannot check it: its conversions are checked
// against the arguments as it is rendered, and a text that does not fit them (a
// translation with a wrong conversion) gives the bare text instead of undefined
// behaviour.
std::string PrintfText(std::string_view format, fmt::printf_args args);
template <typename... Args>
std::string Printf(Sid id, const Args&... args) {
  return PrintfText(Str(id), fmt::make_printf_args(args...));
}

// Reads the table's texts through the gettext catalog `catalog` (a locale name such as
// "fr") under `locale_dir` (LANG/LC_MESSAGES/zarim.mo); a text the catalog leaves
// untranslated, an empty name or a missing catalog gives the English text. Returns the
// count of translated texts. Call it at start, before other threads read the table.
int UseCatalog(const std::string& catalog, const std::string& locale_dir);
// One text as a catalog translates it, without switching to that catalog; empty when the
// catalog does not translate it.
std::string CatalogText(const std::string& catalog, const std::string& locale_dir, Sid id);
// The English text, whatever catalog is in use.
std::string_view EnglishStr(Sid id);

// Every number in the table once, in ascending order; for the table's own checks.
int StringCount();
int StringNumberAt(int i);

}  // namespace zarim
