// The string table read through gettext catalogs, and the choice of the language from a
// wish, the user's locale and the installed catalogs.
#include "core/language.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <map>

#include "core/strings.h"

namespace zarim {
namespace {

const std::string kDir = ZARIM_TEST_LOCALEDIR;

struct EnglishAfter : ::testing::Test {
  void TearDown() override { UseCatalog("", kDir); }
};

using CatalogLookup = EnglishAfter;

TEST_F(CatalogLookup, TranslatedTextsComeFromTheCatalogAndTheRestStaysEnglish) {
  setenv("LANGUAGE", "de", 1);
  std::setlocale(LC_MESSAGES, "C");
  EXPECT_EQ(UseCatalog("fr", kDir), 4);
  EXPECT_EQ(Str(Sid::kMonthJanuary), "janvier");
  EXPECT_EQ(Str(Sid::kMenuBarFile), "&Fichier");
  EXPECT_EQ(Str(Sid::kMonthFebruary), "February");
  EXPECT_EQ(EnglishStr(Sid::kMonthJanuary), "January");
  // The user's own settings are left as they were.
  EXPECT_STREQ(std::getenv("LANGUAGE"), "de");
  EXPECT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "C");
  unsetenv("LANGUAGE");

  EXPECT_EQ(UseCatalog("ru", kDir), 3);
  EXPECT_EQ(Str(Sid::kMonthJanuary), "Январь");
  EXPECT_EQ(Str(Sid::kMenuBarFile), "&File");
  EXPECT_EQ(UseCatalog("xx", kDir), 0);
  EXPECT_EQ(Str(Sid::kMonthJanuary), "January");
}

TEST(Language, ChoiceByCodeLocaleOrCatalogName) {
  struct Case {
    const char* wish;
    const char* code;
    const char* catalog;
    bool note;
  };
  const Case cases[] = {
      {"french", "french", "fr", false}, {"fr_FR.UTF-8", "french", "fr", false},
      {"fr", "french", "fr", false},     {"ru_RU.utf8@x", "rus", "ru", false},
      {"eng", "eng", "", false},         {"en_GB.UTF-8", "eng", "", false},
      {"C", "eng", "", false},           {"", "eng", "", false},
      {"hun", "hun", "", true},          {"klingon", "eng", "", true},
      {"de_DE.UTF-8", "eng", "", true},
  };
  for (const Case& c : cases) {
    LanguageChoice got = ChooseLanguage(c.wish, kDir);
    EXPECT_EQ(got.code, c.code) << c.wish;
    EXPECT_EQ(got.catalog, c.catalog) << c.wish;
    EXPECT_EQ(!got.note.empty(), c.note) << c.wish;
  }
}

TEST(Language, EnvironmentInGettextOrder) {
  using Env = std::map<std::string, std::string>;
  struct Case {
    Env env;
    const char* code;
  };
  const Case cases[] = {
      {{{"LANGUAGE", "de:ru"}, {"LANG", "fr_FR.UTF-8"}}, "rus"},
      {{{"LANGUAGE", "en:ru"}}, "eng"},
      {{{"LANGUAGE", "de"}, {"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "ru_RU"}}, "french"},
      {{{"LC_ALL", "C"}, {"LANG", "fr_FR"}}, "eng"},
      {{{"LC_ALL", ""}, {"LANG", "ru_RU.UTF-8"}}, "rus"},
      {{}, "eng"},
  };
  for (const Case& c : cases) {
    auto env = [&](const char* name) -> const char* {
      auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(LanguageFromEnvironment(kDir, env).code, c.code);
  }
}

TEST(Language, FormOffersTheSystemEnglishAndEveryCatalog) {
  LanguageForm form(InstalledLanguages(kDir), "rus");
  ASSERT_EQ(form.Items().size(), 4u);
  EXPECT_EQ(form.WishAt(0), "");
  EXPECT_EQ(form.WishAt(1), "eng");
  EXPECT_EQ(form.WishAt(2), "french");
  EXPECT_EQ(form.selection(), 3);
  EXPECT_NE(form.Items()[2].find("fran"), std::string::npos);
  EXPECT_NE(form.Confirmation(3).find(form.Items()[3]), std::string::npos);
  EXPECT_EQ(LanguageForm(InstalledLanguages(kDir), "unknown").selection(), 0);
}

}  // namespace
}  // namespace zarim
