// The record card forms: the file a dialog browses, the order chosen cards print in, and
// the hide choices for all records or for one.
#include "reports/record_card_form.h"

#include <gtest/gtest.h>

#include "core/document.h"
#include "core/settings.h"
#include "core/store.h"
#include "reports/record_card.h"
#include "reports/report_model.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class RecordCardFormTest : public ::testing::Test {
 protected:
  void Start(Date today) { StartEmpty(doc_, today, dir_.path()); }
  // Records are kept in the order they are added: stored order is not name order.
  int Add(int id, const char* first, const char* last, uint8_t status = kActive) {
    AddRecord(doc_, MakePublisher(id, first, last, status));
    RefreshDerivedState(doc_);
    return doc_.RecordNumberById(id);
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(RecordCardFormTest, InactiveBrowsesTheInactiveFileOnly) {
  Start(Date{2026, 12, 8});
  const int zed = Add(10, "Zed", "Young");
  const int ann = Add(11, "Ann", "Able", kInactive);
  const int bo = Add(12, "Bo", "Best");
  const int cy = Add(13, "Cy", "Cole", kInactive);
  RecordCardForm form(doc_);
  EXPECT_EQ(form.Records(), (std::vector<int>{zed, bo}));
  EXPECT_EQ(form.ShownCard().records, (std::vector<int>{zed}));
  form.SetInactive(true);
  EXPECT_EQ(form.Records(), (std::vector<int>{ann, cy}));
  ASSERT_EQ(form.Names().size(), 2u);
  EXPECT_NE(form.Names()[0].find("Able"), std::string::npos);
  ASSERT_TRUE(form.Select(1));
  EXPECT_EQ(form.ShownCard().records, (std::vector<int>{cy}));
  // The file PDFs take their own file whatever is browsed.
  EXPECT_EQ(form.FileCards(true).records, (std::vector<int>{ann, cy}));
  EXPECT_EQ(form.FileCards(false).records, (std::vector<int>{zed, bo}));
  // A reload keeps the shown publisher; once he leaves the file, the first is shown.
  form.Reload();
  EXPECT_EQ(form.SelectedRecord(), cy);
  doc_.records[cy].status = kActive;
  form.Reload();
  EXPECT_EQ(form.SelectedRecord(), ann);
  doc_.records[ann].status = kActive;
  form.Reload();
  EXPECT_EQ(form.SelectedRecord(), 0);
  EXPECT_TRUE(form.ShownCard().chosen);
  EXPECT_TRUE(form.ShownCard().records.empty());  // nobody shown prints nothing
}

TEST_F(RecordCardFormTest, SelectedRecordsPrintInTheChosenOrder) {
  Start(Date{2026, 12, 8});
  const int zed = Add(10, "Zed", "Young");
  const int ann = Add(11, "Ann", "Able");
  const int bo = Add(12, "Bo", "Best");
  Add(13, "Cy", "Cole");
  SelectRecordsForm form(doc_, false);
  EXPECT_TRUE(form.Selection(false).records.empty());
  EXPECT_TRUE(form.Selection(false).chosen);
  form.SetChecked(2, true);  // Bo, then Zed, then Ann ticked
  form.SetChecked(0, true);
  form.SetChecked(1, true);
  EXPECT_EQ(form.Selection(false).records, (std::vector<int>{zed, ann, bo}));
  form.SetAlphabetic(true);
  ReportSelection alpha = form.Selection(true);
  EXPECT_EQ(alpha.records, (std::vector<int>{ann, bo, zed}));
  EXPECT_TRUE(alpha.previous_year);
}

// Alphabetic order collates: "Ì" (a byte above "Z") stands with "I", "ann" with "A".
TEST_F(RecordCardFormTest, AlphabeticOrderCollatesAccentedInitials) {
  Start(Date{2026, 12, 8});
  const int zoe = Add(10, "Zoe", "Young");
  const int ida = Add(11, "\314da", "Ward"), eva = Add(12, "\311va", "Stone");
  const int ann = Add(13, "ann", "Able");
  const int igor = Add(14, "Igor", "Bell");
  EXPECT_EQ(CardRecords(doc_, kActive, true), (std::vector<int>{ann, eva, ida, igor, zoe}));
}

TEST_F(RecordCardFormTest, ThisRecordHidesOnlyThatCardsRowsAndSurvivesTheSettingsFile) {
  Start(Date{2024, 1, 10});  // the previous service year still has the old form
  const int ann = Add(11, "Ann", "Able");
  const int bo = Add(12, "Bo", "Best");
  auto rows = [&](int rec, const char* label) {
    int n = 0;
    for (const ReportRow& row : CardModel(doc_, rec, false).rows)
      if (!row.cells.empty() && row.cells[0] == label) ++n;
    return n;
  };
  ASSERT_EQ(rows(ann, "Average"), 1);  // only the older, old-form year has one
  CardPreferencesForm form(doc_, ann);
  ASSERT_TRUE(form.can_choose_record());
  form.SetThisRecord(true);
  form.SetHide(kCardHideAveragePrevious, true);
  form.SetHide(kCardHideTotalPrevious, true);
  EXPECT_TRUE(form.Accept(doc_));
  EXPECT_EQ(doc_.options.hide_averages, 0);
  EXPECT_EQ(rows(ann, "Average") + rows(ann, "Total"), 1);  // the new form's total stays
  EXPECT_EQ(rows(bo, "Average"), 1);
  IniFile ini;
  WriteSettings(doc_, ini);
  doc_.options.hide_records.clear();
  ReadSettings(ini, doc_);
  EXPECT_EQ(CardHideFlags(doc_, ann), kCardHideAveragePrevious | kCardHideTotalPrevious);
  EXPECT_EQ(CardHideFlags(doc_, bo), 0);
  // Garbage in the settings line is skipped, not misread.
  EXPECT_EQ(ParseRecordHideFlags("11:3 x:1 12: :4 13:2junk 14:6"),
            (std::map<int, int>{{11, 3}, {14, 6}}));
}

}  // namespace
}  // namespace zarim
