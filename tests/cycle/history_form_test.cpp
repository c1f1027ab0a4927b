// "History": the hours fractions, the months offered, storing a month into the private
// copy, the late list rebuilt on closing, and the totals mode.
#include "cycle/history_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "status_fixture.h"

namespace zarim::testing {
namespace {

TEST(HistoryHours, FractionsRoundToQuarters) {
  const std::pair<const char*, const char*> cases[] = {
      {"3.6", "3.5"}, {"3.0", "3.25"}, {"3.", "3.25"},   {"3.3", "3.25"},
      {"3.4", "3.5"}, {"3.7", "3.75"}, {"3.99", "3.75"}, {"12", "12"},
  };
  for (auto [typed, shown] : cases) EXPECT_EQ(RoundHoursText(typed), shown) << typed;
  EXPECT_EQ(ParseHoursText("3.5").hours, 3);
  EXPECT_EQ(ParseHoursText("3.5").quarter, 2);
  EXPECT_EQ(ParseHoursText("3.25").quarter, 1);
  EXPECT_EQ(ParseHoursText("3.75").quarter, 3);
  EXPECT_EQ(ParseHoursText("3").quarter, 0);
}

struct MonthsCase {
  int entry, w;
  bool initialized;
  std::vector<int> months;
};

TEST(HistoryMonthsOffered, AroundJanuaryAndTwoYearsBack) {
  const MonthsCase cases[] = {
      {2, 0, true, {}},  // January: the working year has no earlier month
      {1, 0, true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {0, 0, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {0, 0, false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {2, 3, true, {0, 1, 2}},
      {0, 3, true, {4, 5, 6, 7, 8, 9, 10, 11}},
      {0, 11, true, {}},
  };
  for (const MonthsCase& c : cases)
    EXPECT_EQ(HistoryMonths(c.entry, c.w, c.initialized), c.months)
        << c.entry << " " << c.w << " " << c.initialized;
}

class HistoryFormTest : public StatusFixture {
 protected:
  void SetUp() override {
    StatusFixture::SetUp();
    pub = Add(10, "Paul", "Pioneer");
    Add(11, "Quinn", "Second");
    Collection(1);  // April 2026 is open
    doc.modified = 0;
  }
  // Chooses year entry and month index in the form.
  void Choose(HistoryForm& f, int entry, int month) {
    f.SetYear(entry);
    auto it = std::find(f.months().begin(), f.months().end(), month);
    ASSERT_NE(it, f.months().end());
    f.SetMonthPosition(static_cast<int>(it - f.months().begin()));
  }
  int pub = 0;
};

TEST_F(HistoryFormTest, OpensOnTheMonthBeforeTheWorkingMonth) {
  HistoryForm f(doc);
  EXPECT_EQ(f.YearEntries(), (std::vector<std::string>{"2024", "2025", "2026"}));
  EXPECT_EQ(f.year(), 2);
  EXPECT_EQ(f.month(), 2);  // March
  EXPECT_EQ(f.PublisherEntries(), (std::vector<std::string>{"Paul Pioneer", "Quinn Second"}));
  // Two years back shares the working year's slot.
  f.SetYear(0);
  EXPECT_EQ(f.slot(), SlotOfYear(26));
  EXPECT_EQ(f.months().front(), 4);  // May 2024: April's cells hold April 2026
  EXPECT_EQ(f.month_position(), 2);  // the position is kept
}

TEST_F(HistoryFormTest, HoursWithFractionsAreStoredAsQuarters) {
  Rec(pub).pioneer[2][doc.SlotOfMonth(2)] = kRegular;
  HistoryForm f(doc);
  f.SetTicked(HistoryTick::kShared, true);
  ASSERT_TRUE(f.Shown(HistoryBox::kHours));
  f.SetText(HistoryBox::kHours, "3.6");
  f.LeaveHours();
  EXPECT_EQ(f.text(HistoryBox::kHours), "3.5");
  f.Close();
  const int s = doc.SlotOfMonth(2);
  EXPECT_EQ(Rec(pub).activity[kHours][2][s], 3);
  EXPECT_EQ(Rec(pub).activity[kBibleStudies][2][s], (2 << kQuarterShift) | kSharedBit);

  HistoryForm again(doc);
  EXPECT_EQ(again.text(HistoryBox::kHours), "3.5");
  again.SetText(HistoryBox::kHours, "3.0");
  again.Close();  // stored without leaving the box first
  EXPECT_EQ(Rec(pub).activity[kBibleStudies][2][s] >> kQuarterShift, 1);
}

TEST_F(HistoryFormTest, LateReportJoinsTheLateListAndTheWorkingTotals) {
  HistoryForm f(doc);  // March 2026
  f.SetTicked(HistoryTick::kShared, true);
  f.SetTicked(HistoryTick::kLate, true);
  EXPECT_FALSE(IsInLateList(doc, 10, 2));
  f.Close();
  EXPECT_EQ(Rec(pub).late[2][doc.SlotOfMonth(2)], 4);  // posted in April
  EXPECT_TRUE(IsInLateList(doc, 10, 2));
  EXPECT_EQ(ComputeWorkingTotals(doc).row[0][kTotalsReportsField], 1);
}

TEST_F(HistoryFormTest, AuxiliaryTickWinsOverRegular) {
  HistoryForm f(doc);
  f.SetTicked(HistoryTick::kAux, true);
  f.SetTicked(HistoryTick::kRegular, true);
  EXPECT_FALSE(f.Shown(HistoryBox::kHours));  // shared not ticked
  f.Close();
  EXPECT_EQ(Rec(pub).pioneer[2][doc.SlotOfMonth(2)] & 3, kAuxiliary);
}

TEST_F(HistoryFormTest, ClosingWithoutChangeLeavesTheDataUnmodified) {
  Hours(pub, 2, 7);
  SharedOnly(pub, 2);
  Remark(pub, 2, "ill");
  Rec(pub).late[1][doc.SlotOfMonth(1)] = 2;  // a late report posted in February
  PubRecord before = Rec(pub);
  HistoryForm f(doc);
  for (int m = 0; m < 3; ++m) f.SetMonthPosition(m);
  f.SetYear(1);
  f.SetPublisher(1);
  f.SetTotals(true);
  f.SetTotals(false);
  f.Close();
  EXPECT_FALSE(doc.modified);
  EXPECT_TRUE(SameBytes(before, Rec(pub)));
}

TEST_F(HistoryFormTest, OldFormShowsLessThanAnHourOnlyWithoutHours) {
  doc.switch_serial = 400;  // every offered month uses the old form
  HistoryForm f(doc);
  EXPECT_FALSE(f.new_form());
  EXPECT_FALSE(f.Shown(HistoryTick::kShared));
  EXPECT_TRUE(f.Shown(HistoryBox::kPlacements));
  EXPECT_TRUE(f.Shown(HistoryTick::kLessThanHour));
  f.SetTicked(HistoryTick::kLessThanHour, true);
  f.SetText(HistoryBox::kHours, "0.5");
  EXPECT_FALSE(f.ticked(HistoryTick::kLessThanHour));
  EXPECT_FALSE(f.Shown(HistoryTick::kLessThanHour));
  f.SetText(HistoryBox::kHours, "0");
  f.SetTicked(HistoryTick::kLessThanHour, true);
  f.SetText(HistoryBox::kPlacements, "4");
  f.Close();
  const int s = doc.SlotOfMonth(2);
  EXPECT_EQ(Rec(pub).activity[kPlacements][2][s], 4);
  EXPECT_EQ(Rec(pub).activity[kBibleStudies][2][s], kSharedBit);
}

TEST_F(HistoryFormTest, NewFormHidesHoursOfPublishersAndUntickingClearsBoxes) {
  HistoryForm f(doc);
  EXPECT_FALSE(f.Shown(HistoryBox::kStudies));
  f.SetTicked(HistoryTick::kShared, true);
  EXPECT_TRUE(f.Shown(HistoryBox::kStudies));
  EXPECT_FALSE(f.Shown(HistoryBox::kHours));
  EXPECT_FALSE(f.Shown(HistoryBox::kCredit));
  f.SetTicked(HistoryTick::kRegular, true);
  EXPECT_TRUE(f.Shown(HistoryBox::kHours));
  EXPECT_TRUE(f.Shown(HistoryBox::kCredit));
  f.SetText(HistoryBox::kStudies, "2");
  f.SetTicked(HistoryTick::kShared, false);
  EXPECT_EQ(f.text(HistoryBox::kStudies), "0");
  EXPECT_EQ(f.text(HistoryBox::kHours), "0");
}

TEST_F(HistoryFormTest, EnterWalksMonthsIntoTheNextYearEntryOrToTheNextPublisher) {
  HistoryForm f(doc);
  f.SetTicked(HistoryTick::kNextMonth, true);
  f.SetTicked(HistoryTick::kNextPublisher, true);
  EXPECT_FALSE(f.ticked(HistoryTick::kNextMonth));
  f.SetTicked(HistoryTick::kNextMonth, true);
  EXPECT_FALSE(f.ticked(HistoryTick::kNextPublisher));
  f.SetTicked(HistoryTick::kShared, true);
  f.Enter();  // March 2026 was the last: on to May 2024
  EXPECT_EQ(f.year(), 0);
  EXPECT_EQ(f.month(), 4);
  // Stored into the private copy; the record changes when the publisher changes.
  EXPECT_EQ(f.copy().activity[kBibleStudies][2][doc.SlotOfMonth(2)], kSharedBit);
  EXPECT_EQ(Rec(pub).activity[kBibleStudies][2][doc.SlotOfMonth(2)], 0);

  f.SetTicked(HistoryTick::kNextPublisher, true);
  f.Enter();
  EXPECT_EQ(f.record(), pub + 1);
  EXPECT_EQ(f.month(), 4);
  EXPECT_EQ(Rec(pub).activity[kBibleStudies][2][doc.SlotOfMonth(2)], kSharedBit);
}

TEST_F(HistoryFormTest, TotalsModeWritesOnlyOnChange) {
  HistoryForm f(doc);
  f.SetTotals(true);
  EXPECT_TRUE(f.NoteShown());
  EXPECT_EQ(f.PublisherEntries().size(), 4u);
  f.SetPublisher(2);
  ASSERT_TRUE(f.SpecialChoiceShown());
  f.SetSpecialRow(true);
  f.SetText(HistoryBox::kHours, "40.5");
  f.SetText(HistoryBox::kCredit, "2");
  EXPECT_FALSE(doc.modified);  // edits go to the copy
  f.SetPublisher(3);
  EXPECT_FALSE(f.Shown(HistoryBox::kHours));
  f.SetText(HistoryBox::kCredit, "55");
  f.Close();
  const int s = doc.SlotOfMonth(2) & 1;
  EXPECT_EQ(doc.totals.value[2][kTotalsFields * 3 + 2][s], 40);
  EXPECT_EQ(doc.totals.value[2][kTotalsFields * 3 + kTotalsQuarterField][s], 2);
  EXPECT_EQ(doc.totals.value[2][kTotalsFields * 3 + kTotalsReportsField][s], 2);
  EXPECT_EQ(doc.totals.value[2][kTotalsActiveField][s], 55);
}

TEST_F(HistoryFormTest, InactiveModeOffersMonthsBeforeBecomingInactive) {
  // Working month April 2026: a later month of 2026 is never offered under 2026, and two
  // years back starts at the working month whatever month he stopped in.
  int ines = Add(12, "Ines", "Inactive", kInactive);
  const std::pair<int, std::vector<int>> cases[] = {
      {2, {0}}, {4, {0, 1, 2}}, {10, {0, 1, 2}}};  // February, April, October
  for (const auto& [became, working_year] : cases) {
    Rec(ines).status_month = static_cast<uint8_t>(became << 4);
    HistoryForm f(doc, HistoryForm::Options{0, true});
    EXPECT_EQ(f.record(), ines);
    EXPECT_EQ(f.months(), working_year) << became;
    f.SetYear(0);
    ASSERT_FALSE(f.months().empty());
    EXPECT_GE(f.months().front(), 3) << became;
  }
  HistoryForm one(doc, HistoryForm::Options{pub, false});
  EXPECT_EQ(one.PublisherEntries(), (std::vector<std::string>{"Paul Pioneer"}));
}

TEST_F(HistoryFormTest, OnlyActiveAndInactivePublishersAreOffered) {
  const std::pair<uint8_t, bool> cases[] = {{kActive, true},
                                            {kInactive, true},
                                            {kMoved, false},
                                            {kDeleted, false},
                                            {kNonPublisher, false}};
  int id = 40;
  for (const auto& [status, offered] : cases) {
    const int rec = Add(id++, "X", "Y", status);
    EXPECT_EQ(HistoryForm::Offers(Rec(rec)), offered) << int{status};
    HistoryForm f(doc, HistoryForm::Options{rec, status == kInactive});
    EXPECT_EQ(f.record(), offered ? rec : 0) << int{status};
  }
  PubRecord co = Rec(pub);
  co.id = kCircuitOverseerId;
  co.status = kCircuitOverseer;
  EXPECT_FALSE(HistoryForm::Offers(co));
}

// What the month's cells would lose is refused before anything is stored: a "Less than 1
// hour" tick beside hours, and a late mark the late-report list would drop (a month out
// of its reach, an inactive publisher).
TEST_F(HistoryFormTest, RefusesWhatTheMonthWouldLose) {
  const int ines = Add(12, "Ines", "Inactive", kInactive);
  Rec(ines).status_month = 10 << 4;
  struct Case {
    const char* what;
    int record, year, month;
    bool old_form, less, late;
    const char* refusal;  // empty: accepted
  } cases[] = {
      {"less than an hour beside hours", pub, 2, 2, true, true, false, "cannot be ticked"},
      {"late, eleven months back", pub, 1, 4, false, false, true, ""},
      {"late, twelve months back", pub, 1, 3, false, false, true, "\"Late Report\" marks"},
      {"late, inactive publisher", ines, 2, 2, false, false, true, "\"Late Report\" marks"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    doc.switch_serial = c.old_form ? 400 : 0;
    HistoryForm f(doc, HistoryForm::Options{c.record, c.record == ines});
    Choose(f, c.year, c.month);
    f.SetText(HistoryBox::kHours, "2");
    f.SetTicked(HistoryTick::kLessThanHour, c.less);
    f.SetTicked(HistoryTick::kLate, c.late);
    if (*c.refusal)
      EXPECT_THAT(f.Refusal(), ::testing::HasSubstr(c.refusal));
    else
      EXPECT_EQ(f.Refusal(), "");
  }
}

}  // namespace
}  // namespace zarim::testing
