// The late-report list: replacement of the same publisher and month, the 250 limit, and
// "Erase Late Reports".
#include <gtest/gtest.h>

#include "cycle/late_reports.h"
#include "posting_fixture.h"

namespace zarim::testing {
namespace {

class LateListTest : public PostingTest {};

TEST_F(LateListTest, SamePublisherAndMonthIsReplacedAndMovesToTheEnd) {
  AddLateReport(doc, 100, kJan);
  AddLateReport(doc, 101, kJan);
  AddLateReport(doc, 100, 11);
  AddLateReport(doc, 100, kJan);
  ASSERT_EQ(doc.late_count, 3);
  EXPECT_EQ(doc.late[0].id, 101);
  EXPECT_EQ(doc.late[1].id, 100);
  EXPECT_EQ(doc.late[1].month, 11);
  EXPECT_EQ(doc.late[2].id, 100);
  EXPECT_EQ(doc.late[2].month, kJan);
  EXPECT_EQ(doc.late[2].posted, kFeb + 1);
  EXPECT_EQ(doc.late[3].id, 0);  // nothing left behind the list
  EXPECT_TRUE(IsInLateList(doc, 100, 11));
  EXPECT_FALSE(IsInLateList(doc, 101, 11));
}

TEST_F(LateListTest, AFullListDropsNewReportsButStillReplaces) {
  for (int i = 0; i < 260; ++i) AddLateReport(doc, static_cast<uint16_t>(1000 + i), kJan);
  EXPECT_EQ(doc.late_count, kLatePostingLimit);
  EXPECT_FALSE(IsInLateList(doc, 1000 + 250, kJan));
  EXPECT_EQ(doc.late[250].id, 0);
  AddLateReport(doc, 1000, kJan);
  EXPECT_EQ(doc.late_count, kLatePostingLimit);
  EXPECT_EQ(doc.late[kLatePostingLimit - 1].id, 1000);
  EXPECT_EQ(doc.late[0].id, 1001);
}

TEST_F(LateListTest, EraseIsOfferedOnlyAfterF11WithReports) {
  AllowEraseLateReports(doc);
  EXPECT_FALSE(CanEraseLateReports(doc));  // nothing to erase: F11 does nothing
  AddLateReport(doc, 100, kJan);
  EXPECT_FALSE(CanEraseLateReports(doc));
  AllowEraseLateReports(doc);
  EXPECT_TRUE(CanEraseLateReports(doc));
  doc.history_view = 1;
  EXPECT_FALSE(CanEraseLateReports(doc));
}

TEST_F(LateListTest, EraseAsksWithCancelAsDefault) {
  AddLateReport(doc, 100, kJan);
  AddLateReport(doc, 101, kJan);
  AllowEraseLateReports(doc);
  EXPECT_FALSE(EraseLateReports(doc));  // the default answer is Cancel
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Click OK to erase 2 report(s)   ");
  EXPECT_EQ(prompter.buttons[0], Buttons::kOkCancel);
  EXPECT_EQ(doc.late_count, 2);
  EXPECT_FALSE(doc.modified);

  prompter.Script(Answer::kOk);
  EXPECT_TRUE(EraseLateReports(doc));
  EXPECT_EQ(doc.late_count, 0);
  EXPECT_FALSE(CanEraseLateReports(doc));
}

}  // namespace
}  // namespace zarim::testing
