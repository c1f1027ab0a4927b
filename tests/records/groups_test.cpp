// Field service groups: headings, list lines, the detail form and the assignment form.
#include "records/groups.h"

#include <gtest/gtest.h>

#include "records_fixture.h"

namespace zarim::testing {
namespace {

using GroupsTest = RecordsTest;

TEST_F(GroupsTest, HeadingFollowsTheOverseersPrivilege) {
  struct Case {
    uint8_t privilege;
    const char* heading;
  } cases[] = {{kServant, "Servant: John Smith"},
               {kElder, "Overseer: John Smith"},
               {kBaptizedBrother, "Conductor: John Smith"},
               {kNoPrivilege, "Conductor: John Smith"}};
  PubRecord& john = Add(10, "John", "Smith");
  doc.groups.count = 1;
  SetField(doc.groups.overseer[0], "John Smith");
  for (const auto& c : cases) {
    john.flags = c.privilege;
    EXPECT_EQ(GroupHeading(doc, 1), c.heading);
  }
  SetField(doc.groups.overseer[0], "john smith");  // the match is case-sensitive
  EXPECT_EQ(GroupHeading(doc, 1), "Overseer: john smith");
}

TEST_F(GroupsTest, OverseerStoredAsTextIsMarkedAfterRename) {
  Add(10, "John", "Smith");
  Add(11, "Paul", "Jones");
  GroupDetailForm form(doc, 1);
  form.SelectOverseer(Rec(10));
  form.SelectAssistant(Rec(11));
  form.location = "Hall";
  form.day = 5;
  form.time = "9:30";
  ASSERT_TRUE(form.Ok());
  EXPECT_EQ(doc.groups.count, 1);
  EXPECT_EQ(GroupListLine(doc, 1), "#1 \tJohn Smith \tPaul Jones \tHall \tSaturday \t9:30");
  SetField(doc.FindById(10)->first_name, "Johnny");
  EXPECT_EQ(GroupListLine(doc, 1), "#1 \t*John Smith \tPaul Jones \tHall \tSaturday \t9:30");
  EXPECT_EQ(GroupListLine(doc, 2), "#2 \t \t \t \t \t");
}

TEST_F(GroupsTest, OverseerWithALongNameIsStillFoundAfterTheFieldCutIt) {
  PubRecord& long_name = Add(10, "Maximilianus", "Oberhollenzer-Wagner");  // 33 bytes
  long_name.flags = kServant;
  Add(11, "Maximilianus", "Oberholl");  // a shorter name with the same beginning
  GroupDetailForm form(doc, 1);
  form.SelectOverseer(Rec(10));
  ASSERT_TRUE(form.Ok());
  EXPECT_EQ(FieldText(doc.groups.overseer[0]).size(), 23u);
  EXPECT_EQ(FindByFirstLastName(doc, FieldText(doc.groups.overseer[0])), Rec(10));
  EXPECT_EQ(GroupHeading(doc, 1), "Servant: Maximilianus Oberhollen");
  EXPECT_EQ(GroupListLine(doc, 1).find('*'), std::string::npos);
}

TEST_F(GroupsTest, DetailFormRules) {
  GroupDetailForm none(doc, 21);
  EXPECT_FALSE(none.valid());
  EXPECT_FALSE(none.Ok()) << "group 21 cannot be created";

  GroupDetailForm third(doc, 3);
  third.name = "  A very long group name indeed  ";
  third.use_name = true;
  ASSERT_TRUE(third.Ok());
  EXPECT_EQ(doc.groups.count, 0) << "no overseer: the number in use stays";
  EXPECT_EQ(FieldText(doc.groups.name[2]), "A very long group na");
  EXPECT_EQ(doc.groups.use_name[2], 1);
  third.name = "";
  third.overseer = "Someone";
  ASSERT_TRUE(third.Ok());
  EXPECT_EQ(doc.groups.use_name[2], 0) << "cleared when the name is empty";
  EXPECT_EQ(doc.groups.count, 3);
}

TEST_F(GroupsTest, EditCaption) {
  doc.groups.count = 2;
  EXPECT_EQ(EditGroupCaption(doc, 2), "Edit Group 2");
  SetField(doc.groups.name[1], "North");
  doc.groups.use_name[1] = 1;
  EXPECT_EQ(EditGroupCaption(doc, 2), "Edit North");
}

TEST_F(GroupsTest, AssignmentCandidatesAndAssign) {
  doc.groups.count = 3;
  Add(10, "A", "Adams").group = 1;
  Add(11, "B", "Baker").group = 2;
  Add(12, "C", "Clark");
  Add(13, "D", "Dunn", kInactive);
  Add(14, "E", "Evans").group = 3;
  GroupAssignmentForm form(doc);
  form.SetGroup(1);
  ASSERT_EQ(form.members().size(), 1u);
  EXPECT_EQ(form.members()[0].text, "A Adams");
  std::vector<std::string> names;
  for (const auto& c : form.candidates()) names.push_back(c.text);
  EXPECT_EQ(names, (std::vector<std::string>{"B Baker (2)", "C Clark", "E Evans (3)"}));
  EXPECT_EQ(form.UnassignedText(), "1 Unassigned Publishers");
  form.SetSourceGroup(2);
  names.clear();
  for (const auto& c : form.candidates()) names.push_back(c.text);
  EXPECT_EQ(names, (std::vector<std::string>{"B Baker (2)", "C Clark"}));
  form.SetIncludeInactive(true);
  names.clear();
  for (const auto& c : form.candidates()) names.push_back(c.text);
  EXPECT_EQ(names, (std::vector<std::string>{"B Baker (2)", "C Clark", "D Dunn *"}));
  EXPECT_EQ(form.MoveTarget(), "to Group  #1");
  EXPECT_EQ(form.MoveLabel(1), "C Clark");
  ASSERT_TRUE(form.Assign(1));
  EXPECT_EQ(doc.FindById(12)->group, 1);
  EXPECT_EQ(form.members().size(), 2u);
  EXPECT_EQ(form.MembersCaption(), "Publishers in Group 1");
}

}  // namespace
}  // namespace zarim::testing
