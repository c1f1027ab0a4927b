// The posting list: captions, the group and missing-report filters, the selection and
// closing the month.
#include "cycle/posting_list_form.h"

#include <gtest/gtest.h>

#include "cycle/collection_state.h"
#include "cycle/slip_form.h"
#include "posting_fixture.h"

namespace zarim::testing {
namespace {

class PostingListTest : public PostingTest {
 protected:
  void ThreeInTwoGroups() {
    doc.groups.count = 2;
    SetField(doc.groups.overseer[0], "Ann Overseer");
    SetField(doc.groups.name[1], "North");
    doc.groups.use_name[1] = 1;
    Add(100, "Adam", "Able", 1);
    Add(101, "Bea", "Baker", 2);
    Add(102, "Cid", "Cole", 1);
  }
};

TEST_F(PostingListTest, Captions) {
  ThreeInTwoGroups();
  PostingListForm f(doc);
  EXPECT_EQ(f.Title(), "February 2026 Report Collection - 3 Active publishers");
  EXPECT_EQ(f.ImportCaption(), "Add February 2026 reports from ->");
  EXPECT_EQ(f.CloseCaption(),
            "Close report collection for February 2026  ( Reporting is complete )");
  EXPECT_EQ(f.LastPersonPosted(), "");
  ASSERT_EQ(f.GroupChoices().size(), 3u);
  EXPECT_EQ(f.GroupChoices()[0], "Congregation");
  EXPECT_EQ(f.GroupChoices()[1], "Group 1  -  Ann Overseer");
  EXPECT_EQ(f.GroupChoices()[2], "North");
}

TEST_F(PostingListTest, GroupSelectorListsOnlyThatGroup) {
  ThreeInTwoGroups();
  PostingListForm f(doc);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"Adam Able", "Bea Baker", "Cid Cole"}));
  f.SetGroup(1);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"Adam Able", "Cid Cole"}));
  f.SetGroup(2);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"Bea Baker"}));
  f.SetGroup(0);
  EXPECT_EQ(f.rows().size(), 3u);
}

TEST_F(PostingListTest, MissingReportsLeaveOutReportedAndRemarked) {
  ThreeInTwoGroups();
  SetReport(100, kFeb, kSlot, 0, 0);  // shared tick only
  SetField(doc.remarks[1].text, "ill");
  doc.remark_count = 3;
  R(101).remark[kFeb][kSlot] = 1;  // only a remark
  SetField(doc.remarks[2].text, "   ");
  R(102).remark[kFeb][kSlot] = 2;  // a blank remark does not count
  PostingListForm f(doc);
  f.SetMissingOnly(true);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"Cid Cole"}));
  R(102).activity[kBibleStudies][kFeb][kSlot] =
      static_cast<uint16_t>(1 << kQuarterShift);  // a quarter hour
  f.SetMissingOnly(true);
  EXPECT_TRUE(f.rows().empty());
  EXPECT_EQ(f.SelectedRecord(), 0);
}

TEST_F(PostingListTest, AMonthWithReportsOpensOnTheMissingOnesAndMarksTheReported) {
  ThreeInTwoGroups();
  EXPECT_FALSE(PostingListForm(doc).missing_only());  // nothing in yet: everyone is listed
  SetReport(101, kFeb, kSlot, 0, 0);
  PostingListForm f(doc);
  EXPECT_TRUE(f.missing_only());
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"Adam Able", "Cid Cole"}));
  f.SetMissingOnly(false);
  EXPECT_EQ(f.RowCaptions(),
            (std::vector<std::string>{"Adam Able", "Bea Baker   \u2014 reported", "Cid Cole"}));
}

TEST_F(PostingListTest, SelectionKeptByPositionOrMovedToTheFirst) {
  ThreeInTwoGroups();
  PostingListForm f(doc);
  f.SetMissingOnly(true);
  f.Select(1);
  EXPECT_EQ(f.SelectedRecord(), Rec(101));
  SlipForm slip(doc, f.SelectedRecord());
  slip.SetShared(true);
  ASSERT_EQ(slip.Save(), SlipForm::SaveResult::kSaved);
  f.AfterSlip();
  EXPECT_EQ(f.selection(), 1);  // the next one takes the place
  EXPECT_EQ(f.SelectedRecord(), Rec(102));
  f.SetGroup(2);
  EXPECT_EQ(f.selection(), 0);
  EXPECT_EQ(f.SelectedRecord(), 0);  // Bea has reported
  f.SetGroup(0);
  EXPECT_EQ(f.SelectedRecord(), Rec(100));
}

TEST_F(PostingListTest, StartsAtTheLastPersonPosted) {
  ThreeInTwoGroups();
  doc.resume_id = 102;
  PostingListForm f(doc);
  EXPECT_EQ(f.LastPersonPosted(), "Cid Cole");
  EXPECT_EQ(f.SelectedRecord(), Rec(102));
}

// The open month's stored totals are the owner's (see OpenMonthTotals).
TEST_F(PostingListTest, OpeningResetsTheMonthTwoAfter) {
  ThreeInTwoGroups();
  SetCollectionStateOf(doc, 3, MonthCollection::kClosed);  // April
  SetCollectionStateOf(doc, 2, MonthCollection::kClosed);  // March stays
  SetReport(100, kFeb, kSlot, 0, 4);
  PostingListForm f(doc);
  EXPECT_EQ(CollectionStateOf(doc, 3), MonthCollection::kNotInitialized);
  EXPECT_EQ(CollectionStateOf(doc, 2), MonthCollection::kClosed);
}

TEST_F(PostingListTest, ClosingTheCollection) {
  ThreeInTwoGroups();
  PostingListForm f(doc);
  // One key reaches the button, so the month closes only after a Yes (No is the default).
  EXPECT_FALSE(f.CloseCollection());
  EXPECT_EQ(prompter.messages.back(),
            "Close the report collection for February 2026?\n\nReporting for February 2026 is then "
            "complete.");
  EXPECT_EQ(prompter.buttons.back(), Buttons::kYesNo);
  EXPECT_NE(CollectionStateOf(doc, kFeb), MonthCollection::kClosed);
  prompter.Script(Answer::kYes);
  EXPECT_TRUE(f.CloseCollection());
  EXPECT_EQ(CollectionStateOf(doc, kFeb), MonthCollection::kClosed);
  EXPECT_EQ(static_cast<uint8_t>(doc.header().other_phone[kFeb]), 2);
}

}  // namespace
}  // namespace zarim::testing
