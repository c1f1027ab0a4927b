// Placing records in the sorted table: duplicates, overwrite, order, circuit overseer.
#include "records/placing.h"

#include <gtest/gtest.h>

#include "core/strings.h"
#include "records/publisher_form.h"
#include "records_fixture.h"

namespace zarim::testing {
namespace {

using PlacingTest = RecordsTest;

TEST_F(PlacingTest, AddingPlacesTheRecordInNameOrder) {
  Add(10, "Anna", "Zeller");
  Add(11, "Bert", "Adams");
  PubRecord r = MakePublisher(12, "Carl", "Miller");
  int rec = AddPublisherRecord(doc, r);
  EXPECT_EQ(rec, 2);
  EXPECT_EQ(Order(), (std::vector<std::string>{"Bert Adams", "Carl Miller", "Anna Zeller"}));
  EXPECT_EQ(doc.index_count, 3);
}

// A name that differs only in letter case or in trailing blanks is the same name.
TEST_F(PlacingTest, CaseAndTrailingBlanksMakeADuplicate) {
  struct Case {
    const char* first;
    const char* last;
  } cases[] = {{"anna", "zeller"}, {"ANNA", "ZELLER"}, {"Anna ", "Zeller  "}, {"Anna", "zeller "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + "|" + c.last);
    CZarimDoc d(&prompter);
    StartEmpty(d, Date{2024, 3, 15}, dir.path());
    AddRecord(d, MakePublisher(10, "Anna", "Zeller"));
    prompter.messages.clear();
    prompter.Script(Answer::kNo);
    EXPECT_EQ(AddPublisherRecord(d, MakePublisher(11, c.first, c.last)), 0);
    EXPECT_EQ(d.count, 2) << "the refused record is taken off the table";
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "Anna Zeller is a duplicate name.\n\nOverwrite with the new information?");
    EXPECT_EQ(prompter.buttons[0], Buttons::kYesNo);
  }
}

TEST_F(PlacingTest, OverwriteCopiesTheNewRecordButKeepsTheIdentifier) {
  Add(10, "Anna", "Zeller");
  Add(11, "Bert", "Adams");
  PubRecord fresh = MakePublisher(12, "ANNA", "Zeller");
  SetField(fresh.address, "New Street 1");
  prompter.Script(Answer::kYes);
  int rec = AddPublisherRecord(doc, fresh);
  ASSERT_NE(rec, 0);
  EXPECT_EQ(doc.count, 3);
  EXPECT_EQ(FieldText(doc.records[rec].address), "New Street 1");
  EXPECT_EQ(FieldText(doc.records[rec].first_name), "ANNA");
  EXPECT_EQ(doc.records[rec].id, 10);
  EXPECT_EQ(doc.FindById(12), nullptr);
}

TEST_F(PlacingTest, ActivePublisherMayShareTheNameOfATemporarilyDeletedOne) {
  Add(10, "Anna", "Zeller", kDeleted);
  int rec = AddPublisherRecord(doc, MakePublisher(11, "Anna", "Zeller"));
  EXPECT_NE(rec, 0);
  EXPECT_EQ(doc.count, 3);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PlacingTest, ANewInactiveRecordMayNotShareAnyName) {
  Add(10, "Anna", "Zeller", kDeleted);
  EXPECT_EQ(AddPublisherRecord(doc, MakePublisher(11, "Anna", "Zeller", kNonPublisher)), 0);
  EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(PlacingTest, EditingIntoADuplicateIsRefusedWithOkOnly) {
  Add(10, "Anna", "Zeller");
  Add(11, "Bert", "Adams");
  int rec = Rec(11);
  SetField(doc.records[rec].first_name, "anna");
  SetField(doc.records[rec].last_name, "Zeller");
  EXPECT_EQ(PlaceRecord(doc, rec, false), 0);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Anna Zeller is a duplicate name.\n\n");
  EXPECT_EQ(prompter.buttons[0], Buttons::kOk);
  EXPECT_EQ(doc.count, 3);
}

TEST_F(PlacingTest, RenamedRecordMovesBothWays) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  Add(12, "C", "Clark");
  Add(13, "D", "Dunn");
  int rec = Rec(10);
  SetField(doc.records[rec].last_name, "Cook");
  EXPECT_EQ(PlaceRecord(doc, rec, false), 3);
  EXPECT_EQ(Order(), (std::vector<std::string>{"B Baker", "C Clark", "A Cook", "D Dunn"}));
  rec = Rec(13);
  SetField(doc.records[rec].last_name, "Aaron");
  EXPECT_EQ(PlaceRecord(doc, rec, false), 1);
  EXPECT_EQ(Order(), (std::vector<std::string>{"D Aaron", "B Baker", "C Clark", "A Cook"}));
  EXPECT_EQ(doc.RecordNumberById(13), 1) << "the index follows the move";
}

TEST_F(PlacingTest, CircuitOverseerAlwaysLast) {
  PubRecord co = MakePublisher(kCircuitOverseerId, "Aaron", "Aardvark", kCircuitOverseer);
  AddRecord(doc, co);
  AddPublisherRecord(doc, MakePublisher(10, "Zed", "Zulu"));
  AddPublisherRecord(doc, MakePublisher(11, "Abe", "Abbott"));
  ASSERT_EQ(doc.count, 4);
  EXPECT_EQ(doc.records[3].status, kCircuitOverseer);
  EXPECT_EQ(doc.co_record, 3u);
}

TEST_F(PlacingTest, HungarianSortKeyHasNoComma) {
  PubRecord r = MakePublisher(10, "Anna", "Kovacs");
  doc.language_code = "hun";
  EXPECT_EQ(doc.SortName(r), "Kovacs Anna");
  doc.language_code = "eng";
  EXPECT_EQ(doc.SortName(r), "Kovacs, Anna");
  doc.options.sort_first_name = 1;
  EXPECT_EQ(doc.SortName(r), "Anna Kovacs");
}

TEST_F(PlacingTest, FullTableRefusesAdding) {
  for (int i = 0; i < kMaxRecords - 1; ++i)
    doc.records[1 + i] = MakePublisher(10 + i, "X", std::to_string(i));
  doc.count = kMaxRecords;
  EXPECT_EQ(AddPublisherRecord(doc, MakePublisher(20000, "New", "One")), 0);
  EXPECT_EQ(doc.count, kMaxRecords);
}

TEST_F(PlacingTest, RemoveRecordShiftsTheOthers) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  Add(12, "C", "Clark");
  EXPECT_TRUE(RemoveRecord(doc, 2));
  EXPECT_EQ(Order(), (std::vector<std::string>{"A Adams", "C Clark"}));
  EXPECT_EQ(doc.index_count, 2);
  EXPECT_FALSE(RemoveRecord(doc, 5));
}

TEST_F(PlacingTest, NewIdentifierSkipsTheUsedOnes) {
  Add(10, "A", "Adams");
  Add(11, "B", "Baker");
  EXPECT_EQ(NewPublisherId(doc), 12);
  PubRecord blank = BlankPublisher(doc);
  EXPECT_EQ(blank.id, 12);
  EXPECT_EQ(blank.hope, 'O');
  EXPECT_EQ(FieldText(blank.birth_date), "        ");
  EXPECT_EQ(blank.special_circumstances, kCircumstancesSet);
}

// Each list takes people in up to its limit and refuses the next; a full publisher table
// refuses a new record whatever its list, and says so apart from a duplicate name.
TEST(RoomForTest, EachListRefusesPastItsLimitAndAFullTableRefusesNewRecords) {
  const std::pair<uint8_t, int> limits[] = {
      {kActive, 300}, {kNonPublisher, 300}, {kInactive, 299}, {kMoved, 199}, {kDeleted, 299}};
  for (auto [status, limit] : limits) {
    CZarimDoc doc;
    doc.ResetHeader();
    doc.count = 1;
    for (int i = 0; i < limit - 1; ++i) doc.records[doc.count++].status = status;
    EXPECT_EQ(RoomFor(doc, status), Room::kYes) << int(status);
    EXPECT_EQ(RoomFor(doc, status, 2), Room::kListFull) << int(status);
    doc.records[doc.count++].status = status;
    EXPECT_EQ(RoomFor(doc, status), Room::kListFull) << int(status);
    PubRecord r = MakePublisher(29000, "Past", "Limit", status);
    EXPECT_EQ(AddPublisherRecord(doc, r), 0) << int(status);
  }
  CZarimDoc full;
  full.ResetHeader();
  full.count = kMaxIndex + 1;
  for (int i = 1; i < full.count; ++i)
    full.records[i].status = i % 10 == 0 ? kActive : kCircuitOverseer;
  EXPECT_EQ(RoomFor(full, kActive, 1, true), Room::kTableFull);
  EXPECT_EQ(RoomFor(full, kActive), Room::kYes);  // a status move needs no new record
}

TEST_F(PlacingTest, AFullTableMakesTheAddingFormSayFullNotDuplicate) {
  doc.count = kMaxIndex + 1;
  for (int i = 1; i < doc.count; ++i) doc.records[i] = MakePublisher(10 + i, "P", "Q", kInactive);
  PublisherForm form(doc, nullptr);
  form.StartAdding();
  form.fields().text[static_cast<int>(TextField::kFirst)] = "New";
  form.fields().text[static_cast<int>(TextField::kLast)] = "Person";
  EXPECT_EQ(form.Ok(), PublisherForm::Result::kFull);
  EXPECT_EQ(doc.count, kMaxIndex + 1);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.messages.back(),
            "The publisher table is full (1500 people).\nNo one more can be added.");
  EXPECT_EQ(
      RoomMessage(Room::kListFull, kMoved),
      "The list of publishers who moved away is full (199).\nNo one more can be moved there.");
}

}  // namespace
}  // namespace zarim::testing
