// The group picker form: labels, the proposed group, refusing empty groups and the
// print buttons of the group analysis.
#include "records/group_picker_form.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Picker = GroupPickerForm;
using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class GroupPickerFormTest : public ::testing::Test {
 protected:
  GroupPickerFormTest() { StartEmpty(doc_, Date{2026, 12, 8}, dir_.path()); }
  void Groups(int n) { doc_.groups.count = static_cast<uint8_t>(n); }
  void Member(int id, int group, uint8_t status = kActive) {
    PubRecord r = MakePublisher(id, "A", "B", status);
    r.group = static_cast<int8_t>(group);
    AddRecord(doc_, r);
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(GroupPickerFormTest, RefusalNamesAnUndefinedOrEmptyGroup) {
  Groups(3);
  Member(10, 1);
  Member(11, 4);  // a stale number past the groups in use
  EXPECT_EQ(Picker::GroupRefusal(doc_, 1), "");
  EXPECT_EQ(Picker::GroupRefusal(doc_, 2), "Field service group 2 has no publishers.");
  EXPECT_EQ(Picker::GroupRefusal(doc_, 4), "There is no field service group 4.");
}

TEST_F(GroupPickerFormTest, ListsTheGroupLabels) {
  Groups(3);
  SetField(doc_.groups.name[1], "Hilltop");
  doc_.groups.use_name[1] = 1;
  SetField(doc_.groups.name[2], "X");  // one character: the number is used
  doc_.groups.use_name[2] = 1;
  Picker picker(doc_, Picker::Purpose::kChoose);
  EXPECT_EQ(picker.Title(), "Pick Field Service Group");
  EXPECT_EQ(picker.Items(), (std::vector<std::string>{"Group # 1", "Hilltop", "Group # 3"}));
  EXPECT_EQ(picker.selection(), 0);
  EXPECT_EQ(picker.group(), 1);
}

TEST_F(GroupPickerFormTest, ProposedGroupIsPreselectedAndHeldInRange) {
  Groups(4);
  EXPECT_EQ(Picker(doc_, Picker::Purpose::kChoose, 3).group(), 3);
  EXPECT_EQ(Picker(doc_, Picker::Purpose::kChoose, 9).group(), 4);
  EXPECT_EQ(Picker(doc_, Picker::Purpose::kChoose, 0).group(), 1);
  Picker picker(doc_, Picker::Purpose::kChoose);
  picker.Select(7);  // not a line of the list
  EXPECT_EQ(picker.group(), 1);
  picker.Select(2);
  EXPECT_EQ(picker.group(), 3);
}

TEST_F(GroupPickerFormTest, DamagedGroupCountIsHeldToTwenty) {
  doc_.groups.count = 200;
  EXPECT_EQ(Picker(doc_, Picker::Purpose::kChoose).Items().size(), 20u);
}

TEST_F(GroupPickerFormTest, NoGroupsHidesOk) {
  Picker picker(doc_, Picker::Purpose::kChoose);
  EXPECT_TRUE(picker.Items().empty());
  EXPECT_FALSE(picker.IsOkShown());
  EXPECT_FALSE(picker.Ok());
  EXPECT_EQ(picker.result(), Picker::Result::kNone);
  EXPECT_EQ(picker.group(), 0);
  EXPECT_NE(picker.NoGroupsNote().find("\"Field Service Groups\" on the main window"),
            std::string::npos);
  Groups(1);
  EXPECT_EQ(Picker(doc_, Picker::Purpose::kChoose).NoGroupsNote(), "");
}

TEST_F(GroupPickerFormTest, GroupWithoutMembersIsRefusedForLists) {
  Groups(2);
  Member(10, 2);
  Picker picker(doc_, Picker::Purpose::kMembersNeeded);
  EXPECT_FALSE(picker.IsOkEnabled());
  EXPECT_FALSE(picker.Ok());
  EXPECT_EQ(picker.result(), Picker::Result::kNone);
  picker.Select(1);
  EXPECT_TRUE(picker.IsOkEnabled());
  EXPECT_TRUE(picker.Ok());
  EXPECT_EQ(picker.result(), Picker::Result::kOk);
  EXPECT_EQ(picker.group(), 2);
  // for a plain choice an empty group is fine
  Picker choose(doc_, Picker::Purpose::kChoose);
  EXPECT_TRUE(choose.Ok());
}

TEST_F(GroupPickerFormTest, AnyRecordCountsAsAMember) {
  Groups(1);
  Member(10, 1, kInactive);
  EXPECT_TRUE(Picker::GroupHasMembers(doc_, 1));
  EXPECT_FALSE(Picker::GroupHasMembers(doc_, 2));
  EXPECT_FALSE(Picker::GroupHasMembers(doc_, 0));
}

TEST_F(GroupPickerFormTest, PrintButtonsForTheAnalysisWithTwoGroupsOrMore) {
  Groups(1);
  Member(10, 1);
  EXPECT_FALSE(Picker(doc_, Picker::Purpose::kAnalysis).ArePrintButtonsShown());
  Groups(5);
  Member(11, 3);
  EXPECT_FALSE(Picker(doc_, Picker::Purpose::kMembersNeeded).ArePrintButtonsShown());
  Picker picker(doc_, Picker::Purpose::kAnalysis);
  EXPECT_TRUE(picker.ArePrintButtonsShown());
  EXPECT_EQ(picker.PrintAllCaption(), "Print # 1 - 5");
  EXPECT_EQ(picker.PrintSelectedCaption(), "Print # 1");
  picker.Select(2);
  EXPECT_EQ(picker.PrintSelectedCaption(), "Print # 3");  // renewed with the selection
  EXPECT_TRUE(picker.PrintSelected());
  EXPECT_EQ(picker.result(), Picker::Result::kPrintSelected);
  EXPECT_TRUE(picker.PrintAll());
  EXPECT_EQ(picker.result(), Picker::Result::kPrintAll);
  picker.Cancel();
  EXPECT_EQ(picker.result(), Picker::Result::kCancel);
}

}  // namespace
}  // namespace zarim
