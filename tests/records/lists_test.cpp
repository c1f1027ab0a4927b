// Selection lists, the Add Publisher chooser, households, the custom category, the
// pioneer lists and the circuit overseer.
#include <gtest/gtest.h>

#include "core/store.h"
#include "records/circuit_overseer_form.h"
#include "records/custom_category_form.h"
#include "records/extension.h"
#include "records/households.h"
#include "records/pioneer_list_form.h"
#include "records/select_publisher_form.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using ListsTest = RecordsTest;

TEST_F(ListsTest, SelectPublisherWrapsBothWays) {
  SelectPublisherForm empty(doc);
  EXPECT_FALSE(empty.edit_shown());
  EXPECT_EQ(empty.selection(), -1);
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  Add(12, "C", "Clark");
  Add(13, "S", "Student", kNonPublisher);
  SelectPublisherForm form(doc);
  EXPECT_EQ(form.Title(), "Select Publisher");
  EXPECT_EQ(form.names(), (std::vector<std::string>{"A Adams", "B Baker", "C Clark"}));
  form.Move(-1);
  EXPECT_EQ(form.selection(), 2);
  form.Move(1);
  EXPECT_EQ(form.selection(), 0);
  EXPECT_TRUE(form.SelectById(12));
  EXPECT_EQ(form.SelectedRecord(), Rec(12));
  SelectPublisherForm students(doc, kNonPublisher);
  EXPECT_EQ(students.Title(), "Select Bible Student");
  EXPECT_EQ(students.names(), (std::vector<std::string>{"S Student"}));
  EXPECT_EQ(students.AddCaption(), "&Add");
}

TEST_F(ListsTest, SelectPublisherNamesTheGroupOfNamesakesAndFindsByAnyPartOfTheName) {
  Add(10, "John", "Smith").group = 1;
  Add(11, "John", "Smith").group = 2;
  Add(12, "J\xFCrgen", "Weber").group = 1;
  SelectPublisherForm form(doc);
  EXPECT_EQ(form.names(),
            (std::vector<std::string>{"John Smith (1)", "John Smith (2)", "J\xC3\xBCrgen Weber"}));
  const struct {
    const char* text;
    std::vector<int> found;
  } cases[] = {
      {"", {0, 1, 2}},    {"  ", {0, 1, 2}}, {"smith", {0, 1}},
      {"J\xC3\x9C", {2}}, {"(2)", {1}},      {"Nobody", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(form.Matching(c.text), c.found) << c.text;
}

TEST(StudentAddCaptionTest, BlanksStayOnlyInSwedish) {
  EXPECT_EQ(StudentAddCaption("eng"), "&Add");
  EXPECT_EQ(StudentAddCaption("swedish"), "    &Add    ");
}

TEST_F(ListsTest, AddChooserOffersTheTransfersThatApply) {
  EXPECT_EQ(AddChoices(doc), (std::vector<AddChoice>{AddChoice::kNew}));
  Add(10, "I", "Inactive", kInactive);
  EXPECT_EQ(AddChoices(doc), (std::vector<AddChoice>{AddChoice::kNew, AddChoice::kFromInactive}));
  Add(11, "S", "Student", kNonPublisher);
  EXPECT_EQ(AddChoices(doc), (std::vector<AddChoice>{AddChoice::kNew, AddChoice::kFromStudents,
                                                     AddChoice::kFromInactive}));
  EXPECT_EQ(AddChoiceCaption(AddChoice::kFromStudents),
            "Transfer a new publisher from the Bible Student list");
}

TEST_F(ListsTest, DeleteBibleStudentAsksFirst) {
  Add(11, "S", "Student", kNonPublisher);
  prompter.Script(Answer::kNo);
  EXPECT_FALSE(DeleteBibleStudent(doc, Rec(11)));
  EXPECT_EQ(prompter.messages.back(), "Do you really want to delete S Student?");
  prompter.Script(Answer::kYes);
  EXPECT_TRUE(DeleteBibleStudent(doc, Rec(11)));
  EXPECT_EQ(doc.FindById(11), nullptr);
}

TEST_F(ListsTest, HouseholdLinkUndoAndChooser) {
  Add(10, "A", "Adams").flags |= kFamilyHead;
  Add(11, "B", "Adams");
  Add(12, "C", "Clark", kInactive);
  Add(13, "D", "Dunn").flags |= kFamilyHead;
  Add(14, "E", "Evans").household_head = 13;
  Add(15, "F", "Fox", kNonPublisher);
  HouseholdForm form(doc, Rec(10));
  EXPECT_TRUE(form.editable());
  EXPECT_EQ(form.Title(), "Edit Household");
  EXPECT_EQ(form.EmptyText(), "Single Person Household");
  FamilyMemberChooser chooser(doc, Rec(10));
  std::vector<std::string> texts;
  std::vector<bool> selectable;
  for (const auto& c : chooser.candidates()) {
    texts.push_back(c.text);
    selectable.push_back(c.selectable);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"B Adams", "C Clark ( i )", "D Dunn  *  Family Head *",
                                      "E Evans  #  Assigned to Another Family #", "F Fox ( s )"}));
  EXPECT_EQ(selectable, (std::vector<bool>{true, true, false, true, true}));
  EXPECT_FALSE(form.Add(Rec(13))) << "a head cannot join";
  EXPECT_TRUE(form.Add(Rec(11)));
  EXPECT_TRUE(form.Add(Rec(14)));
  EXPECT_EQ(form.Members().size(), 2u);
  EXPECT_EQ(doc.household_undo_count, 2);
  form.Cancel();
  EXPECT_EQ(doc.FindById(11)->household_head, 0);
  EXPECT_EQ(doc.FindById(14)->household_head, 13) << "undone newest first back to the old head";
  EXPECT_EQ(doc.household_undo_count, 0);

  HouseholdForm view(doc, Rec(14));
  EXPECT_FALSE(view.editable());
  EXPECT_EQ(view.Title(), "View Household");
  EXPECT_EQ(view.HeadName(), "D Dunn");
  EXPECT_FALSE(view.Add(Rec(11)));
}

TEST_F(ListsTest, RenamingTheCategoryAsksEvenWithNoFlaggedPublishers) {
  doc.options.custom_category_name = "Drivers";
  doc.options.custom_category_enabled = 1;
  Add(10, "A", "Adams");
  CustomCategoryForm form(doc);
  EXPECT_EQ(form.name, "Drivers");
  form.name = "  Helpers ";
  int asked = 0;
  ASSERT_TRUE(form.Ok([&](const CategoryQuestion& q) {
    ++asked;
    EXPECT_EQ(q.Text(), "0 Publishers are marked as Drivers.  What do you want to do with them?");
    EXPECT_EQ(q.ChangeCaption(), "Change all Drivers to Helpers");
    EXPECT_EQ(q.ClearCaption(), "Clear all of them");
    return CategoryChoice::kChangeAll;
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(doc.options.custom_category_name, "Helpers");
}

TEST_F(ListsTest, CategoryClearAllAndCancel) {
  doc.options.custom_category_name = "Drivers";
  doc.options.custom_category_enabled = 1;
  Add(10, "A", "Adams").flags |= kCustomCategory;
  Add(11, "B", "Baker").flags |= kCustomCategory;
  CustomCategoryForm form(doc);
  form.name = "A much too long category name";
  EXPECT_FALSE(form.Ok([](const CategoryQuestion&) { return std::nullopt; }));
  EXPECT_EQ(doc.options.custom_category_name, "Drivers");
  ASSERT_TRUE(form.Ok([](const CategoryQuestion& q) {
    EXPECT_EQ(q.count, 2);
    return CategoryChoice::kClearAll;
  }));
  EXPECT_EQ(doc.options.custom_category_name, "A much too long");
  EXPECT_EQ(doc.FindById(10)->flags & kCustomCategory, 0);
  EXPECT_EQ(doc.FindById(11)->flags & kCustomCategory, 0);
  form.name = "";
  ASSERT_TRUE(form.Ok([](const CategoryQuestion&) { return CategoryChoice::kChangeAll; }));
  EXPECT_EQ(doc.options.custom_category_enabled, 0) << "an empty name switches the category off";
}

TEST_F(ListsTest, ToggleAutoCaps) {
  doc.options.autocaps = 1;
  EXPECT_FALSE(ToggleAutoCaps(doc));
  EXPECT_TRUE(ToggleAutoCaps(doc));
}

TEST_F(ListsTest, PioneerListMonthsTitleAndMoves) {
  // Working month February 2024.
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  PioneerListForm form(doc, PioneerListForm::Mode::kAuxiliary);
  EXPECT_EQ(form.YearTexts(), (std::vector<std::string>{"22", "23", "24"}));
  EXPECT_EQ(form.year_index(), 2);
  EXPECT_EQ(form.Months(), (std::vector<int>{0, 1}));
  EXPECT_EQ(form.month(), 1);
  EXPECT_EQ(form.Title(), "Add, Delete Auxiliary Pioneers - February 24 ( 0 )");
  ASSERT_TRUE(form.Add(0));
  EXPECT_EQ(doc.FindById(10)->pioneer[1][0] & 3, kAuxiliary);
  EXPECT_EQ(form.Title(), "Add, Delete Auxiliary Pioneers - February 24 ( 1 )");
  EXPECT_EQ(form.right().size(), 1u);
  form.SelectYear(0);
  EXPECT_EQ(form.Months().front(), 2);
  EXPECT_EQ(form.Months().back(), 11);
  form.SelectYear(1);
  EXPECT_EQ(form.Months().size(), 12u);
  EXPECT_EQ(PioneerListForm::MoveCaption(true), ">>>  &Remove  >>>");
  EXPECT_EQ(PioneerListForm::MoveCaption(false), "<<<    &Add    <<<");

  PioneerListForm regular(doc, PioneerListForm::Mode::kRegular);
  EXPECT_TRUE(regular.special_shown());
  regular.SetSpecial(true);
  ASSERT_EQ(regular.right().size(), 1u) << "an auxiliary pioneer is on neither side";
  ASSERT_TRUE(regular.Add(0));
  EXPECT_EQ(doc.FindById(11)->pioneer[1][0] & 3, kSpecial);
  ASSERT_TRUE(regular.Remove(0));
  EXPECT_EQ(doc.FindById(11)->pioneer[1][0] & 3, kPublisher);
}

TEST_F(ListsTest, CircuitOverseerRecord) {
  Add(10, "Zed", "Zulu");
  CircuitOverseerForm shortname(doc);
  shortname.last = "X";
  EXPECT_FALSE(shortname.Ok()) << "a last name under 2 characters creates nothing";
  EXPECT_EQ(doc.count, 2);

  CircuitOverseerForm form(doc);
  EXPECT_FALSE(form.exists());
  form.first = "Aaron";
  form.last = "Abbott";
  form.email = "co@example.org";
  form.include = ContactListChoice::kNo;
  ASSERT_TRUE(form.Ok());
  ASSERT_EQ(doc.count, 3);
  const PubRecord& co = doc.records[2];
  EXPECT_EQ(co.status, kCircuitOverseer);
  EXPECT_EQ(co.id, kCircuitOverseerId);
  RefreshDerivedState(doc);  // as the edit's commit does
  EXPECT_EQ(doc.co_record, 2u);
  EXPECT_EQ(LoadExtension(doc, co).email, "co@example.org");
  EXPECT_EQ(CircuitOverseerContactChoice(doc), ContactListChoice::kNo);

  CircuitOverseerForm edit(doc);
  EXPECT_TRUE(edit.exists());
  EXPECT_EQ(edit.email, "co@example.org");
  EXPECT_EQ(edit.include, ContactListChoice::kNo);
  edit.email = "";
  edit.include = ContactListChoice::kAsk;
  ASSERT_TRUE(edit.Ok());
  EXPECT_EQ(doc.records[2].ext_key, 0) << "no extension data remain";
  edit.first = std::string(19, 'a');
  EXPECT_FALSE(edit.Ok());
  EXPECT_EQ(prompter.messages.back(), "Please enter no more than 18 characters.");
}

}  // namespace
}  // namespace zarim::testing
