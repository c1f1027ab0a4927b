// The formatting options form: captions, the label couplings, bounds and writing back.
#include "reports/format_options_form.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/document.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Form = FormatOptionsForm;
using testing::StartEmpty;
using testing::TempDir;

class FormatOptionsFormTest : public ::testing::Test {
 protected:
  FormatOptionsFormTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.modified = 0;
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(FormatOptionsFormTest, CaptionsOfEveryControl) {
  Form form(doc_);
  EXPECT_EQ(form.Title(), "Formatting Options");
  const char* expected[] = {"Print Last Name First",
                            "Include Birth / Baptism Statistics",
                            "Use Alternate Date Format ( dd mmm yyyy )",
                            "Print 'Date of Birth' Legend on Labels",
                            "Use Alternate Label Format",
                            "Print Gridlines on Reports",
                            "Print Boxes on Missing Reports List",
                            "Print Datestamps on Reports",
                            "Include JW?= on Emergency Contact List"};
  for (int c = 0; c < Form::kCheckCount; ++c)
    EXPECT_EQ(form.CheckCaption(static_cast<Form::Check>(c)), expected[c]);
  EXPECT_EQ(form.TopMarginCaption(), "Top Margin ( 100ths of an inch )");
  EXPECT_EQ(form.LeftMarginCaption(), "Left Margin ( Labels )");
  EXPECT_EQ(form.CongregationNameCaption(), "Congregation Name ( Optional )");
  auto items = Form::MarginItems();
  ASSERT_EQ(items.size(), 100u);
  EXPECT_EQ(items.front(), "00");
  EXPECT_EQ(items[7], "07");
  EXPECT_EQ(items.back(), "99");
}

TEST_F(FormatOptionsFormTest, ReadsTheDocument) {
  doc_.format.last_name_first = 1;
  doc_.format.alternate_date = 1;
  doc_.options.show_grid = 1;
  doc_.options.emergency_jw = 0;
  doc_.options.top_margin = 37;
  doc_.options.label_left_margin = 12;
  doc_.options.congregation_name = "North";
  Form form(doc_);
  EXPECT_TRUE(form.IsChecked(Form::kLastNameFirst));
  EXPECT_TRUE(form.IsChecked(Form::kAlternateDate));
  EXPECT_TRUE(form.IsChecked(Form::kShowGrid));
  EXPECT_FALSE(form.IsChecked(Form::kEmergencyJw));
  EXPECT_FALSE(form.IsChecked(Form::kBirthBaptismStats));
  EXPECT_EQ(form.top_margin(), 37);
  EXPECT_EQ(form.left_margin(), 12);
  EXPECT_EQ(form.congregation_name(), "North");
}

TEST_F(FormatOptionsFormTest, LegendOffTakesTheAlternateLabelAlong) {
  doc_.options.label_birth_legend = 1;
  doc_.options.alternate_label = 1;
  Form form(doc_);
  form.SetChecked(Form::kBirthLegend, false);
  EXPECT_FALSE(form.IsChecked(Form::kAlternateLabel));
  form.SetChecked(Form::kBirthLegend, true);  // switching it back on leaves the format off
  EXPECT_FALSE(form.IsChecked(Form::kAlternateLabel));
}

TEST_F(FormatOptionsFormTest, AlternateLabelOnBringsTheLegend) {
  doc_.options.label_birth_legend = 0;
  doc_.options.alternate_label = 0;
  Form form(doc_);
  form.SetChecked(Form::kAlternateLabel, true);
  EXPECT_TRUE(form.IsChecked(Form::kBirthLegend));
  form.SetChecked(Form::kAlternateLabel, false);  // and off leaves the legend on
  EXPECT_TRUE(form.IsChecked(Form::kBirthLegend));
}

TEST_F(FormatOptionsFormTest, OtherBoxesAreIndependent) {
  Form form(doc_);
  for (int c = 0; c < Form::kCheckCount; ++c) {
    auto check = static_cast<Form::Check>(c);
    if (check == Form::kBirthLegend || check == Form::kAlternateLabel) continue;
    bool before_legend = form.IsChecked(Form::kBirthLegend);
    bool before_alt = form.IsChecked(Form::kAlternateLabel);
    form.SetChecked(check, !form.IsChecked(check));
    EXPECT_EQ(form.IsChecked(Form::kBirthLegend), before_legend) << c;
    EXPECT_EQ(form.IsChecked(Form::kAlternateLabel), before_alt) << c;
  }
}

TEST_F(FormatOptionsFormTest, LastNameFirstHiddenUnderFirstNameOrder) {
  EXPECT_TRUE(Form(doc_).IsShown(Form::kLastNameFirst));
  doc_.options.sort_first_name = 1;
  doc_.format.last_name_first = 1;
  Form form(doc_);
  EXPECT_FALSE(form.IsShown(Form::kLastNameFirst));
  EXPECT_TRUE(form.IsShown(Form::kDatestamp));
  form.SetChecked(Form::kLastNameFirst, false);
  form.Accept(doc_);
  EXPECT_EQ(doc_.format.last_name_first, 1);  // a hidden box changes nothing
}

TEST_F(FormatOptionsFormTest, MarginsAndNameAreBounded) {
  doc_.options.top_margin = 500;  // from a damaged settings file
  Form form(doc_);
  EXPECT_EQ(form.top_margin(), 99);
  form.SetTopMargin(-3);
  EXPECT_EQ(form.top_margin(), 0);
  form.SetLeftMargin(150);
  EXPECT_EQ(form.left_margin(), 99);
  form.SetCongregationName("Abcdefghijklmnopqrstuvwxyz0123");
  EXPECT_EQ(form.congregation_name(), "Abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(
      form.NameCutNote(),
      "Only 25 characters fit on the reports; the name was cut to \"Abcdefghijklmnopqrstuvwxy\".");
  form.SetCongregationName("\xC3\xA9glise Saint-\xC3\x89tienne du Mont");  // counts characters
  EXPECT_EQ(form.congregation_name(), "\xC3\xA9glise Saint-\xC3\x89tienne du M");
  form.SetCongregationName("Abcdefghijklmnopqrstuvwxy");  // exactly 25: nothing to say
  EXPECT_EQ(form.NameCutNote(), "");
  form.SetCongregationName(
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA");  // "Łódź": never kept as "??d?"
  EXPECT_TRUE(form.NameRefused());
  EXPECT_NE(form.NameCutNote().find("windows-1252"), std::string::npos) << form.NameCutNote();
  const auto stored = doc_.options.congregation_name;
  form.Accept(doc_);
  EXPECT_EQ(doc_.options.congregation_name, stored);
}

TEST_F(FormatOptionsFormTest, OkWritesBackAndSaysWhetherAnythingChanged) {
  {
    Form form(doc_);
    EXPECT_FALSE(form.Accept(doc_));
    EXPECT_EQ(doc_.modified, 0u);
  }
  struct Case {
    Form::Check check;
    std::function<int()> read;
  } cases[] = {
      {Form::kLastNameFirst, [&] { return int{doc_.format.last_name_first}; }},
      {Form::kBirthBaptismStats, [&] { return int{doc_.format.birth_baptism_stats}; }},
      {Form::kAlternateDate, [&] { return int{doc_.format.alternate_date}; }},
      {Form::kShowGrid, [&] { return doc_.options.show_grid; }},
      {Form::kMissingBoxes, [&] { return doc_.options.missing_report_boxes; }},
      {Form::kDatestamp, [&] { return doc_.options.datestamp; }},
      {Form::kEmergencyJw, [&] { return doc_.options.emergency_jw; }},
      {Form::kAlternateLabel, [&] { return doc_.options.alternate_label; }},
  };
  for (const Case& c : cases) {
    int before = c.read();
    Form form(doc_);
    form.SetChecked(c.check, before == 0);
    EXPECT_TRUE(form.Accept(doc_)) << c.check;
    EXPECT_EQ(c.read(), before == 0 ? 1 : 0) << c.check;
  }
  Form form(doc_);
  form.SetTopMargin(99);
  form.SetLeftMargin(5);
  form.SetCongregationName(
      "S\xC3\xBC"
      "d");
  EXPECT_TRUE(form.Accept(doc_));
  EXPECT_EQ(doc_.options.top_margin, 99);
  EXPECT_EQ(doc_.options.label_left_margin, 5);
  EXPECT_EQ(doc_.options.congregation_name,
            "S\xFC"
            "d");  // stored in the code page
}

TEST_F(FormatOptionsFormTest, CancelLeavesTheDocumentAlone) {
  doc_.options.datestamp = 0;
  {
    Form form(doc_);
    form.SetChecked(Form::kDatestamp, true);
    form.SetTopMargin(10);
  }  // never accepted
  EXPECT_EQ(doc_.options.datestamp, 0);
  EXPECT_EQ(doc_.options.top_margin, 50);
  EXPECT_EQ(doc_.modified, 0u);
}

}  // namespace
}  // namespace zarim
