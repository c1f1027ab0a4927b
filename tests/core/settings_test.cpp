// The settings file: private-profile semantics of the reader and writer, the settings
// table's defaults and round trip, and the file written by every save.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/document.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::TempDir;

std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(IniFile, NamesMatchWithoutRegardToCaseAndMissingKeysGiveTheDefault) {
  IniFile ini;
  ini.Parse("[Reports]\r\nTop Margin=75\r\ncongname = Hill Side \r\n[labels]\nLeft Margin=35\n");
  EXPECT_EQ(ini.GetInt("REPORTS", "top margin", 50), 75);
  EXPECT_EQ(ini.GetString("reports", "CongName", ""), "Hill Side");
  EXPECT_EQ(ini.GetInt("Labels", "LEFT MARGIN", 20), 35);
  EXPECT_EQ(ini.GetInt("Labels", "Alternate Label", 7), 7);
  EXPECT_EQ(ini.GetInt("Nowhere", "Enabled", 3), 3);
  EXPECT_EQ(ini.GetString("Sec", "Email", "none"), "none");
}

TEST(IniFile, NumbersAreReadLikeTheProfileFunctionsReadThem) {
  IniFile ini;
  ini.Parse("[S]\nA=12abc\nB=abc\nC=\nD= -4\nE=99999999999\nF=\"7\"\n");
  EXPECT_EQ(ini.GetInt("S", "A", 1), 12);
  EXPECT_EQ(ini.GetInt("S", "B", 1), 0);  // present but no digits: 0, not the default
  EXPECT_EQ(ini.GetInt("S", "C", 1), 0);
  EXPECT_EQ(ini.GetInt("S", "D", 1), -4);
  EXPECT_EQ(ini.GetInt("S", "E", 1), 2147483647);
  EXPECT_EQ(ini.GetInt("S", "F", 1), 7);  // enclosing quotes are not part of the value
}

TEST(IniFile, WritingKeepsUnknownTextAndUsesCrlf) {
  IniFile ini;
  ini.Parse("; my notes\n[Other]\nKeep=this\n\n[Reports]\nShowGrid=0\n");
  ini.SetInt("reports", "SHOWGRID", 1);      // overwritten in place, name kept
  ini.SetInt("Reports", "Top Margin", 60);   // appended to its section
  ini.SetString("Sec", "Email", "a@b.org");  // a new section at the end
  EXPECT_EQ(ini.Serialize(),
            "; my notes\r\n[Other]\r\nKeep=this\r\n\r\n[Reports]\r\nShowGrid=1\r\nTop Margin=60\r\n"
            "\r\n[Sec]\r\nEmail=a@b.org\r\n");
}

TEST(IniFile, ALineBreakInAValueCannotAddAKey) {
  IniFile ini;
  ini.SetString("Reports", "CongName", "North\r\n[Nag]\r\nEnabled=1");
  IniFile again;
  again.Parse(ini.Serialize());
  EXPECT_FALSE(again.Get("Nag", "Enabled").has_value());
  EXPECT_EQ(again.GetString("Reports", "CongName", ""), "North  [Nag]  Enabled=1");
}

TEST(IniFile, ValuesThatReadingWouldChangeAreWrittenQuoted) {
  for (const char* value : {" lead", "trail ", "\"quoted\"", "'single'", "plain", ""}) {
    IniFile ini;
    ini.SetString("S", "K", value);
    IniFile back;
    back.Parse(ini.Serialize());
    EXPECT_EQ(back.GetString("S", "K", "?"), value);
  }
}

TEST(IniFile, BadInputIsBoundedAndNeverCrashes) {
  IniFile ini;
  std::string huge(256 * 1024 + 100, 'x');
  ini.Parse(huge);
  ini.Parse(std::string("[A\n=\n==\n[]\nk=v\n\0\0[B]x=1", 24));
  EXPECT_EQ(ini.GetString("", "k", "d"), "v");
  std::string long_line = "[S]\nK=" + std::string(5000, '9') + "\n";
  ini.Parse(long_line);
  EXPECT_EQ(ini.GetInt("S", "K", 0), 2147483647);
  EXPECT_LE(ini.GetString("S", "K", "").size(), IniFile::kMaxLineLength);
}

TEST(Settings, MissingFileGivesTheDefaultsOfTheTable) {
  TempDir dir;
  CZarimDoc doc;
  doc.options.top_margin = 1;  // not the default, so reading must set it
  doc.options.emergency_jw = 0;
  SettingsFile file(dir.path());
  file.Load();
  ReadSettings(file.ini(), doc);
  const DocOptions& o = doc.options;
  EXPECT_EQ(o.label_birth_legend, 1);
  EXPECT_EQ(o.alternate_label, 0);
  EXPECT_EQ(o.label_left_margin, 20);
  EXPECT_EQ(o.show_grid, 0);
  EXPECT_EQ(o.missing_report_boxes, 0);
  EXPECT_EQ(o.emergency_jw, 1);
  EXPECT_EQ(o.top_margin, 50);
  EXPECT_EQ(o.datestamp, 0);
  EXPECT_EQ(o.congregation_name, "");
  EXPECT_EQ(o.autocaps, 1);
  EXPECT_EQ(o.no_startup_notice, 0);
  EXPECT_EQ(o.custom_category_enabled, 0);
  EXPECT_EQ(o.secretary_email, "");
}

TEST(Settings, RoundTripOfEveryKeyInTheOrderOfTheTable) {
  CZarimDoc doc;
  DocOptions& o = doc.options;
  o.label_birth_legend = 0;
  o.alternate_label = 1;
  o.label_left_margin = 33;
  o.show_grid = 1;
  o.missing_report_boxes = 1;
  o.emergency_jw = 0;
  o.top_margin = 99;
  o.datestamp = 1;
  o.congregation_name = "Riverside";
  o.autocaps = 0;
  o.no_startup_notice = 1;
  o.print_group = 1;
  o.hide_averages = 1;
  o.one_per_page = 1;
  o.hide_birth = 1;
  o.custom_category_enabled = 1;
  o.custom_category_name = "Cart Witnessing Group";
  o.secretary_email = "sec@example.org";
  doc.early_year = 24;
  doc.early_month = 4;
  IniFile ini;
  WriteSettings(doc, ini);
  const std::string text = ini.Serialize();
  // The table's order, section by section.
  EXPECT_EQ(text.find("[Labels]\r\nDate of birth=0\r\nAlternate Label=1\r\nLeft Margin=33\r\n"),
            0u);
  EXPECT_LT(text.find("[Reports]"), text.find("[AutoCap]"));
  EXPECT_LT(text.find("[HideBir]"), text.find("[Custom Category]"));
  EXPECT_LT(text.find("[Sec]"), text.find("[Early]"));
  EXPECT_NE(text.find("[Early]\r\nYear=24\r\nMonth=4\r\n"), std::string::npos);

  CZarimDoc back;
  IniFile read;
  read.Parse(text);
  ReadSettings(read, back);
  const DocOptions& b = back.options;
  EXPECT_EQ(b.label_birth_legend, 0);
  EXPECT_EQ(b.alternate_label, 1);
  EXPECT_EQ(b.label_left_margin, 33);
  EXPECT_EQ(b.show_grid, 1);
  EXPECT_EQ(b.missing_report_boxes, 1);
  EXPECT_EQ(b.emergency_jw, 0);
  EXPECT_EQ(b.top_margin, 99);
  EXPECT_EQ(b.datestamp, 1);
  EXPECT_EQ(b.congregation_name, "Riverside");
  EXPECT_EQ(b.autocaps, 0);
  EXPECT_EQ(b.no_startup_notice, 1);
  EXPECT_EQ(b.print_group, 1);
  EXPECT_EQ(b.hide_averages, 1);
  EXPECT_EQ(b.one_per_page, 1);
  EXPECT_EQ(b.hide_birth, 1);
  EXPECT_EQ(b.custom_category_enabled, 1);
  EXPECT_EQ(b.custom_category_name, "Cart Witnessing");  // cut to 15 characters
  EXPECT_EQ(b.secretary_email, "sec@example.org");
  // The early start is not part of ReadSettings: the dating of the month reads it.
  EXPECT_EQ(back.early_year, 0u);
  ReadEarlyStart(read, back);
  EXPECT_EQ(back.early_year, 24u);
  EXPECT_EQ(back.early_month, 4u);
}

TEST(Settings, SortOrderOptionIsKeptOnlyForPtg) {
  CZarimDoc doc;
  doc.options.sort_first_name = 1;
  IniFile ini;
  WriteSettings(doc, ini);
  EXPECT_EQ(ini.Serialize().find("First Name Order"), std::string::npos);
  doc.language_code = "ptg";
  WriteSettings(doc, ini);
  CZarimDoc back;
  back.language_code = "ptg";
  ReadSettings(ini, back);
  EXPECT_EQ(back.options.sort_first_name, 1);
}

TEST(Settings, DamagedEarlyKeysAreIgnored) {
  for (const char* text : {"[Early]\nYear=24\nMonth=13\n", "[Early]\nYear=-3\nMonth=2\n",
                           "[Early]\nYear=24\nMonth=0\n", "[Early]\nYear=400\nMonth=2\n"}) {
    IniFile ini;
    ini.Parse(text);
    CZarimDoc doc;
    ReadEarlyStart(ini, doc);
    EXPECT_EQ(doc.early_year, 0u) << text;
    EXPECT_EQ(doc.early_month, 0u) << text;
  }
}

TEST(Settings, EverySaveWritesTheFileWithTheFontSectionsOfOtherParts) {
  TempDir dir;
  dir.Write("zarim.ini", "[Font]\r\nHeight=-13\r\n[Reports]\r\nTop Margin=70\r\n");
  FixedClock clock(Date{2024, 3, 10});
  Congregation owner(nullptr);
  ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
  owner.settings().AddSaveWriter(
      [](IniFile& ini) { ini.SetString("Title Font", "FaceName", "Arial"); });
  EditScope edit = owner.Edit();
  EXPECT_EQ(edit.doc().options.top_margin, 70);
  edit.doc().options.top_margin = 0;
  edit.Commit();
  ASSERT_TRUE(owner.Save());
  IniFile saved;
  saved.Parse(AsText(dir.Read("zarim.ini")));
  EXPECT_EQ(saved.GetInt("Reports", "Top Margin", -1), 0);
  EXPECT_EQ(saved.GetInt("Font", "Height", 0), -13);  // sections of others survive
  EXPECT_EQ(saved.GetString("Title Font", "FaceName", ""), "Arial");
  EXPECT_EQ(saved.GetInt("Nag", "Enabled", -1), 0);  // every key is written
  EXPECT_NE(AsText(dir.Read("zarim.ini")).find("\r\n"), std::string::npos);
}

TEST(Settings, ANameWrittenInOtherLetterCaseIsFound) {
  TempDir dir;
  dir.Write("ZARIM.INI", "[nag]\r\nenabled=1\r\n");
  SettingsFile file(dir.path());
  file.Load();
  CZarimDoc doc;
  ReadSettings(file.ini(), doc);
  EXPECT_EQ(doc.options.no_startup_notice, 1);
}

TEST(Settings, AFileOverAQuarterMegabyteKeepsEverySectionThroughASave) {
  TempDir dir;
  std::string text;
  for (int s = 0; s < 4000; ++s)
    text += "[Section" + std::to_string(s) + "]\r\nKey=" + std::string(60, 'v') + "\r\n";
  ASSERT_GT(text.size(), 256u * 1024u);
  dir.Write("zarim.ini", text);
  SettingsFile file(dir.path());
  file.Load();
  ASSERT_TRUE(file.WriteNow());
  Bytes after = dir.Read("zarim.ini");
  EXPECT_EQ(std::string(after.begin(), after.end()), text);
}

}  // namespace
}  // namespace zarim
