// Meeting attendance: month figures with the half-up average, averages over months,
// the attendance typed ahead, and the attendance form.
#include "cycle/attendance.h"

#include <gtest/gtest.h>

#include "cycle/attendance_form.h"
#include "cycle/month_init.h"
#include "cycle/status_fixture.h"

namespace zarim::testing {
namespace {

struct FigureCase {
  WeekValues weeks;
  MonthFigures want;
};

class AttendanceFigures : public ::testing::TestWithParam<FigureCase> {};

TEST_P(AttendanceFigures, Computes) {
  EXPECT_EQ(ComputeFigures(GetParam().weeks), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AttendanceFigures,
    ::testing::Values(FigureCase{{40, 41, 0, 43, 0}, {3, 124, 41}},
                      FigureCase{{40, 41, 42, 44, 0}, {4, 167, 42}},  // 41.75 up
                      FigureCase{{41, 42, 0, 0, 0}, {2, 83, 42}},     // exactly half up
                      FigureCase{{0, 0, 0, 0, 0}, {0, 0, 0}},
                      FigureCase{{10, 10, 10, 11, 0}, {4, 41, 10}},  // 10.25 down
                      FigureCase{{0, 0, 0, 0, 7}, {1, 7, 7}},
                      FigureCase{{9999, 9999, 9999, 9999, 9999}, {5, 49995, 9999}}));

TEST(HalfUp, Rule) {
  EXPECT_EQ(HalfUpAverage(5, 2), 3);
  EXPECT_EQ(HalfUpAverage(4, 3), 1);
  EXPECT_EQ(HalfUpAverage(5, 3), 2);
  EXPECT_EQ(HalfUpAverage(7, 0), 0);
}

using Attendance = StatusFixture;

TEST_F(Attendance, StoreWritesFiguresAndTellsOnlyRealChanges) {
  EXPECT_FALSE(StoreWeeks(doc, kWeekendMeeting, 3, 0, {0, 0, 0, 0, 0}));
  EXPECT_TRUE(StoreWeeks(doc, kWeekendMeeting, 3, 0, {40, 41, 0, 43, 0}));
  EXPECT_EQ(StoredFigures(doc, kWeekendMeeting, 3, 0), (MonthFigures{3, 124, 41}));
  EXPECT_EQ(doc.attendance[kWeekendMeeting].week[3][3][0], 43);
  EXPECT_EQ(StoredFigures(doc, kMidweekMeeting, 3, 0), (MonthFigures{}));
  EXPECT_EQ(StoredFigures(doc, kWeekendMeeting, 3, 1), (MonthFigures{}));
  EXPECT_FALSE(StoreWeeks(doc, kWeekendMeeting, 3, 0, {40, 41, 0, 43, 0}));
  // Stale stored figures are corrected, and that is a change to be saved.
  doc.attendance[kWeekendMeeting].average[3][0] = 7;
  EXPECT_TRUE(StoreWeeks(doc, kWeekendMeeting, 3, 0, {40, 41, 0, 43, 0}));
  EXPECT_EQ(doc.attendance[kWeekendMeeting].average[3][0], 41);
}

TEST_F(Attendance, AveragesOverMonths) {
  // April, March, February 2026 (slot 0) and January.
  StoreWeeks(doc, kMidweekMeeting, 3, 0, {40, 42, 0, 0, 0});
  StoreWeeks(doc, kMidweekMeeting, 2, 0, {50, 0, 0, 0, 0});
  StoreWeeks(doc, kMidweekMeeting, 1, 0, {45, 46, 0, 0, 0});
  EXPECT_EQ(AverageOverMonths(doc, kMidweekMeeting, 1), 41);
  EXPECT_EQ(AverageOverMonths(doc, kMidweekMeeting, 3), 45);  // 223 / 5 = 44.6
  EXPECT_EQ(AverageOverMonths(doc, kMidweekMeeting, 4), 0);   // January has no attendance
  // An empty month inside the span gives 0 as well.
  StoreWeeks(doc, kMidweekMeeting, 2, 0, {0, 0, 0, 0, 0});
  EXPECT_EQ(AverageOverMonths(doc, kMidweekMeeting, 3), 0);
  EXPECT_EQ(AverageOverMonths(doc, kWeekendMeeting, 3), 0);
  // The walk crosses into last year's slot.
  for (int m : {3, 2, 1, 0}) StoreWeeks(doc, kWeekendMeeting, m, 0, {10, 0, 0, 0, 0});
  StoreWeeks(doc, kWeekendMeeting, 11, 1, {20, 0, 0, 0, 0});
  StoreWeeks(doc, kWeekendMeeting, 10, 0, {99, 0, 0, 0, 0});  // November of the wrong year
  EXPECT_EQ(AverageOverMonths(doc, kWeekendMeeting, 5), 12);
  EXPECT_EQ(AverageOverMonths(doc, kWeekendMeeting, 6), 0);
}

TEST_F(Attendance, ServiceYearMonthsAndPercent) {
  EXPECT_EQ(ServiceYearMonths(doc), 8);  // September .. April
  doc.SetWorkingSerial(Serial(26, 8));
  EXPECT_EQ(ServiceYearMonths(doc), 1);
  doc.SetWorkingSerial(Serial(26, 7));
  EXPECT_EQ(ServiceYearMonths(doc), 12);
  EXPECT_DOUBLE_EQ(PercentOfActive(50, 40), 125.0);
  EXPECT_DOUBLE_EQ(PercentOfActive(30, 0), 0.0);
}

TEST_F(Attendance, TypedAheadLandsInSlotTwoAndMovesInAtInitialization) {
  // Today is 10 May 2026; the working month is April, so May may be typed ahead.
  AttendanceForm form(doc);
  ASSERT_TRUE(form.ahead_shown());
  EXPECT_EQ(form.ahead_caption(), "May - 2026");
  form.SetAhead(true);
  EXPECT_FALSE(form.lists_shown());
  EXPECT_EQ(form.title(), "Meeting Attendance  - May - 2026");
  form.SetWeek(kMidweekMeeting, 0, 61);
  form.SetWeek(kWeekendMeeting, 1, 72);
  form.Done();
  EXPECT_EQ(doc.attendance[kMidweekMeeting].week[0][4][kAheadSlot], 61);
  EXPECT_EQ(doc.attendance[kWeekendMeeting].total[4][kAheadSlot], 72);
  EXPECT_EQ(doc.attendance[kMidweekMeeting].week[0][4][0], 0);
  // Something stale typed ahead for another month is dropped.
  doc.attendance[kWeekendMeeting].week[2][7][kAheadSlot] = 5;
  // May 2026 is initialized (slot 0): old May 2024 figures are replaced.
  doc.attendance[kMidweekMeeting].week[3][4][0] = 33;
  doc.SetWorkingSerial(Serial(26, 4));
  InitializeMonth(doc, 4, 0, MonthInitOptions{false});
  EXPECT_EQ(doc.attendance[kMidweekMeeting].week[0][4][0], 61);
  EXPECT_EQ(doc.attendance[kMidweekMeeting].week[3][4][0], 0);
  EXPECT_EQ(StoredFigures(doc, kWeekendMeeting, 4, 0), (MonthFigures{1, 72, 72}));
  EXPECT_EQ(doc.attendance[kWeekendMeeting].week[2][7][kAheadSlot], 0);
  EXPECT_EQ(doc.attendance[kMidweekMeeting].week[0][4][kAheadSlot], 61);  // its own slot 2 stays
}

TEST_F(Attendance, MonthInitializationTakesInTheAttendanceTypedAhead) {
  AttendanceForm form(doc);
  form.SetAhead(true);
  form.SetWeek(kWeekendMeeting, 0, 80);
  form.SetWeek(kWeekendMeeting, 1, 81);
  form.Done();
  doc.SetWorkingSerial(Serial(26, 4));  // May 2026 becomes the working month
  InitializeMonth(doc, 4, 0, MonthInitOptions{false});
  EXPECT_EQ(StoredFigures(doc, kWeekendMeeting, 4, 0), (MonthFigures{2, 161, 81}));
  EXPECT_EQ(StoredWeeks(doc, kWeekendMeeting, 4, 0), (WeekValues{80, 81, 0, 0, 0}));
}

TEST_F(Attendance, AheadButtonOnlyForTodaysMonth) {
  doc.today_month = 6;  // June: the month after April is not today's month
  AttendanceForm form(doc);
  EXPECT_FALSE(form.ahead_shown());
  form.SetAhead(true);
  EXPECT_FALSE(form.ahead());
  EXPECT_EQ(form.slot(), 0);
}

TEST_F(Attendance, YearAndMonthListsCoverTwentyFourMonths) {
  AttendanceForm form(doc);
  EXPECT_EQ(form.years(), (std::vector<std::string>{"24", "25", "26"}));
  EXPECT_EQ(form.year_index(), 2);
  EXPECT_EQ(form.months(), (std::vector<std::string>{"January", "February", "March", "April"}));
  EXPECT_EQ(form.month_position(), 3);
  EXPECT_EQ(form.title(), "Meeting Attendance  - April - 2026");
  int covered = static_cast<int>(form.months().size());
  ASSERT_TRUE(form.SelectYear(1));
  EXPECT_EQ(form.months().size(), 12u);
  EXPECT_EQ(form.month(), 3);  // April is offered last year too and stays chosen
  EXPECT_EQ(form.slot(), 1);
  covered += static_cast<int>(form.months().size());
  ASSERT_TRUE(form.SelectYear(0));
  EXPECT_EQ(form.months().front(), "May");
  EXPECT_EQ(form.months().back(), "December");
  EXPECT_EQ(form.month(), 4);  // April is not offered two years back: the first month
  EXPECT_EQ(form.slot(), 0);
  covered += static_cast<int>(form.months().size());
  EXPECT_EQ(covered, 24);
  EXPECT_FALSE(form.SelectYear(3));
  EXPECT_FALSE(form.SelectMonthPosition(8));
}

TEST_F(Attendance, ChangingYearOrMonthWritesBack) {
  AttendanceForm form(doc);
  form.SetWeek(kMidweekMeeting, 0, 40);
  form.SetWeek(kMidweekMeeting, 1, 41);
  ASSERT_TRUE(form.SelectMonthPosition(0));  // January: April's figures are stored first
  EXPECT_EQ(StoredFigures(doc, kMidweekMeeting, 3, 0), (MonthFigures{2, 81, 41}));
  EXPECT_EQ(form.week(kMidweekMeeting, 0), 0);
  form.SetWeek(kWeekendMeeting, 4, 100000);  // bounded
  EXPECT_EQ(form.week(kWeekendMeeting, 4), kMaxWeekAttendance);
  ASSERT_TRUE(form.SelectYear(1));
  EXPECT_EQ(doc.attendance[kWeekendMeeting].week[4][0][0], kMaxWeekAttendance);
  ASSERT_TRUE(form.SelectYear(2));
  EXPECT_EQ(form.week(kMidweekMeeting, 1), 0);  // January of this year again
  ASSERT_TRUE(form.SelectMonthPosition(3));
  EXPECT_EQ(form.week(kMidweekMeeting, 1), 41);
  EXPECT_EQ(form.figures(kMidweekMeeting), (MonthFigures{2, 81, 41}));
}

TEST(AttendanceKeys, EnterUpAndDown) {
  std::vector<int> enter, down, up;
  for (int b = 0; b < AttendanceForm::kBoxes; ++b) {
    enter.push_back(AttendanceForm::BoxAfterEnter(b));
    down.push_back(AttendanceForm::BoxAfterDown(b));
    up.push_back(AttendanceForm::BoxAfterUp(b));
  }
  EXPECT_EQ(enter, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
  EXPECT_EQ(down, (std::vector<int>{1, 2, 3, 4, 0, 6, 7, 8, 9, 5}));
  EXPECT_EQ(up, (std::vector<int>{4, 0, 1, 2, 3, 9, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace zarim::testing
