// Sent versus now: a month counted again agrees with what was stored when it was sent,
// until one of its reports (or a late report posted in it) is changed.
#include "cycle/branch_check.h"

#include <gtest/gtest.h>

#include "posting_fixture.h"

namespace zarim::testing {
namespace {

class BranchCheckTest : public PostingTest {
 protected:
  void SetUp() override {
    Add(100, "Anna", "Able");
    Add(101, "Ben", "Baker");
    Add(102, "Cara", "Cole");
    SetReport(100, kJan, kSlot, 0, 2);
    SetCode(101, kJan, kSlot, kRegular);
    SetReport(101, kJan, kSlot, 52, 3);
    // Cara's December report came late and was posted in January.
    SetReport(102, 11, kLastSlot, 0, 1);
    R(102).late[11][kLastSlot] = kJan + 1;
    // What January's report to the branch held when it was sent.
    WorkingTotals sent = RecountMonthTotals(doc, kJan, 26);
    for (int row = 0; row < kTotalsRows; ++row)
      for (int f = 0; f < kTotalsFields; ++f)
        doc.totals.value[kJan][row * kTotalsFields + f][kSlot] = sent.row[row][f];
  }
  std::vector<std::pair<int, int>> JanuaryDifferences() {
    for (const BranchCheckMonth& m : CheckBranchReports(doc))
      if (m.month == kJan && m.year == 26) return m.differences;
    ADD_FAILURE() << "January is not checked";
    return {};
  }
};

TEST_F(BranchCheckTest, CountsTheMonthAsItWasSent) {
  WorkingTotals t = RecountMonthTotals(doc, kJan, 26);
  EXPECT_EQ(t.row[kPublisher][kTotalsReportsField], 2);  // Anna and Cara's late report
  EXPECT_EQ(t.row[kPublisher][kBibleStudies], 3);
  EXPECT_EQ(t.row[kRegular][kHours], 52);
  // Cara's December report went to the branch with January, not with December.
  EXPECT_EQ(RecountMonthTotals(doc, 11, 25).row[kPublisher][kTotalsReportsField], 0);
  EXPECT_TRUE(JanuaryDifferences().empty());
  // A publisher who became inactive since still counts for the month he reported in.
  R(100).status = kInactive;
  EXPECT_TRUE(JanuaryDifferences().empty());
}

TEST_F(BranchCheckTest, NamesTheCountersAPastCorrectionChanged) {
  SetReport(101, kJan, kSlot, 60, 3);  // the pioneer's January hours corrected
  R(102).late[11][kLastSlot] = 0;      // and the late report taken out
  auto d = JanuaryDifferences();
  std::vector<std::pair<int, int>> want{
      {kPublisher, kBibleStudies}, {kPublisher, kTotalsReportsField}, {kRegular, kHours}};
  EXPECT_EQ(d, want);
}

}  // namespace
}  // namespace zarim::testing
