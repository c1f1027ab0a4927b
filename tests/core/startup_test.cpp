// Document creation: the early start on the 24th and the 25th, the working month across
// the year's end, the locale by language code, the sort-order option, the password gate
// and the start-up notice.
#include "core/startup.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <string>

#include "core/app_options.h"
#include "core/document.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/settings.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::ScriptedPrompter;
using testing::TempDir;

class RefusingRunner : public PasswordRunner {
 public:
  void Run(PasswordForm& form) override {
    ++shown;
    form.Ok();
    form.Ok();
  }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
  int shown = 0;
};

class TypingRunner : public PasswordRunner {
 public:
  explicit TypingRunner(std::string text) : text_(std::move(text)) {}
  void Run(PasswordForm& form) override { form.TextChanged(text_); }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }

 private:
  std::string text_;
};

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

class Startup : public ::testing::Test {
 protected:
  // Creates a document on the folder for a given day.
  bool Create(CZarimDoc& doc, Date today, const std::string& lang = "eng") {
    FixedClock clock(today);
    StartupOptions options;
    options.data_folder = dir_.path();
    options.language_code = lang;
    settings_ = std::make_unique<SettingsFile>(dir_.path());
    return CreateDocument(doc, options, clock, *settings_, runner_);
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  RefusingRunner runner_;
  std::unique_ptr<SettingsFile> settings_;
};

TEST_F(Startup, WorkingMonthIsTheMonthBeforeTodayAcrossTheYearsEnd) {
  struct Case {
    Date today;
    int month, year;
  } cases[] = {
      {{2024, 3, 3}, 1, 24},    // March -> February
      {{2024, 1, 10}, 11, 23},  // January -> December of the previous year
      {{2024, 2, 29}, 0, 24},
      {{2025, 12, 31}, 10, 25},
  };
  for (const Case& c : cases) {
    CZarimDoc doc(&prompter_);
    ASSERT_TRUE(Create(doc, c.today));
    EXPECT_EQ(doc.working_month, c.month) << c.today.month << "/" << c.today.day;
    EXPECT_EQ(doc.working_year, c.year);
    EXPECT_EQ(doc.working_serial, c.year * 12 + c.month);
  }
}

TEST_F(Startup, OnThe24thTheEarlyKeysAreClearedInTheFileAtOnce) {
  dir_.Write("zarim.ini", "[Early]\r\nYear=24\r\nMonth=4\r\n");
  CZarimDoc doc(&prompter_);
  ASSERT_TRUE(Create(doc, {2024, 3, 24}));
  EXPECT_EQ(doc.early_year, 0u);
  EXPECT_EQ(doc.early_month, 0u);
  EXPECT_EQ(doc.working_month, 1);  // February, from the calendar
  IniFile saved;
  saved.Parse(Text(dir_.Read("zarim.ini")));
  EXPECT_EQ(saved.GetInt("Early", "Year", -1), 0);
  EXPECT_EQ(saved.GetInt("Early", "Month", -1), 0);
}

TEST_F(Startup, FromThe25thTheEarlyStartMovesTheWorkingMonthForward) {
  // March was opened early on the 26th: the keys name April, the month after it.
  dir_.Write("zarim.ini", "[Early]\r\nYear=24\r\nMonth=4\r\n");
  CZarimDoc doc(&prompter_);
  ASSERT_TRUE(Create(doc, {2024, 3, 27}));
  EXPECT_EQ(doc.early_year, 24u);
  EXPECT_EQ(doc.early_month, 4u);
  EXPECT_EQ(doc.working_month, 2);  // March
  EXPECT_EQ(doc.working_year, 24);
}

TEST_F(Startup, TheEarlyStartAcrossTheYearsEnd) {
  // December 2023 opened early on 28 December: the keys name January 2024.
  dir_.Write("zarim.ini", "[Early]\r\nYear=24\r\nMonth=1\r\n");
  CZarimDoc doc(&prompter_);
  ASSERT_TRUE(Create(doc, {2023, 12, 28}));
  EXPECT_EQ(doc.working_month, 11);
  EXPECT_EQ(doc.working_year, 23);
}

TEST_F(Startup, WithoutEarlyKeysThe25thKeepsTheCalendar) {
  CZarimDoc doc(&prompter_);
  ASSERT_TRUE(Create(doc, {2024, 3, 25}));
  EXPECT_EQ(doc.working_month, 1);
  EXPECT_FALSE(FileExists(dir_.File("zarim.ini")));  // nothing to clear, nothing written
}

TEST(LocaleByLanguage, TheTableInItsOrder) {
  struct Case {
    const char* code;
    const char* locale;
  } cases[] = {
      {"rus", "rus"},
      {"urk", "rus"},
      {"turkish", "turkish"},
      {"french", "french"},
      {"czech", "czech"},
      {"polish", "polish"},
      {"hrvatski", "polish"},
      {"slovenian", "polish"},
      {"slovak", "slovak"},
      {"greek", "greek"},
      {"dutch", "dutch"},
      {"tha", "tha"},
      {"hun", "hun"},
      {"lt", "lt"},
      {"estonian", "et"},
      {"rom", "romanian"},
      {"vie", "vie"},
      {"eng", ""},
      {"ptg", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LocaleNameForLanguage(c.code), c.locale) << c.code;
}

TEST(LocaleByLanguage, EveryTableNameMapsToASystemLocale) {
  for (const char* name : {"rus", "turkish", "french", "czech", "polish", "slovak", "greek",
                           "dutch", "tha", "hun", "lt", "et", "romanian", "vie"})
    EXPECT_FALSE(SystemLocaleCandidates(name).empty()) << name;
  EXPECT_EQ(SystemLocaleCandidates("polish").front(), "pl_PL.UTF-8");
}

TEST(LocaleByLanguage, DefaultLocaleStaysForEnglishAndWhenNothingIsInstalled) {
  std::string before = std::setlocale(LC_ALL, nullptr);
  EXPECT_EQ(ApplyRuntimeLocale("eng"), "");
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
  std::string set = ApplyRuntimeLocale("hrvatski");
  if (set.empty()) {
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);  // not installed: unchanged
  } else {
    EXPECT_EQ(set.rfind("pl_PL", 0), 0u);
  }
  std::setlocale(LC_ALL, before.c_str());
}

TEST_F(Startup, SortOrderOptionIsResetUnlessPtg) {
  dir_.Write("zarim.ini", "[First Name Order]\r\nEnabled=1\r\n");
  CZarimDoc eng(&prompter_);
  ASSERT_TRUE(Create(eng, {2024, 3, 10}, "eng"));
  EXPECT_EQ(eng.options.sort_first_name, 0);
  CZarimDoc ptg(&prompter_);
  ASSERT_TRUE(Create(ptg, {2024, 3, 10}, "ptg"));
  EXPECT_EQ(ptg.options.sort_first_name, 1);
}

TEST_F(Startup, StartupNoticeIsShownUnlessSwitchedOff) {
  CZarimDoc doc(&prompter_);
  ASSERT_TRUE(Create(doc, {2024, 3, 10}));
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(
      prompter_.messages[0],
      "This program is provided to assist with calculations when collecting and preparing the "
      "monthly report.  It does not replace or modify any of the organization's instructions for "
      "the secretary.  All record cards and forms provided by the organization must be promptly "
      "maintained as instructed.");
  prompter_.messages.clear();
  dir_.Write("zarim.ini", "[Nag]\r\nEnabled=1\r\n");
  CZarimDoc quiet(&prompter_);
  ASSERT_TRUE(Create(quiet, {2024, 3, 10}));
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(Startup, ARefusedPasswordEndsCreationAndAnAcceptedOneLoads) {
  {
    FixedClock clock({2024, 3, 10});
    Congregation owner(&prompter_);
    ASSERT_TRUE(testing::OpenOwner(owner, dir_.path(), clock));
    EditScope edit = owner.Edit();
    testing::AddRecord(edit.doc(), testing::MakePublisher(10, "Ann", "Lee"));
    SetPassword(edit.doc(), "secret");
    edit.Commit();
    ASSERT_TRUE(owner.Save() && owner.Close());
  }
  CZarimDoc refused(&prompter_);
  EXPECT_FALSE(Create(refused, {2024, 3, 10}));
  EXPECT_EQ(runner_.shown, 1);
  EXPECT_EQ(refused.count, 0);

  CZarimDoc doc(&prompter_);
  FixedClock clock({2024, 3, 10});
  StartupOptions options;
  options.data_folder = dir_.path();
  int after_load_runs = 0;
  options.after_load = [&](CZarimDoc&) { ++after_load_runs; };
  SettingsFile settings(dir_.path());
  TypingRunner typing("secret");
  ASSERT_TRUE(CreateDocument(doc, options, clock, settings, typing));
  EXPECT_EQ(doc.count, 2);
  EXPECT_EQ(after_load_runs, 1);
}

TEST_F(Startup, SettingsAreWrittenWithTheNextSave) {
  FixedClock clock({2024, 3, 10});
  Congregation owner(&prompter_);
  ASSERT_TRUE(testing::OpenOwner(owner, dir_.path(), clock));
  EditScope edit = owner.Edit();
  ToggleNoStartupNotice(edit.doc());
  edit.Commit();
  ASSERT_TRUE(owner.Save());
  IniFile saved;
  saved.Parse(Text(dir_.Read("zarim.ini")));
  EXPECT_EQ(saved.GetInt("Nag", "Enabled", 0), 1);
}

TEST(AppOptions, SortOrderSwitchesLastNameFirstOffAndSortsEveryRecord) {
  CZarimDoc doc;
  testing::TempDir dir;
  testing::StartEmpty(doc, {2024, 3, 10}, dir.path());
  testing::AddRecord(doc, testing::MakePublisher(10, "Zoe", "Adams"));
  testing::AddRecord(doc, testing::MakePublisher(11, "Amy", "Young"));
  testing::AddRecord(doc, testing::MakePublisher(12, "Bob", "Brown"));
  doc.SortRecords();
  doc.format.last_name_first = 1;
  EXPECT_EQ(FieldText(doc.records[1].last_name), "Adams");
  ToggleSortOrder(doc);
  EXPECT_EQ(doc.options.sort_first_name, 1);
  EXPECT_EQ(doc.format.last_name_first, 0);
  EXPECT_EQ(FieldText(doc.records[1].first_name), "Amy");
  EXPECT_EQ(FieldText(doc.records[2].first_name), "Bob");
  EXPECT_EQ(FieldText(doc.records[3].first_name), "Zoe");
  EXPECT_EQ(doc.FindById(10), &doc.records[3]);  // the index follows
}

TEST(AppOptions, AboutNamesProgramVersionAndDataFolder) {
  CZarimDoc doc;
  doc.data_folder = "/home/sec/congregation";
  EXPECT_EQ(AboutText(doc, "10.3"),
            "ZARIM - Service Report Accounting System\nVersion 10.3\n\n Directory "
            "\n/home/sec/congregation");
  // The current folder given as "." is shown as the absolute folder it stands for.
  doc.data_folder = ".";
  std::string cwd = std::filesystem::current_path().string();
  const std::string about = AboutText(doc, "10.3");
  EXPECT_EQ(about.substr(about.rfind('\n') + 1), cwd);
}

}  // namespace
}  // namespace zarim
