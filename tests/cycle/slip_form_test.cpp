// The report slip form: what it shows, how its boxes behave, the pioneer credit, late
// reports, remarks and what saving writes into the document.
#include "cycle/slip_form.h"

#include <gtest/gtest.h>

#include "core/strings.h"
#include "cycle/late_reports.h"
#include "cycle/slip_queries.h"
#include "posting_fixture.h"

namespace zarim::testing {
namespace {

class SlipFormTest : public PostingTest {};

// ---- Pioneer credit ----------------------------------------------------------------

struct CreditCase {
  int hours;
  int credit_in;
  const char* remark;
  int credit;
  const char* remark_after;
};

class CreditRule : public ::testing::TestWithParam<CreditCase> {};

TEST_P(CreditRule, GivesTheCreditOfTheRemarkWithinTheCeiling) {
  const CreditCase& c = GetParam();
  CreditResult r = ComputePioneerCredit(c.hours, c.credit_in, c.remark);
  EXPECT_EQ(r.credit, c.credit) << c.hours << " hours, remark '" << c.remark << "'";
  EXPECT_EQ(r.remark, c.remark_after);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CreditRule,
    ::testing::Values(
        CreditCase{50, 0, "10", 5, "10"},     // hours and credit reach at most 55
        CreditCase{50, 0, "10*", 10, "10*"},  // '*' allows credit beyond the ceiling
        CreditCase{50, 0, "10!", 10, "10!"},  // '!' lifts every limit
        CreditCase{55, 0, "10", 0, "10"},     // 55 hours or more: no credit
        CreditCase{60, 0, "10", 0, "10"}, CreditCase{55, 0, "10*", 10, "10*"},
        CreditCase{60, 0, "50*", 40, "50*"},  // '*' gives at most 40
        CreditCase{30, 0, "50*", 40, "50*"}, CreditCase{55, 0, "70!", 70, "70!"},
        CreditCase{20, 0, "300", 35, "300"},       // three digits, capped at 255, then 55 - 20
        CreditCase{20, 0, "9999!", 255, "9999!"},  // only three leading digits count
        CreditCase{40, 0, "ill", 0, "ill"},        // no leading digits: no credit
        CreditCase{40, 5, "", 5, "5 +Hours"},      // a credit without remark writes one
        CreditCase{52, 5, "", 3, "3 +Hours"}, CreditCase{60, 5, "", 0, ""},
        CreditCase{10, 0, "abcdef!", 0, "abcdef!"},  // '!' beyond the sixth character is text
        CreditCase{10, 0, "12345*", 45, "12345*"},   // three digits; '*' beyond position 4 is text
        CreditCase{50, 0, "8    *", 5, "8    *"}, CreditCase{50, 0, "8*", 8, "8*"}));

// ---- Opening -------------------------------------------------------------------------

TEST_F(SlipFormTest, ShowsNameMonthPrivilegeAndGroup) {
  Add(100, "John", "Smith", 3);
  R(100).flags = kElder;
  SlipForm f(doc, Rec(100));
  EXPECT_EQ(f.name(), "John Smith");
  EXPECT_EQ(f.MonthText(), "February 2026");
  EXPECT_EQ(f.PrivilegeText(), "Elder");
  EXPECT_EQ(f.GroupText(), "Group 3");
  EXPECT_TRUE(f.AuxBoxShown());
  EXPECT_EQ(f.PioneerLabel(), "");
  EXPECT_EQ(f.warning(), "");
}

TEST_F(SlipFormTest, PioneerLineByCodeAndFieldMissionary) {
  struct Case {
    int code;
    bool missionary;
    bool box;
    const char* label;
  };
  const Case cases[] = {
      {kPublisher, false, true, ""},
      {kAuxiliary, false, true, ""},
      {kRegular, false, false, "Regular Pioneer"},
      {kSpecial, false, false, "Special pioneer"},
      {kRegular, true, false, "Field missionary"},
      {kPublisher, true, false, "Field missionary"},
  };
  int id = 100;
  for (const Case& c : cases) {
    Add(id, "P", std::to_string(id));
    SetCode(id, kFeb, kSlot, c.code);
    if (c.missionary) R(id).service_flags = kFieldMissionary;
    SlipForm f(doc, Rec(id));
    EXPECT_EQ(f.AuxBoxShown(), c.box) << "code " << c.code;
    EXPECT_EQ(f.PioneerLabel(), c.label) << "code " << c.code;
    EXPECT_EQ(f.aux(), c.code == kAuxiliary);
    EXPECT_EQ(f.CreditShown(), c.code == kRegular);
    ++id;
  }
}

TEST_F(SlipFormTest, PrivilegeLineByCode) {
  const char* expected[] = {"", "Ministerial servant", "Elder", "Baptized brother"};
  for (int p = 0; p < 4; ++p) {
    Add(100 + p, "P", std::to_string(p));
    R(100 + p).flags = static_cast<uint8_t>(p | kMale);
    EXPECT_EQ(SlipForm(doc, Rec(100 + p)).PrivilegeText(), expected[p]);
  }
}

TEST_F(SlipFormTest, StoredHoursTickSharedAndShowTheWarning) {
  Add(100, "Ann", "Lee");
  SetCode(100, kFeb, kSlot, kAuxiliary);
  SetReport(100, kFeb, kSlot, 12, 2, /*shared=*/false);
  SlipForm f(doc, Rec(100));
  EXPECT_TRUE(f.shared());
  EXPECT_EQ(f.hours_text(), "12");
  EXPECT_EQ(f.studies_text(), "2");
  EXPECT_EQ(f.warning(),
            "- WARNING -   You have already posted the February 2026 report for Ann Lee.\n"
            "Any changes WILL BE INCLUDED in the February 2026 report to the branch office.");
}

// ---- Visibility ----------------------------------------------------------------------

TEST_F(SlipFormTest, StudiesOnlyWhileSharedHoursOnlyForPioneersAndMissionaries) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  EXPECT_FALSE(f.shared());
  EXPECT_FALSE(f.StudiesShown());
  EXPECT_FALSE(f.HoursShown());
  f.SetShared(true);
  EXPECT_TRUE(f.StudiesShown());
  EXPECT_FALSE(f.HoursShown());
  f.SetAux(true);
  EXPECT_TRUE(f.HoursShown());
  f.SetAux(false);
  EXPECT_FALSE(f.HoursShown());

  Add(101, "Miss", "B");
  R(101).service_flags = kFieldMissionary;
  SlipForm m(doc, Rec(101));
  m.SetShared(true);
  EXPECT_TRUE(m.HoursShown());
}

TEST_F(SlipFormTest, UntickingSharedClearsBothBoxes) {
  Add(100, "Aux", "A");
  SetCode(100, kFeb, kSlot, kAuxiliary);
  SlipForm f(doc, Rec(100));
  f.SetShared(true);
  f.SetHoursText("30");
  f.SetStudiesText("4");
  f.SetShared(false);
  EXPECT_EQ(f.hours_text(), "0");
  EXPECT_EQ(f.studies_text(), "0");
  EXPECT_EQ(f.Save(), SlipForm::SaveResult::kUnchanged);
  EXPECT_FALSE(ReportedInMonth(R(100), kFeb, kSlot));
}

TEST_F(SlipFormTest, TickingAuxiliaryRechecksSharedFromTheHours) {
  Add(100, "Pub", "A");
  R(100).activity[kHours][kFeb][kSlot] = 5;  // imported without the tick
  SlipForm f(doc, Rec(100));
  f.SetShared(false);
  EXPECT_FALSE(f.shared());
  f.SetHoursText("15");
  f.SetAux(true);
  EXPECT_TRUE(f.shared());
}

// ---- Keys ----------------------------------------------------------------------------

TEST(SlipKeys, NumberBoxesTakeDigitsAndMoveWithArrowsAndEnter) {
  struct Case {
    NumberBox box;
    SlipKey key;
    KeyAction action;
  };
  const Case cases[] = {
      {NumberBox::kHours, SlipKey::kDigit, KeyAction::kAccept},
      {NumberBox::kHours, SlipKey::kBackspace, KeyAction::kAccept},
      {NumberBox::kHours, SlipKey::kPeriod, KeyAction::kAccept},
      {NumberBox::kHours, SlipKey::kOther, KeyAction::kReject},
      {NumberBox::kStudies, SlipKey::kOther, KeyAction::kReject},
      {NumberBox::kHours, SlipKey::kSpace, KeyAction::kReplaceWithZero},
      {NumberBox::kStudies, SlipKey::kDelete, KeyAction::kReplaceWithZero},
      {NumberBox::kHours, SlipKey::kRight, KeyAction::kFocusNext},
      {NumberBox::kStudies, SlipKey::kRight, KeyAction::kFocusShared},
      {NumberBox::kHours, SlipKey::kLeft, KeyAction::kFocusPrevious},
      {NumberBox::kStudies, SlipKey::kLeft, KeyAction::kFocusPrevious},
      {NumberBox::kHours, SlipKey::kEnter, KeyAction::kFocusNext},
      {NumberBox::kStudies, SlipKey::kEnter, KeyAction::kSave},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SlipForm::NumberKey(c.box, c.key), c.action)
        << static_cast<int>(c.box) << "/" << static_cast<int>(c.key);
}

TEST_F(SlipFormTest, EnterOnOkSavesExceptRightAfterTheRemark) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  EXPECT_EQ(f.EnterKey(SlipFocus::kOkButton), KeyAction::kSave);
  EXPECT_EQ(f.EnterKey(SlipFocus::kOther), KeyAction::kFocusNext);
  f.BeginRemark();
  f.SetRemark("ill");
  f.EndRemark();
  EXPECT_EQ(f.EnterKey(SlipFocus::kOkButton), KeyAction::kReturnToEntry);
  EXPECT_EQ(f.EnterKey(SlipFocus::kOkButton), KeyAction::kSave);
}

// ---- Saving --------------------------------------------------------------------------

TEST_F(SlipFormTest, SharedOnlyCountsAsReportedWithoutHoursOrStudies) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.SetShared(true);
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  const PubRecord& r = R(100);
  EXPECT_TRUE(ReportedInMonth(r, kFeb, kSlot));
  EXPECT_EQ(r.activity[kHours][kFeb][kSlot], 0);
  EXPECT_EQ(r.activity[kBibleStudies][kFeb][kSlot], kSharedBit);
  EXPECT_EQ(doc.resume_id, 100);
}

TEST_F(SlipFormTest, HoursOrStudiesAlwaysStoreTheSharedBit) {
  Add(100, "Pub", "A");
  Add(101, "Aux", "B");
  SetCode(101, kFeb, kSlot, kAuxiliary);
  {
    SlipForm f(doc, Rec(100));
    f.SetShared(true);
    f.SetStudiesText("3");
    ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  }
  {
    // Hours typed in, the tick then cleared behind the form's back.
    SlipForm f(doc, Rec(101));
    f.SetShared(true);
    f.SetHoursText("7");
    f.SetStudiesText("1");
    ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  }
  EXPECT_EQ(R(100).activity[kBibleStudies][kFeb][kSlot], kSharedBit | 3);
  EXPECT_EQ(R(101).activity[kBibleStudies][kFeb][kSlot], kSharedBit | 1);
  EXPECT_EQ(R(101).activity[kHours][kFeb][kSlot], 7);
}

TEST_F(SlipFormTest, KeepsTheQuarterHoursAndOtherFields) {
  Add(100, "Aux", "A");
  SetCode(100, kFeb, kSlot, kAuxiliary);
  R(100).activity[kBibleStudies][kFeb][kSlot] =
      static_cast<uint16_t>((2 << kQuarterShift) | kSharedBit | 1);
  R(100).activity[kReturnVisits][kFeb][kSlot] = 9;
  SlipForm f(doc, Rec(100));
  f.SetStudiesText("5");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).activity[kBibleStudies][kFeb][kSlot], (2 << kQuarterShift) | kSharedBit | 5);
  EXPECT_EQ(R(100).activity[kReturnVisits][kFeb][kSlot], 9);
}

TEST_F(SlipFormTest, AuxiliaryBoxSetsThePublishersCode) {
  Add(100, "Pub", "A");
  Add(101, "Reg", "B");
  SetCode(101, kFeb, kSlot, kRegular | 0x04);  // the upper bits are not the code's
  {
    SlipForm f(doc, Rec(100));
    f.SetAux(true);
    f.SetHoursText("20");
    ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  }
  EXPECT_EQ(R(100).pioneer[kFeb][kSlot], kAuxiliary);
  {
    SlipForm f(doc, Rec(101));
    f.SetHoursText("50");
    ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  }
  EXPECT_EQ(R(101).pioneer[kFeb][kSlot], kRegular | 0x04);
}

TEST_F(SlipFormTest, StudiesBeyondSixtyThreeAreRefused) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.SetShared(true);
  for (const char* bad : {"64", "", "1.5", "x"}) {
    prompter.messages.clear();
    f.SetStudiesText(bad);
    EXPECT_EQ(f.Save(), SlipForm::SaveResult::kRefused) << bad;
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "Please enter an integer between 0 and 63.");
  }
  EXPECT_FALSE(ReportedInMonth(R(100), kFeb, kSlot));
  f.SetStudiesText("63");
  EXPECT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(StudiesInMonth(R(100), kFeb, kSlot), 63);
}

TEST_F(SlipFormTest, HoursWithAFractionAreRefusedNotCut) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.SetShared(true);
  f.SetAux(true);
  f.SetStudiesText("0");
  for (const char* bad : {"30.5", "30,5", "3x", "-2"}) {
    prompter.messages.clear();
    f.SetHoursText(bad);
    EXPECT_EQ(f.Save(), SlipForm::SaveResult::kRefused) << bad;
    EXPECT_EQ(f.refused_box(), NumberBox::kHours);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], std::string("The hours \"") + bad +
                                        "\" are not a whole number. The slip takes whole hours "
                                        "only: type them without a fraction, for example 30.");
  }
  EXPECT_FALSE(ReportedInMonth(R(100), kFeb, kSlot));
  f.SetHoursText(" 30 ");
  EXPECT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).activity[kHours][kFeb][kSlot], 30);
}

TEST_F(SlipFormTest, UnchangedSlipStoresNothingAndKeepsTheResumeIdentifier) {
  Add(100, "Pub", "A");
  Add(101, "Pub", "B");
  SetReport(101, kFeb, kSlot, 0, 2);
  doc.resume_id = 100;
  doc.modified = 0;
  PubRecord before = R(101);
  SlipForm f(doc, Rec(101));
  EXPECT_EQ(f.Save(), SlipForm::SaveResult::kUnchanged);
  EXPECT_EQ(doc.resume_id, 100);
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(std::memcmp(&before, &R(101), sizeof before), 0);
}

TEST_F(SlipFormTest, EditsStayInTheCopyUntilSaved) {
  Add(100, "Pub", "A");
  {
    SlipForm f(doc, Rec(100));
    f.SetShared(true);
    f.SetStudiesText("4");
    EXPECT_EQ(StudiesInMonth(f.copy(), kFeb, kSlot), 0);
  }  // closed without saving
  EXPECT_FALSE(ReportedInMonth(R(100), kFeb, kSlot));
  EXPECT_FALSE(doc.modified);
}

TEST_F(SlipFormTest, RegularPioneerStoresTheCreditOfHisRemark) {
  Add(100, "Reg", "A");
  SetCode(100, kFeb, kSlot, kRegular);
  SlipForm f(doc, Rec(100));
  f.SetHoursText("50");
  f.BeginRemark();
  f.SetRemark("10");
  f.EndRemark();
  EXPECT_EQ(f.credit(), 5);
  EXPECT_EQ(f.CreditText(), "( + 5 Hours )");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).credit[kFeb][kSlot], 5);
  EXPECT_EQ(RemarkText(doc, R(100), kFeb, kSlot), "10");
}

TEST_F(SlipFormTest, CreditWithoutRemarkWritesTheRemark) {
  Add(100, "Reg", "A");
  SetCode(100, kFeb, kSlot, kRegular);
  R(100).credit[kFeb][kSlot] = 6;
  SlipForm f(doc, Rec(100));
  EXPECT_EQ(f.remark(), "6 +Hours");
  EXPECT_EQ(f.credit(), 6);
  f.SetHoursText("40");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(RemarkText(doc, R(100), kFeb, kSlot), "6 +Hours");
  EXPECT_EQ(R(100).credit[kFeb][kSlot], 6);
}

TEST_F(SlipFormTest, EmptiedRemarkDropsTheCredit) {
  Add(100, "Reg", "A");
  SetCode(100, kFeb, kSlot, kRegular);
  SlipForm f(doc, Rec(100));
  f.SetHoursText("30");
  f.BeginRemark();
  f.SetRemark("12");
  f.EndRemark();
  EXPECT_EQ(f.credit(), 12);
  f.BeginRemark();
  f.SetRemark("   ");
  f.EndRemark();
  EXPECT_EQ(f.credit(), 0);
  EXPECT_EQ(f.CreditText(), "");
}

TEST_F(SlipFormTest, NonPioneersGetNoCredit) {
  Add(100, "Aux", "A");
  SetCode(100, kFeb, kSlot, kAuxiliary);
  R(100).credit[kFeb][kSlot] = 9;
  SlipForm f(doc, Rec(100));
  f.BeginRemark();
  f.SetRemark("10!");
  f.EndRemark();
  EXPECT_EQ(f.credit(), 0);
  f.SetHoursText("30");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).credit[kFeb][kSlot], 0);
}

// ---- Remarks -------------------------------------------------------------------------

TEST_F(SlipFormTest, RemarkIsCutToThirtySixCharactersAndLinked) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.BeginRemark();
  EXPECT_EQ(f.mode(), SlipMode::kRemark);
  f.SetRemark("0123456789012345678901234567890123456789");
  f.EndRemark();
  EXPECT_EQ(f.mode(), SlipMode::kEntry);
  EXPECT_EQ(f.remark(), "012345678901234567890123456789012345");
  EXPECT_EQ(doc.remark_count, 2);
  const RemarkEntry& e = doc.remarks[1];
  EXPECT_EQ(e.month, kFeb + 1);
  EXPECT_EQ(e.slot, kSlot);
  EXPECT_EQ(e.id, 100);
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);  // only the remark changed
  EXPECT_EQ(R(100).remark[kFeb][kSlot], 1);
  EXPECT_EQ(doc.resume_id, 100);
}

TEST_F(SlipFormTest, CancelledSlipLeavesTheRecordUnlinkedButTheEntryStored) {
  Add(100, "Pub", "A");
  {
    SlipForm f(doc, Rec(100));
    f.BeginRemark();
    f.SetRemark("away");
    f.EndRemark();
  }
  EXPECT_EQ(R(100).remark[kFeb][kSlot], 0);
  EXPECT_EQ(doc.remark_count, 2);
  EXPECT_EQ(FieldText(doc.remarks[1].text), "away");
}

TEST_F(SlipFormTest, FullRemarkTableSaysOutOfSpaceAndStoresNoRemark) {
  Add(100, "Pub", "A");
  doc.remark_count = kRemarkNewLimit;
  SlipForm f(doc, Rec(100));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Out of Space for Remarks");
  f.BeginRemark();
  f.SetRemark("ill");
  f.EndRemark();
  EXPECT_EQ(doc.remark_count, kRemarkNewLimit);
  f.SetShared(true);
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).remark[kFeb][kSlot], 0);
}

TEST_F(SlipFormTest, ExistingRemarkStaysEditableWhenTheTableIsFull) {
  Add(100, "Pub", "A");
  doc.remark_count = kRemarkNewLimit;
  SetField(doc.remarks[5].text, "old");
  doc.remarks[5].month = kFeb + 1;
  doc.remarks[5].id = 100;
  R(100).remark[kFeb][kSlot] = 5;
  SlipForm f(doc, Rec(100));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(f.remark(), "old");
  f.BeginRemark();
  f.SetRemark("new");
  f.EndRemark();
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).remark[kFeb][kSlot], 5);
  EXPECT_EQ(FieldText(doc.remarks[5].text), "new");
}

// ---- Late reports --------------------------------------------------------------------

TEST_F(SlipFormTest, ChangingMonthUsesThePreviousYearAfterTheWorkingMonth) {
  Add(100, "Pub", "A");
  SetReport(100, kNov, kLastSlot, 0, 2);
  SlipForm f(doc, Rec(100));
  f.BeginChangeMonth();
  EXPECT_EQ(f.mode(), SlipMode::kChoosingMonth);
  EXPECT_FALSE(f.EntryButtonsShown());
  EXPECT_EQ(f.month_choice(), kFeb);
  ASSERT_EQ(f.MonthChoices().size(), 12u);
  EXPECT_EQ(f.MonthChoices()[kNov], "November 2025");
  f.ChooseMonth(kNov);
  EXPECT_EQ(f.posting_month(), kNov);
  EXPECT_EQ(f.posting_slot(), kLastSlot);
  EXPECT_EQ(f.studies_text(), "2");
  EXPECT_EQ(f.MonthText(), "November 2025");
  f.ChooseMonth(kJan);
  EXPECT_EQ(f.posting_slot(), kSlot);
  f.EndChangeMonth();
  EXPECT_TRUE(f.EntryButtonsShown());
  EXPECT_TRUE(f.late());
}

TEST_F(SlipFormTest, LateSlipForAMonthWithHoursWarnsAndIsNotAdded) {
  Add(100, "Aux", "A");
  SetCode(100, kJan, kSlot, kAuxiliary);
  SetReport(100, kJan, kSlot, 20, 0);
  SlipForm f(doc, Rec(100));
  f.BeginChangeMonth();
  f.ChooseMonth(kJan);
  f.EndChangeMonth();
  EXPECT_EQ(f.warning(),
            "- WARNING -   You have already posted the January 2026 report for Aux A.\n"
            "Changes WILL NOT BE INCLUDED in the February 2026 report to the branch office.");
  EXPECT_TRUE(f.excluded());
  f.SetHoursText("25");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(R(100).activity[kHours][kJan][kSlot], 25);
  EXPECT_EQ(doc.late_count, 0);
}

TEST_F(SlipFormTest, LateSlipForAMonthReportedWithoutHoursIsNotAddedAgain) {
  // January was posted in January with "shared in ministry" only; the corrected slip in
  // February must not count it a second time.
  Add(100, "Pub", "A");
  R(100).activity[kBibleStudies][kJan][kSlot] = kSharedBit;
  SlipForm f(doc, Rec(100));
  f.BeginChangeMonth();
  f.ChooseMonth(kJan);
  f.EndChangeMonth();
  EXPECT_TRUE(f.excluded());
  f.SetStudiesText("1");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(doc.late_count, 0);
}

TEST_F(SlipFormTest, LateSlipForAMonthWithoutHoursIsAdded) {
  Add(100, "Pub", "A");
  SlipForm f(doc, Rec(100));
  f.BeginChangeMonth();
  f.ChooseMonth(kJan);
  f.EndChangeMonth();
  EXPECT_EQ(f.warning(),
            "Any changes WILL BE INCLUDED in the February 2026 report to the branch office.");
  EXPECT_FALSE(f.excluded());
  f.SetShared(true);
  f.SetStudiesText("2");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  ASSERT_EQ(doc.late_count, 1);
  EXPECT_EQ(doc.late[0].id, 100);
  EXPECT_EQ(doc.late[0].month, kJan);
  EXPECT_EQ(doc.late[0].posted, kFeb + 1);
  EXPECT_TRUE(ReportedInMonth(R(100), kJan, kSlot));
  EXPECT_FALSE(ReportedInMonth(R(100), kFeb, kSlot));
}

TEST_F(SlipFormTest, SameLateMonthTwiceLeavesOneEntry) {
  Add(100, "Aux", "A");
  SetCode(100, kNov, kLastSlot, kAuxiliary);
  for (const char* hours : {"10", "12"}) {
    SlipForm f(doc, Rec(100));
    f.BeginChangeMonth();
    f.ChooseMonth(kNov);
    f.EndChangeMonth();
    f.SetShared(true);
    f.SetHoursText(hours);
    ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  }
  EXPECT_EQ(doc.late_count, 1);
  EXPECT_EQ(R(100).activity[kHours][kNov][kLastSlot], 12);
}

TEST_F(SlipFormTest, SpecialPioneerIsWarnedAndHisLateSlipIsNotAdded) {
  Add(100, "Spec", "A");
  SetCode(100, kFeb, kSlot, kSpecial);
  SlipForm f(doc, Rec(100));
  EXPECT_EQ(f.warning(), "Special pioneers are NOT INCLUDED in Report to Branch");
  EXPECT_TRUE(f.excluded());
  f.BeginChangeMonth();
  f.ChooseMonth(kJan);
  f.EndChangeMonth();
  EXPECT_EQ(f.warning(), "Special pioneers are NOT INCLUDED in Report to Branch");
  f.SetShared(true);
  f.SetHoursText("70");
  ASSERT_EQ(f.Save(), SlipForm::SaveResult::kSaved);
  EXPECT_EQ(doc.late_count, 0);
}

TEST_F(SlipFormTest, FrenchMonthNamesTakeTheirArticle) {
  Add(100, "Pub", "A");
  doc.language_code = "fra";  // not a language code of the program
  EXPECT_EQ(MonthForMessage(doc, kFeb), "February");
  doc.language_code = "french";
  EXPECT_EQ(MonthForMessage(doc, kFeb), "de February");
  EXPECT_EQ(MonthForMessage(doc, 3), "d'April");
  EXPECT_EQ(MonthForMessage(doc, 9), "d'October");
  EXPECT_EQ(MonthForMessage(doc, 3, true), "d'April 2025");
  doc.language_code = "eng";
  EXPECT_EQ(MonthForMessage(doc, kFeb), "February");
}

}  // namespace
}  // namespace zarim::testing
