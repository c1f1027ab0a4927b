// Choosing the interface language and its catalog.
#include "core/language.h"

#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {

namespace fs = std::filesystem;

// "fr_FR.UTF-8@euro" -> "fr_FR"
std::string LocaleBase(std::string_view name) {
  size_t end = name.find_first_of(".@");
  return std::string(name.substr(0, end));
}

bool IsEnglish(std::string_view wish) {
  std::string base = LocaleBase(wish);
  return base == "eng" || base == "en" || base.rfind("en_", 0) == 0 || base == "C" ||
         base == "POSIX";
}

}  // namespace

std::string LocaleDir() {
  if (const char* dir = std::getenv("ZARIM_LOCALEDIR"); dir && *dir) return dir;
  const std::string program = ProgramFolder();
  if (program.empty()) return {};
  std::error_code ec;
  const fs::path bin(program);
  // Installed: PREFIX/bin/zarim beside PREFIX/share/locale. Built: BUILD/src/cli/zarim-cli
  // (and BUILD/tests/core/...) beside BUILD/locale.
  for (const fs::path& dir :
       {bin.parent_path() / "share" / "locale", bin.parent_path().parent_path() / "locale"})
    if (fs::is_directory(dir, ec)) return dir.string();
  return {};
}

std::vector<CatalogLanguage> InstalledLanguages(const std::string& locale_dir) {
  std::vector<CatalogLanguage> out;
  std::error_code ec;
  if (locale_dir.empty()) return out;
  for (const fs::directory_entry& entry : fs::directory_iterator(locale_dir, ec)) {
    if (!fs::is_regular_file(entry.path() / "LC_MESSAGES" / "zarim.mo", ec)) continue;
    std::string catalog = entry.path().filename().string();
    std::string code = CatalogText(catalog, locale_dir, Sid::kLanguageCode);
    if (!code.empty()) out.push_back({catalog, code});
  }
  std::sort(out.begin(), out.end(), [](const CatalogLanguage& a, const CatalogLanguage& b) {
    return a.catalog < b.catalog;
  });
  return out;
}

LanguageChoice ChooseLanguage(std::string_view wish, const std::string& locale_dir) {
  LanguageChoice choice;
  if (wish.empty() || IsEnglish(wish)) return choice;
  const std::string base = LocaleBase(wish);
  const std::string language = base.substr(0, base.find('_'));
  for (const CatalogLanguage& l : InstalledLanguages(locale_dir)) {
    if (l.code == wish || l.catalog == base || l.catalog == language) {
      choice.code = l.code;
      choice.catalog = l.catalog;
      return choice;
    }
  }
  if (IsLanguageCode(wish)) {
    choice.code = std::string(wish);
    choice.note = Fill(Sid::kLanguageNoCatalog, wish);
  } else {
    choice.note = Fill(Sid::kLanguageUnknown, wish);
  }
  return choice;
}

LanguageChoice LanguageFromEnvironment(const std::string& locale_dir, const EnvReader& env) {
  auto value = [&](const char* name) -> std::string {
    const char* v = env(name);
    return v ? v : "";
  };
  // LANGUAGE is a list of wishes; gettext skips the entries it has no catalog for.
  const std::string list = value("LANGUAGE");
  for (size_t start = 0; start < list.size();) {
    size_t end = std::min(list.find(':', start), list.size());
    std::string wish = list.substr(start, end - start);
    start = end + 1;
    if (wish.empty()) continue;
    if (IsEnglish(wish)) return {};
    LanguageChoice c = ChooseLanguage(wish, locale_dir);
    if (!c.catalog.empty()) return c;
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string wish = value(name);
    if (!wish.empty()) return ChooseLanguage(wish, locale_dir);
  }
  return {};
}

LanguageChoice UseLanguage(std::string_view wish, std::string* note) {
  const std::string dir = LocaleDir();
  LanguageChoice choice =
      wish.empty() ? LanguageFromEnvironment(dir, [](const char* n) { return std::getenv(n); })
                   : ChooseLanguage(wish, dir);
  UseCatalog(choice.catalog, dir);
  if (note) *note = choice.note;
  return choice;
}

namespace {

// A catalog's language named in itself ("français"), or its code when ICU has no name.
std::string OwnName(const CatalogLanguage& l) {
  UChar name[128];
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = uloc_getDisplayLanguage(l.catalog.c_str(), l.catalog.c_str(), name, 128, &status);
  if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || n <= 0) return l.code;
  char utf8[512];
  int32_t out = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(utf8, sizeof utf8, &out, name, n, &status);
  if (U_FAILURE(status)) return l.code;
  return std::string(utf8, static_cast<size_t>(out)) + " (" + l.code + ")";
}

}  // namespace

LanguageForm::LanguageForm(const std::vector<CatalogLanguage>& installed,
                           const std::string& current_wish) {
  items_ = {std::string(Str(Sid::kLanguageOfSystem)), std::string(Str(Sid::kLanguageEnglish))};
  wishes_ = {"", "eng"};
  for (const CatalogLanguage& l : installed) {
    items_.push_back(OwnName(l));
    wishes_.push_back(l.code);
  }
  for (size_t i = 0; i < wishes_.size(); ++i)
    if (wishes_[i] == current_wish) selection_ = static_cast<int>(i);
}

std::string LanguageForm::Title() const { return std::string(Str(Sid::kLanguageTitle)); }

std::string LanguageForm::WishAt(int i) const {
  return i >= 0 && static_cast<size_t>(i) < wishes_.size() ? wishes_[static_cast<size_t>(i)]
                                                           : std::string();
}

std::string LanguageForm::Confirmation(int i) const {
  if (i < 0 || static_cast<size_t>(i) >= items_.size()) return {};
  return Fill(Sid::kLanguageNextStart, items_[static_cast<size_t>(i)]);
}

}  // namespace zarim
