// The interface language: which gettext catalog the string table is read through, and
// the program's language code that selects the language rules.
//
// A catalog is po/LANG.po compiled to LOCALEDIR/LANG/LC_MESSAGES/zarim.mo, LANG being a
// locale name ("fr", "pt"). Each catalog names its language code in its translation of
// the language-code text ("french", "ptg"), so adding a language is adding a .po file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarim {

// The folder holding the compiled catalogs: $ZARIM_LOCALEDIR when set, else
// share/locale beside the installed program, else the locale folder of the build tree
// the program was started from.
std::string LocaleDir();

struct CatalogLanguage {
  std::string catalog;  // "fr"
  std::string code;     // "french"
};
// Every compiled catalog under a locale folder, by catalog name.
std::vector<CatalogLanguage> InstalledLanguages(const std::string& locale_dir);

struct LanguageChoice {
  std::string code = "eng";  // the language code of the rules
  std::string catalog;       // the catalog the texts come from; empty for English
  std::string note;          // why a wish fell back to English; empty when it did not
};

// The language a wish names: a language code ("french", "hun"), a catalog or locale name
// ("fr", "fr_FR.UTF-8"), "eng"/"en"/"C" for English. A code that has language rules but
// no catalog keeps its rules with English texts; anything else is English with a note.
LanguageChoice ChooseLanguage(std::string_view wish, const std::string& locale_dir);

// The language the user's locale asks for, in the order gettext reads it: each entry of
// LANGUAGE that has a catalog, else the first of LC_ALL, LC_MESSAGES, LANG that is set.
using EnvReader = std::function<const char*(const char*)>;
LanguageChoice LanguageFromEnvironment(const std::string& locale_dir, const EnvReader& env);

// Chooses the language (the wish, or the environment when the wish is empty), reads the
// string table through its catalog and gives the note of a fallback in `note`.
// Call it at start, before other threads read the table.
LanguageChoice UseLanguage(std::string_view wish, std::string* note);

// "Language" (Options): the language of the system, English and every installed
// catalog, each by its own name. The choice is a wish for ChooseLanguage, kept in the
// user's configuration and used from the next start.
class LanguageForm {
 public:
  LanguageForm(const std::vector<CatalogLanguage>& installed, const std::string& current_wish);
  std::string Title() const;
  const std::vector<std::string>& Items() const { return items_; }
  int selection() const { return selection_; }
  // The wish of item i ("" for the language of the system, "eng", "french"...).
  std::string WishAt(int i) const;
  // The message shown after item i was chosen.
  std::string Confirmation(int i) const;

 private:
  std::vector<std::string> items_;
  std::vector<std::string> wishes_;
  int selection_ = 0;
};

}  // namespace zarim
