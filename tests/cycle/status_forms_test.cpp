// The forms of the inactive, move-outs and status dialogs.
#include "cycle/status_forms.h"

#include <gtest/gtest.h>

#include "cycle/status_fixture.h"
#include "cycle/status_rules.h"

namespace zarim::testing {
namespace {

using StatusForms = StatusFixture;

TEST_F(StatusForms, InactiveDialogButtonFollowsTheSelection) {
  int candidate = Add(11, "Cora", "Candidate");
  int reporting = Add(12, "Rolf", "Reporting");
  Hours(reporting, 3);
  int inactive = Add(13, "Ines", "Inactive", kInactive);
  Rec(inactive).status_month = 3 << 4;
  Rec(inactive).status_year = 26;

  InactiveForm form(doc, InactiveForm::Mode::kInactive);
  EXPECT_EQ(form.title(), "Add - Edit - Delete - Reactivate Inactive Publishers");
  EXPECT_EQ(form.left_heading(), " Inactive Publishers ");
  EXPECT_EQ(form.right_heading(), " No Report for Six Months ");
  ASSERT_EQ(form.right().size(), 1u);
  EXPECT_EQ(form.right()[0].rec, candidate);
  ASSERT_EQ(form.left().size(), 1u);
  EXPECT_EQ(form.left()[0].text, "Ines Inactive\t2026  Mar");
  EXPECT_FALSE(form.move_enabled());

  form.Select(ListSide::kRight, 0);
  EXPECT_EQ(form.move_caption(), "Transfer to Inactive");
  EXPECT_FALSE(form.edit_shown());
  EXPECT_FALSE(form.delete_shown());
  form.Select(ListSide::kLeft, 0);
  EXPECT_EQ(form.move_caption(), "Reactivate");
  EXPECT_TRUE(form.edit_shown());
  EXPECT_TRUE(form.delete_shown());
  EXPECT_EQ(form.selected_record(), inactive);
  form.Select(ListSide::kLeft, 5);  // no such row: nothing selected
  EXPECT_EQ(form.side(), ListSide::kNone);

  form.Select(ListSide::kRight, 0);
  ASSERT_EQ(form.Move(Choose(4, 2026)), MoveResult::kDone);
  EXPECT_EQ(Rec(candidate).status, kInactive);
  EXPECT_TRUE(form.right().empty());
  EXPECT_EQ(form.left().size(), 2u);
  EXPECT_EQ(form.side(), ListSide::kNone);  // the candidate list became empty

  form.Select(ListSide::kLeft, 1);
  ASSERT_EQ(form.Move(Choose(4)), MoveResult::kDone);
  EXPECT_EQ(Rec(inactive).status, kActive);  // the second row, in record order
  EXPECT_EQ(Rec(candidate).status, kInactive);
  EXPECT_EQ(form.left().size(), 1u);
  EXPECT_EQ(form.side(), ListSide::kLeft);
  EXPECT_EQ(form.row(), 0);  // shorter list: the last entry
}

TEST_F(StatusForms, InactivePeriodButtonCyclesAndFilters) {
  int recent = Add(11, "Rena", "Recent", kInactive);
  Rec(recent).status_month = 3 << 4;
  Rec(recent).status_year = 26;
  int older = Add(12, "Olli", "Older", kInactive);
  Rec(older).status_month = 5 << 4;
  Rec(older).status_year = 24;
  InactiveForm form(doc, InactiveForm::Mode::kInactive);
  std::vector<std::pair<std::string, size_t>> seen;
  for (int i = 0; i < 5; ++i, form.CyclePeriod())
    seen.emplace_back(form.period_caption(), form.left().size());
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, size_t>>{{"Last Six Months", 1},
                                                               {"Service Year", 1},
                                                               {"Last Twelve Months", 1},
                                                               {"Over Twelve Months", 1},
                                                               {"All", 2}}));
  EXPECT_EQ(form.period_caption(), "Last Six Months");
}

TEST_F(StatusForms, InactiveListOpensOnThePeriodThatShowsThem) {
  {
    InactiveForm nobody(doc, InactiveForm::Mode::kInactive);
    EXPECT_EQ(nobody.period(), InactivePeriod::kLastSix);
  }
  int older = Add(12, "Olli", "Older", kInactive);
  Rec(older).status_month = 5 << 4;
  Rec(older).status_year = 24;
  InactiveForm form(doc, InactiveForm::Mode::kInactive);
  EXPECT_EQ(form.period_caption(), "Over Twelve Months");
  ASSERT_EQ(form.left().size(), 1u);
  EXPECT_EQ(form.left()[0].rec, older);
}

TEST_F(StatusForms, DeletedModeRestoresAndDeletes) {
  int a = Add(11, "Dora", "Deleted", kDeleted);
  Rec(a).status_stamp = static_cast<uint16_t>(((2026 - 1950) << 8) | 2);
  Add(12, "Dirk", "Gone", kDeleted);
  InactiveForm form(doc, InactiveForm::Mode::kDeleted);
  EXPECT_EQ(form.title(), "Edit - Permanently Delete - Restore");
  EXPECT_EQ(form.left_heading(), " Deleted ");
  EXPECT_FALSE(form.right_shown());
  EXPECT_FALSE(form.period_shown());
  EXPECT_EQ(form.left()[0].text, "Dora Deleted\tFeb 2026");
  form.Select(ListSide::kLeft, 1);
  EXPECT_EQ(form.move_caption(), "Restore");

  prompter.Script(Answer::kCancel);
  EXPECT_FALSE(form.DeleteSelected());
  EXPECT_EQ(doc.count, 3);
  prompter.Script(Answer::kOk);
  EXPECT_TRUE(form.DeleteSelected());
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1], "Do you really want to delete Dirk Gone?");
  EXPECT_EQ(doc.count, 2);
  EXPECT_EQ(form.left().size(), 1u);

  form.Select(ListSide::kLeft, 0);
  ASSERT_EQ(form.Move(Choose(3)), MoveResult::kDone);
  EXPECT_EQ(doc.records[1].status, kActive);
  EXPECT_TRUE(form.left().empty());
}

TEST_F(StatusForms, MoveOutsDialog) {
  int active = Add(11, "Alma", "Active");
  int inactive = Add(12, "Igor", "Inactive", kInactive);
  Rec(inactive).status_month = 9 << 4;
  Rec(inactive).status_year = 25;
  MoveOutsForm form(doc);
  EXPECT_EQ(form.title(), "Move Outs");
  EXPECT_EQ(form.right_heading(), "No Report for April 2026 ");
  EXPECT_EQ(form.left_heading(), " Publishers who have moved ");
  ASSERT_EQ(form.right().size(), 1u);
  EXPECT_EQ(form.right()[0].rec, active);
  form.SetInactive(true);
  ASSERT_EQ(form.right().size(), 1u);
  EXPECT_EQ(form.right()[0].rec, inactive);

  form.Select(ListSide::kRight, 0);
  EXPECT_TRUE(form.move_out_enabled());
  EXPECT_FALSE(form.return_enabled());
  ASSERT_EQ(form.MoveOutSelected(Choose(4)), MoveResult::kDone);
  EXPECT_TRUE(form.right().empty());
  ASSERT_EQ(form.left().size(), 1u);

  form.Select(ListSide::kLeft, 0);
  EXPECT_TRUE(form.return_enabled());
  prompter.Script(Answer::kOk);
  ASSERT_EQ(form.UndoSelected(Choose(4)), MoveResult::kDone);
  EXPECT_EQ(Rec(inactive).status, kInactive);
  EXPECT_EQ(Rec(inactive).status_month, 9 << 4);
  EXPECT_TRUE(form.left().empty());
  EXPECT_EQ(form.right().size(), 1u);
}

TEST_F(StatusForms, StatusDialogOpensOnTheRecordsStatus) {
  PubRecord r = MakePublisher(11, "S", "T");
  StatusForm none(doc, r);
  EXPECT_EQ(none.choice(), StatusForm::kNone);
  EXPECT_EQ(none.month_index(), 3);  // the working month
  EXPECT_FALSE(none.Apply(r));

  r.status_month = (2 << 4) | kStatusRegularTransfer;
  StatusForm transfer(doc, r);
  EXPECT_EQ(transfer.choice(), StatusForm::kRegularTransfer);
  EXPECT_EQ(transfer.month_index(), 1);
  EXPECT_TRUE(transfer.note_shown());
  EXPECT_FALSE(transfer.years_shown());

  r.status_month = (11 << 4) | kStatusReactivated;
  r.status_stamp = Serial(24, 10);  // November 2024: 17 months ago, the offered year is 2024
  StatusForm reactivated(doc, r);
  EXPECT_EQ(reactivated.choice(), StatusForm::kReactivated);
  EXPECT_TRUE(reactivated.years_shown());
  EXPECT_EQ(reactivated.years(), (std::vector<std::string>{"2025", "2026"}));
  EXPECT_EQ(reactivated.year_index(), 0);
  EXPECT_EQ(reactivated.ChosenSerial(), Serial(24, 10));

  r.status_stamp = Serial(23, 10);  // too old: the working serial is offered
  StatusForm stale(doc, r);
  EXPECT_EQ(stale.year_index(), 1);

  StatusForm irregular(doc, PubRecord{});
  irregular.SetChoice(StatusForm::kIrregularTransfer);
  EXPECT_FALSE(irregular.note_shown());
  std::vector<std::string> captions;
  for (int c = 0; c < StatusForm::kChoices; ++c) captions.push_back(StatusForm::ChoiceCaption(c));
  EXPECT_EQ(captions,
            (std::vector<std::string>{"New Publisher (First Time in Service)",
                                      "Regular Transfer from Another Congregation",
                                      "Irregular Transfer from Another Congregation",
                                      "Reactivated Publisher", "Clear Status for this Publisher"}));
}

struct StatusApplyCase {
  const char* what;
  int choice;
  int month;       // 0-based
  int year_index;  // for new and reactivated
  uint16_t old_stamp;
  uint8_t want_month;
  uint16_t want_stamp;
};

TEST_F(StatusForms, AddingOffersClearStatusUnlessTheRecordHasOne) {
  PubRecord r = MakePublisher(11, "S", "T");
  EXPECT_EQ(StatusForm(doc, r).choice(), StatusForm::kNone);  // editing asks for a choice
  EXPECT_EQ(StatusForm(doc, r, true).choice(), StatusForm::kClear);
  r.status_month = 0x31;  // new publisher, from a transfer file
  EXPECT_EQ(StatusForm(doc, r, true).choice(), StatusForm::kNew);
  EXPECT_NE(StatusForm(doc, r).explanation().find("Clear Status"), std::string::npos);
}

class StatusApply : public StatusFixture, public ::testing::WithParamInterface<StatusApplyCase> {};

TEST_P(StatusApply, WritesTheFields) {
  const StatusApplyCase& c = GetParam();
  PubRecord r = MakePublisher(11, "S", "T");
  r.status_month = 0x55;
  r.status_stamp = c.old_stamp;
  StatusForm form(doc, r);
  form.SetChoice(c.choice);
  form.set_month_index(c.month);
  form.set_year_index(c.year_index);
  ASSERT_TRUE(form.Apply(r));
  EXPECT_EQ(r.status_month, c.want_month) << c.what;
  EXPECT_EQ(r.status_stamp, c.want_stamp) << c.what;
  EXPECT_EQ(r.status_year, r.status_month) << c.what;
}

// Working month April 2026 (serial 315).
INSTANTIATE_TEST_SUITE_P(
    Table, StatusApply,
    ::testing::Values(
        StatusApplyCase{"new this year", StatusForm::kNew, 2, 1, 0, 0x31, Serial(26, 2)},
        StatusApplyCase{"new later month is last year", StatusForm::kNew, 9, 1, 0, 0xA1,
                        Serial(25, 9)},
        StatusApplyCase{"new first year entry", StatusForm::kNew, 2, 0, 0, 0x01, Serial(25, 2)},
        StatusApplyCase{"reactivated eleven months", StatusForm::kReactivated, 4, 1, 0, 0x52,
                        Serial(25, 4)},
        StatusApplyCase{"reactivated twelve months", StatusForm::kReactivated, 3, 0, 0, 0x02,
                        Serial(25, 3)},
        StatusApplyCase{"regular transfer keeps stamp", StatusForm::kRegularTransfer, 1, 1,
                        Serial(26, 0), 0x24, Serial(26, 0)},
        StatusApplyCase{"regular transfer old stamp", StatusForm::kRegularTransfer, 1, 1,
                        Serial(25, 0), 0x04, Serial(25, 0)},
        StatusApplyCase{"irregular ignores year list", StatusForm::kIrregularTransfer, 1, 0, 0,
                        0x20, 0},
        StatusApplyCase{"clear", StatusForm::kClear, 1, 1, Serial(26, 0), 0x00, 0}),
    [](const auto& info) {
      std::string n = info.param.what;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

}  // namespace
}  // namespace zarim::testing
