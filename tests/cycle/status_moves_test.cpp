// The status moves: to inactive and back, moving away and returning, a Bible student
// becoming a publisher, restoring a deleted publisher, and the "Select Month" form.
#include <gtest/gtest.h>

#include "core/data_files.h"
#include "core/store.h"
#include "cycle/congregation.h"
#include "cycle/status_fixture.h"
#include "cycle/status_rules.h"
#include "records/delete_form.h"

namespace zarim::testing {
namespace {

using StatusMoves = StatusFixture;

TEST_F(StatusMoves, TransferToInactiveTakesMonthAndYear) {
  int r = Add(11, "Ivan", "Idle");
  Rec(r).status_month = 0x21;
  Rec(r).flags = kFamilyHead | kCustomCategory | kExcludeFromGroupList | kMale | kServant;
  ASSERT_EQ(TransferToInactive(doc, r, Choose(11, 2026)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(0), "Month in which Ivan Idle became inactive");
  EXPECT_TRUE(had_years.at(0));
  EXPECT_EQ(Rec(r).status, kInactive);
  EXPECT_EQ(Rec(r).status_month, 11 << 4);  // flags cleared
  // November chosen with the working year (2026) is a month after April: last year.
  EXPECT_EQ(Rec(r).status_year, 25);
  EXPECT_EQ(Rec(r).flags, kFamilyHead | kMale | kServant);
  RefreshDerivedState(doc);  // as the edit's commit does
  EXPECT_EQ(doc.status_count[kInactive], 1);
  EXPECT_EQ(doc.lists[kInactive][0].rec, r);

  int old = Add(12, "Otto", "Old");
  ASSERT_EQ(TransferToInactive(doc, old, Choose(6, 1990)), MoveResult::kDone);
  EXPECT_EQ(Rec(old).status_year, 246);
  EXPECT_EQ(StatusYearToCalendar(Rec(old).status_year), 1990);
}

TEST_F(StatusMoves, CancelInTheMonthPromptChangesNothing) {
  int active = Add(11, "Abe", "Active");
  int inactive = Add(12, "Ina", "Inactive", kInactive);
  int moved = Add(13, "Mo", "Moved", kMoved);
  int student = Add(14, "Stu", "Student", kNonPublisher);
  int deleted = Add(15, "Del", "Deleted", kDeleted);
  Hours(inactive, 2);
  Rec(active).ext_key = 7;
  std::vector<PubRecord> before(doc.records.begin(), doc.records.begin() + doc.count);
  EXPECT_EQ(TransferToInactive(doc, active, CancelAsker()), MoveResult::kCancelled);
  EXPECT_EQ(Reactivate(doc, inactive, CancelAsker()), MoveResult::kCancelled);
  EXPECT_EQ(MoveOut(doc, active, CancelAsker()), MoveResult::kCancelled);
  EXPECT_EQ(ReturnMoved(doc, moved, CancelAsker()), MoveResult::kCancelled);
  EXPECT_EQ(MakePublisher(doc, student, CancelAsker()), MoveResult::kCancelled);
  EXPECT_EQ(RestoreDeleted(doc, deleted, CancelAsker()), MoveResult::kCancelled);
  prompter.Script(Answer::kCancel);
  EXPECT_EQ(UndoMoveOut(doc, moved, Choose(3)), MoveResult::kCancelled);
  EXPECT_EQ(prompts.size(), 6u);
  for (int i = 0; i < doc.count; ++i)
    EXPECT_TRUE(SameBytes(before[i], doc.records[i])) << "record " << i;
  EXPECT_FALSE(doc.modified);
}

TEST_F(StatusMoves, MovesRefuseRecordsOfTheWrongStatus) {
  int active = Add(11, "Abe", "Active");
  int moved = Add(12, "Mo", "Moved", kMoved);
  EXPECT_EQ(Reactivate(doc, active, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(TransferToInactive(doc, moved, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(MoveOut(doc, moved, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(RestoreDeleted(doc, active, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(MakePublisher(doc, active, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(ReturnMoved(doc, active, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(TransferToInactive(doc, 0, Choose(3)), MoveResult::kRefused);  // the header record
  EXPECT_EQ(TransferToInactive(doc, doc.count, Choose(3)), MoveResult::kRefused);
  EXPECT_TRUE(prompts.empty());
  EXPECT_FALSE(doc.modified);
}

TEST_F(StatusMoves, ReactivatingInAprilAfterJanuaryClearsThreeMonthsWithRemarks) {
  int r = Add(11, "Rosa", "Return", kInactive);
  Rec(r).status_month = 1 << 4;  // January 2026
  Rec(r).status_year = 26;
  Rec(r).flags = kFamilyHead | kFemale | kContinuousAux | kServant;
  ReportAllYear(r);
  for (int m = 0; m < 12; ++m) Rec(r).pioneer[m][doc.SlotOfMonth(m)] = kAuxiliary;
  int jan = Remark(r, 0, "ill in January");
  int feb = Remark(r, 1, "ill in February");
  int apr = Remark(r, 3, "back in April");
  int other = Add(12, "Otto", "Other");
  int foreign = Remark(other, 2, "not hers");
  Rec(r).remark[2][0] = static_cast<uint16_t>(foreign);  // a cell that points at another's remark

  ASSERT_EQ(Reactivate(doc, r, Choose(4)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(0), "Month in which Rosa Return was reactivated");
  EXPECT_FALSE(had_years.at(0));
  EXPECT_EQ(Rec(r).status, kActive);
  EXPECT_EQ(Rec(r).status_month, (4 << 4) | kStatusReactivated);
  EXPECT_EQ(Rec(r).status_year, Rec(r).status_month);
  EXPECT_EQ(Rec(r).status_stamp, Serial(26, 3));
  EXPECT_EQ(Rec(r).flags, kFamilyHead | kFemale);
  for (int m : {1, 2, 3}) {  // February, March, April cleared
    for (int f = 0; f < 5; ++f) EXPECT_EQ(Rec(r).activity[f][m][0], 0) << m;
    EXPECT_EQ(Rec(r).pioneer[m][0], 0) << m;
  }
  EXPECT_EQ(Rec(r).activity[kHours][0][0], 5);  // January stays
  EXPECT_EQ(Rec(r).pioneer[0][0], kAuxiliary);
  EXPECT_EQ(FieldText(doc.remarks[feb].text), "");
  EXPECT_EQ(FieldText(doc.remarks[apr].text), "");
  EXPECT_EQ(Rec(r).remark[1][0], 0);
  EXPECT_EQ(FieldText(doc.remarks[jan].text), "ill in January");
  EXPECT_EQ(Rec(r).remark[0][0], jan);
  EXPECT_EQ(FieldText(doc.remarks[foreign].text), "not hers");
}

TEST_F(StatusMoves, ReactivationSpanIsCappedAtTwentyFourMonths) {
  int r = Add(11, "Lou", "Long", kInactive);
  Rec(r).status_month = 1 << 4;
  Rec(r).status_year = 23;  // January 2023, more than three years ago
  EXPECT_EQ(ReactivationSpan(doc, Rec(r), 4), 24);
  Rec(r).status_year = 26;
  EXPECT_EQ(ReactivationSpan(doc, Rec(r), 4), 3);
  Rec(r).status_month = 11 << 4;
  Rec(r).status_year = 25;  // November 2025 to March 2026
  EXPECT_EQ(ReactivationSpan(doc, Rec(r), 3), 4);
  Rec(r).status_month = 4 << 4;
  Rec(r).status_year = 26;  // reactivated before becoming inactive: nothing to clear
  EXPECT_EQ(ReactivationSpan(doc, Rec(r), 2), 0);

  ReportAllYear(r);
  for (int m = 0; m < 12; ++m)
    Rec(r).activity[kHours][m][doc.SlotOfMonth(m) ^ 1] = 7;  // the year before
  Rec(r).status_month = 1 << 4;
  Rec(r).status_year = 23;
  ASSERT_EQ(Reactivate(doc, r, Choose(4)), MoveResult::kDone);
  for (int m = 0; m < 12; ++m)
    for (int s = 0; s < 2; ++s) EXPECT_EQ(Rec(r).activity[kHours][m][s], 0) << m << "/" << s;
}

TEST_F(StatusMoves, ReactivationInALaterMonthBelongsToLastYear) {
  int r = Add(11, "Lia", "Late", kInactive);
  Rec(r).status_month = 2 << 4;
  Rec(r).status_year = 25;
  ASSERT_EQ(Reactivate(doc, r, Choose(9)), MoveResult::kDone);  // September 2025
  EXPECT_EQ(Rec(r).status_stamp, Serial(25, 8));

  // Inactive since October 2025, reactivated in December 2025 while the working month is
  // April 2026: November and December are cleared, October and every other month stay.
  int d = Add(12, "Dan", "December", kInactive);
  Rec(d).status_month = 10 << 4;
  Rec(d).status_year = 25;
  ReportAllYear(d);
  EXPECT_EQ(ReactivationSpan(doc, Rec(d), 12), 2);
  ASSERT_EQ(Reactivate(doc, d, Choose(12)), MoveResult::kDone);
  for (int m = 0; m < 12; ++m)
    EXPECT_EQ(Rec(d).activity[kHours][m][doc.SlotOfMonth(m)], m >= 10 ? 0 : 5) << m;
}

TEST_F(StatusMoves, MovedFromInactiveReturnsWithHisOldMonthThroughSaveAndLoad) {
  int r = Add(11, "Ilse", "Away", kInactive);
  Rec(r).status_month = 7 << 4;  // July 2024
  Rec(r).status_year = 24;
  Rec(r).ext_key = 3;
  Rec(r).household_head = 11;
  ASSERT_EQ(MoveOut(doc, r, Choose(2)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(0), "Month in which Ilse Away moved away");
  EXPECT_EQ(Rec(r).status, kMoved);
  EXPECT_EQ(Rec(r).status_month, 2 << 4);
  EXPECT_TRUE(MovedFromInactive(Rec(r)));
  EXPECT_EQ(RememberedInactiveMonth(Rec(r)), 7);

  // The moved record reaches the disk through the folder's owner, as the program saves.
  FixedClock clock(Date{2026, 5, 10});
  {
    Congregation owner(nullptr);
    ASSERT_TRUE(OpenOwner(owner, dir.path(), clock));
    EditScope edit = owner.Edit();
    AddRecord(edit.doc(), Rec(r));
    edit.Commit();
    ASSERT_TRUE(owner.Save());
  }
  ScriptedPrompter p2;
  CZarimDoc loaded(&p2);
  loaded.data_folder = dir.path();
  ASSERT_TRUE(LoadAll(loaded, clock));
  int lr = loaded.RecordNumberById(11);
  ASSERT_GT(lr, 0);
  EXPECT_TRUE(MovedFromInactive(loaded.records[lr]));

  ASSERT_EQ(ReturnMoved(loaded, lr,
                        [](SelectMonthForm&) {
                          ADD_FAILURE() << "no month is asked for a return to the inactive list";
                          return true;
                        }),
            MoveResult::kDone);
  const PubRecord& back = loaded.records[lr];
  EXPECT_EQ(back.status, kInactive);
  EXPECT_EQ(back.status_month, 7 << 4);
  EXPECT_EQ(back.status_year, 24);
  EXPECT_EQ(back.reserved, 0);
  EXPECT_EQ(back.ext_key, 3);
  EXPECT_EQ(back.household_head, 11);
  RefreshDerivedState(loaded);
  EXPECT_EQ(loaded.status_count[kInactive], 1);
}

TEST_F(StatusMoves, ActivePublisherMovesAndReturnsAsRegularTransfer) {
  int r = Add(11, "Al", "Active");
  Rec(r).reserved = 0x8003;  // stale bits never make an active publisher "from inactive"
  ASSERT_EQ(MoveOut(doc, r, Choose(3)), MoveResult::kDone);
  EXPECT_FALSE(MovedFromInactive(Rec(r)));
  ASSERT_EQ(ReturnMoved(doc, r, Choose(4, 0, true)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(1), "Month in which Al Active returned");
  EXPECT_TRUE(had_tick.at(1));
  EXPECT_EQ(Rec(r).status, kActive);
  EXPECT_EQ(Rec(r).status_month, (4 << 4) | kStatusRegularTransfer);
  EXPECT_EQ(Rec(r).status_year, Rec(r).status_month);

  ASSERT_EQ(MoveOut(doc, r, Choose(3)), MoveResult::kDone);
  ASSERT_EQ(ReturnMoved(doc, r, Choose(4)), MoveResult::kDone);
  EXPECT_EQ(Rec(r).status_month, 4 << 4);  // an irregular return without the tick
}

TEST_F(StatusMoves, UndoMoveoutAsksFirst) {
  int r = Add(11, "Uwe", "Undo");
  Rec(r).ext_key = 12;        // e-mail and long name
  Rec(r).household_head = 9;  // member of a household
  ASSERT_EQ(MoveOut(doc, r, Choose(3)), MoveResult::kDone);
  prompter.Script(Answer::kOk);
  ASSERT_EQ(UndoMoveOut(doc, r, Choose(3)), MoveResult::kDone);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Do you really want to reverse the moveout for Uwe Undo?");
  EXPECT_EQ(prompter.buttons[0], Buttons::kOkCancel);
  EXPECT_EQ(Rec(r).status, kActive);
  EXPECT_EQ(Rec(r).ext_key, 12) << "the undone move-out gives back the extension record";
  EXPECT_EQ(Rec(r).household_head, 9) << "and the household";
}

TEST_F(StatusMoves, FullListsRefuse) {
  for (int i = 0; i < kInactiveListLimit; ++i) Add(100 + i, "In", "Active", kInactive);
  for (int i = 0; i < kMovedListLimit; ++i) Add(500 + i, "Mo", "Ved", kMoved);
  int a = Add(11, "Abe", "Active");
  int b = Add(12, "Bea", "Inactive", kInactive);  // the 300th inactive record
  int m = Add(13, "Max", "Moved", kMoved);
  Rec(m).reserved = kMovedFromInactiveMark | 3;
  PubRecord before_a = Rec(a);
  EXPECT_EQ(TransferToInactive(doc, a, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(MoveOut(doc, a, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(MoveOut(doc, b, Choose(3)), MoveResult::kRefused);
  // Back to a full inactive list would lose him from the list: refused as well.
  EXPECT_EQ(ReturnMoved(doc, m, Choose(3)), MoveResult::kRefused);
  EXPECT_TRUE(prompts.empty());
  EXPECT_TRUE(SameBytes(before_a, Rec(a)));
  EXPECT_EQ(Rec(m).status, kMoved);

  // One place below the limit the moves go through again.
  ASSERT_TRUE(DeletePermanently(doc, doc.RecordNumberById(100)));
  ASSERT_TRUE(DeletePermanently(doc, doc.RecordNumberById(101)));
  EXPECT_EQ(TransferToInactive(doc, doc.RecordNumberById(11), Choose(3)), MoveResult::kDone);
  ASSERT_TRUE(DeletePermanently(doc, doc.RecordNumberById(500)));
  ASSERT_TRUE(DeletePermanently(doc, doc.RecordNumberById(501)));
  EXPECT_EQ(MoveOut(doc, doc.RecordNumberById(12), Choose(3)), MoveResult::kDone);
}

TEST_F(StatusMoves, BibleStudentBecomesANewPublisherWithEmptyMonths) {
  int r = Add(11, "Bill", "Student", kNonPublisher);
  for (int f = 0; f < 5; ++f)
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 3; ++s) Rec(r).activity[f][m][s] = 3;
  for (int m = 0; m < 12; ++m)
    for (int s = 0; s < 3; ++s) Rec(r).pioneer[m][s] = kAuxiliary;
  Rec(r).credit[2][0] = 9;
  ASSERT_EQ(MakePublisher(doc, r, Choose(3)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(0), "Month in which Bill Student became a publisher");
  EXPECT_EQ(Rec(r).status, kActive);
  EXPECT_EQ(Rec(r).status_month, (3 << 4) | kStatusNew);
  EXPECT_EQ(Rec(r).status_year, Rec(r).status_month);
  EXPECT_EQ(Rec(r).status_stamp, Serial(26, 2));
  for (int f = 0; f < 5; ++f)
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 3; ++s) ASSERT_EQ(Rec(r).activity[f][m][s], 0);
  for (int m = 0; m < 12; ++m)
    for (int s = 0; s < 3; ++s) ASSERT_EQ(Rec(r).pioneer[m][s], 0);
  EXPECT_EQ(Rec(r).credit[2][0], 9);
  RefreshDerivedState(doc);
  EXPECT_EQ(doc.status_count[kActive], 1);
  EXPECT_EQ(doc.status_count[kNonPublisher], 0);
}

TEST_F(StatusMoves, MoveToActiveTakesTheMoveOfTheRecordsList) {
  int student = Add(11, "Stu", "Student", kNonPublisher);
  int inactive = Add(12, "Ina", "Inactive", kInactive);
  int moved = Add(13, "Mo", "Moved", kMoved);
  EXPECT_EQ(MoveToActive(doc, moved, Choose(3)), MoveResult::kRefused);
  EXPECT_EQ(MoveToActive(doc, 0, Choose(3)), MoveResult::kRefused);
  EXPECT_TRUE(prompts.empty());
  ASSERT_EQ(MoveToActive(doc, student, Choose(3)), MoveResult::kDone);
  ASSERT_EQ(MoveToActive(doc, inactive, Choose(3)), MoveResult::kDone);
  EXPECT_EQ(prompts.at(0), "Month in which Stu Student became a publisher");
  EXPECT_EQ(prompts.at(1), "Month in which Ina Inactive was reactivated");
  EXPECT_EQ(Rec(student).status, kActive);
  EXPECT_EQ(Rec(inactive).status, kActive);
  RefreshDerivedState(doc);
  EXPECT_EQ(doc.status_count[kActive], 2);
}

TEST_F(StatusMoves, RestoreDeletedPublisherAsReactivated) {
  int r = Add(11, "Dirk", "Deleted", kDeleted);
  Rec(r).status_stamp = static_cast<uint16_t>(((2025 - 1950) << 8) | 6);
  Rec(r).flags = kMale | kElder | kContinuousAux;
  ASSERT_EQ(RestoreDeleted(doc, r, Choose(2)), MoveResult::kDone);
  EXPECT_EQ(Rec(r).status, kActive);
  EXPECT_EQ(Rec(r).status_month, (2 << 4) | kStatusReactivated);
  EXPECT_EQ(Rec(r).status_year, Rec(r).status_month);
  EXPECT_EQ(Rec(r).status_stamp, 0);
  EXPECT_EQ(Rec(r).flags, kMale);
}

TEST_F(StatusMoves, SelectMonthForm) {
  int r = Add(11, "Sel", "Ect");
  SelectMonthForm form(doc, MonthPrompt(doc, Rec(r), Sid::kEventBecameInactive), true, true);
  EXPECT_EQ(form.title(), "Select Month");
  EXPECT_EQ(form.months().size(), 12u);
  EXPECT_EQ(form.months()[0], "January");
  EXPECT_EQ(form.month_index(), 3);  // the working month, April
  auto years = form.years();
  ASSERT_EQ(years.size(), 2026u - 1950u + 1u);
  EXPECT_EQ(years.front(), "1950");
  EXPECT_EQ(years.back(), "2026");
  EXPECT_EQ(form.chosen_year(), 2026);
  EXPECT_EQ(form.ResultMonth(), 4);
  EXPECT_EQ(form.ResultValue(), 2026);
  form.set_month_index(4);  // May with the working year: last May
  EXPECT_EQ(form.ResultValue(), 2025);
  EXPECT_TRUE(form.SelectYear(2020));
  EXPECT_EQ(form.ResultValue(), 2020);  // an earlier year is taken as chosen
  EXPECT_FALSE(form.SelectYear(2027));
  EXPECT_FALSE(form.SelectYear(1949));
  form.set_ticked(true);
  EXPECT_EQ(form.ResultValue(), SelectMonthForm::kTickedValue);
  form.set_month_index(12);  // out of range: ignored
  EXPECT_EQ(form.ResultMonth(), 5);

  SelectMonthForm plain(doc, "p", false);
  EXPECT_TRUE(plain.years().empty());
  plain.set_ticked(true);  // no tick box: cannot be ticked
  EXPECT_FALSE(plain.ticked());
  plain.set_month_index(11);
  EXPECT_EQ(plain.ResultValue(), 2025);
}

}  // namespace
}  // namespace zarim::testing
