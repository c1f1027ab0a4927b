// The working report totals: rows by pioneer code, who is left out, late reports, the
// copy into the stored totals while the month is open, and the row sum.
#include "cycle/branch_totals.h"

#include <gtest/gtest.h>

#include "cycle/collection_state.h"
#include "cycle/late_reports.h"
#include "cycle/slip_form.h"
#include "posting_fixture.h"

namespace zarim::testing {
namespace {

class BranchTotalsTest : public PostingTest {
 protected:
  static constexpr int kPubs = 0, kAux = 1, kPios = 2, kSpec = 3;
  uint16_t Cell(const WorkingTotals& t, int row, int field) { return t.row[row][field]; }
};

TEST_F(BranchTotalsTest, SharedOnlyCountsOneReportInPubsWithoutStudies) {
  Add(100, "Pub", "A");
  SetReport(100, kFeb, kSlot, 0, 0);
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kPubs, kTotalsReportsField), 1);
  EXPECT_EQ(Cell(t, kPubs, kBibleStudies), 0);
  EXPECT_EQ(RowSum(t, kTotalsReportsField), 1);
}

TEST_F(BranchTotalsTest, PublishersAddOnlyStudiesPioneersTheirHours) {
  Add(100, "Pub", "A");
  Add(101, "Aux", "B");
  Add(102, "Reg", "C");
  SetReport(100, kFeb, kSlot, 9, 2);  // a publisher's stored hours never count
  R(100).activity[kReturnVisits][kFeb][kSlot] = 4;
  SetCode(101, kFeb, kSlot, kAuxiliary);
  SetReport(101, kFeb, kSlot, 30, 1);
  SetCode(102, kFeb, kSlot, kRegular);
  SetReport(102, kFeb, kSlot, 50, 3);
  R(102).activity[kReturnVisits][kFeb][kSlot] = 7;
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kPubs, kHours), 0);
  EXPECT_EQ(Cell(t, kPubs, kReturnVisits), 0);
  EXPECT_EQ(Cell(t, kPubs, kBibleStudies), 2);
  EXPECT_EQ(Cell(t, kAux, kHours), 30);
  EXPECT_EQ(Cell(t, kAux, kBibleStudies), 1);
  EXPECT_EQ(Cell(t, kAux, kTotalsReportsField), 1);
  EXPECT_EQ(Cell(t, kPios, kHours), 50);
  EXPECT_EQ(Cell(t, kPios, kReturnVisits), 7);
  EXPECT_EQ(RowSum(t, kHours), 80);
  EXPECT_EQ(RowSum(t, kBibleStudies), 6);
  EXPECT_EQ(RowSum(t, kTotalsReportsField), 3);
}

TEST_F(BranchTotalsTest, SpecialPioneersOnlyInTheirOwnRow) {
  Add(100, "Spec", "A");
  Add(101, "Pub", "B");
  SetCode(100, kFeb, kSlot, kSpecial);
  SetReport(100, kFeb, kSlot, 100, 5);
  SetReport(101, kFeb, kSlot, 0, 1);
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kSpec, kTotalsReportsField), 1);
  EXPECT_EQ(Cell(t, kSpec, kHours), 100);
  EXPECT_EQ(RowSum(t, kHours), 0);
  EXPECT_EQ(RowSum(t, kBibleStudies), 1);
  EXPECT_EQ(RowSum(t, kTotalsReportsField), 1);
}

TEST_F(BranchTotalsTest, FieldMissionariesAndSpecialServantsNowhere) {
  Add(100, "Miss", "A");
  Add(101, "Serv", "B");
  R(100).service_flags = kFieldMissionary;
  R(101).service_flags = kSpecialServant;
  SetCode(100, kFeb, kSlot, kRegular);
  SetReport(100, kFeb, kSlot, 70, 2);
  SetReport(101, kFeb, kSlot, 0, 1);
  AddLateReport(doc, 101, kJan);
  SetReport(101, kJan, kSlot, 0, 1);
  WorkingTotals t = ComputeWorkingTotals(doc);
  for (int row = 0; row < kTotalsRows; ++row) {
    EXPECT_EQ(Cell(t, row, kTotalsReportsField), 0) << row;
    EXPECT_EQ(Cell(t, row, kBibleStudies), 0) << row;
  }
  EXPECT_EQ(Cell(t, kPubs, kTotalsActiveField), 2);  // still active publishers
  EXPECT_EQ(CountFieldMissionaries(doc), 1);
  EXPECT_EQ(CountSpecialServants(doc), 1);
}

TEST_F(BranchTotalsTest, ActivePublishersCountEveryoneOfTheActiveList) {
  Add(100, "Pub", "A");
  Add(101, "Pub", "B");
  Add(102, "Pub", "C");
  PubRecord inactive = MakePublisher(103, "Gone", "D", kInactive);
  AddRecord(doc, inactive);
  SetReport(100, kFeb, kSlot, 0, 0);
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kPubs, kTotalsActiveField), 3);
  for (int row = 1; row < kTotalsRows; ++row) EXPECT_EQ(Cell(t, row, kTotalsActiveField), 0);
}

TEST_F(BranchTotalsTest, LateReportsCountInTheWorkingMonth) {
  Add(100, "Aux", "A");
  Add(101, "Spec", "B");
  Add(102, "Pub", "C");
  SetCode(100, kNov, kLastSlot, kAuxiliary);
  SetReport(100, kNov, kLastSlot, 15, 1);
  SetCode(101, kJan, kSlot, kSpecial);
  SetReport(101, kJan, kSlot, 90, 0);  // a special pioneer's late month is not counted
  AddLateReport(doc, 100, kNov);
  AddLateReport(doc, 101, kJan);
  AddLateReport(doc, 102, kJan);  // listed but never reported: not counted
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kAux, kTotalsReportsField), 1);
  EXPECT_EQ(Cell(t, kAux, kHours), 15);
  EXPECT_EQ(Cell(t, kSpec, kTotalsReportsField), 0);
  EXPECT_EQ(Cell(t, kPubs, kTotalsReportsField), 0);
}

TEST_F(BranchTotalsTest, LateSlipPostedThroughTheFormCounts) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.BeginChangeMonth();
  f.ChooseMonth(kJan);
  f.EndChangeMonth();
  f.SetShared(true);
  f.SetStudiesText("2");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  WorkingTotals t = ComputeWorkingTotals(doc);
  EXPECT_EQ(Cell(t, kPubs, kTotalsReportsField), 1);
  EXPECT_EQ(Cell(t, kPubs, kBibleStudies), 2);
}

TEST_F(BranchTotalsTest, StoredOnlyWhileTheMonthIsOpen) {
  Add(100, "Aux", "A");
  SetCode(100, kFeb, kSlot, kAuxiliary);
  SetReport(100, kFeb, kSlot, 20, 0);
  RecomputeTotals(doc);
  EXPECT_EQ(StoredTotals(doc, kFeb, kSlot), ComputeWorkingTotals(doc));
  EXPECT_EQ(doc.totals.value[kFeb][9 * kAux + kHours][kSlot], 20);
  EXPECT_EQ(doc.totals.value[kFeb][kTotalsActiveField][kSlot], 1);
  EXPECT_EQ(doc.totals.value[kFeb][9 * kAux + kHours][kLastSlot], 0);

  SetCollectionStateOf(doc, kFeb, MonthCollection::kClosed);
  Add(101, "Aux", "B");
  SetCode(101, kFeb, kSlot, kAuxiliary);
  SlipForm f(doc, Rec(101));
  f.SetShared(true);
  f.SetHoursText("12");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  WorkingTotals shown = RecomputeTotals(doc);
  EXPECT_EQ(shown.row[kAux][kHours], 32);
  EXPECT_EQ(doc.totals.value[kFeb][9 * kAux + kHours][kSlot], 20);
  EXPECT_EQ(doc.totals.value[kFeb][9 * kAux + kTotalsReportsField][kSlot], 1);

  SetCollectionStateOf(doc, kFeb, MonthCollection::kNotInitialized);
  RecomputeTotals(doc);
  EXPECT_EQ(doc.totals.value[kFeb][9 * kAux + kHours][kSlot], 20);
}

TEST_F(BranchTotalsTest, RowSumAddsEachRowsQuartersRoundedDown) {
  WorkingTotals t;
  t.row[0][kHours] = 0;
  t.row[1][kHours] = 10;
  t.row[2][kHours] = 100;
  t.row[3][kHours] = 1000;
  t.row[0][kTotalsQuarterField] = 5;  // 1
  t.row[1][kTotalsQuarterField] = 3;  // 0
  t.row[2][kTotalsQuarterField] = 7;  // 1
  t.row[3][kTotalsQuarterField] = 8;  // row 3 never counts
  EXPECT_EQ(RowSum(t, kHours), 112);
  EXPECT_EQ(RowSum(t, kTotalsQuarterField), 15);
  EXPECT_EQ(RowSum(t, -1), 0);
  EXPECT_EQ(RowSum(t, kTotalsFields), 0);
}

}  // namespace
}  // namespace zarim::testing
