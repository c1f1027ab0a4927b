// The congregation meeting attendance record: which stored month lands in which row,
// the average attendance each month, the years offered and one or two years a sheet.
#include "reports/attendance_record.h"

#include <gtest/gtest.h>

#include "core/document.h"
#include "core/month.h"
#include "reports/record_card.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::StartEmpty;
using testing::TempDir;

class AttendanceRecordTest : public ::testing::Test {
 protected:
  AttendanceRecordTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    // The working month is made November 2025 (service year 2026): September 2025 to
    // November 2025 are its held months, December 2023 onwards are kept.
    doc_.working_year = 25;
    doc_.working_month = 10;
    doc_.working_serial = 25 * 12 + 10;
  }
  void Store(int meeting, int year, int month, WeekValues weeks) {
    StoreWeeks(doc_, meeting, month, SlotOfYear(year - 2000), weeks);
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(AttendanceRecordTest, MonthsGoToTheirRowsAndOnlyKeptMonthsCount) {
  Store(kMidweekMeeting, 2025, 8, {40, 41, 0, 43, 0});  // September: row 0
  Store(kMidweekMeeting, 2025, 10, {50, 50, 0, 0, 0});  // November: row 2
  Store(kWeekendMeeting, 2025, 9, {60, 61, 62, 63, 0});
  // December 2025 shares its slot with December 2023, a kept month of service year 2024,
  // so it must not show in service year 2026 under December.
  Store(kMidweekMeeting, 2023, 11, {7, 7, 7, 7, 0});
  AttendanceRecordYear y = BuildAttendanceRecordYear(doc_, 2026);
  EXPECT_EQ(y.months[kMidweekMeeting][0].figures, (MonthFigures{3, 124, 41}));
  EXPECT_EQ(y.months[kMidweekMeeting][2].figures, (MonthFigures{2, 100, 50}));
  EXPECT_EQ(y.months[kWeekendMeeting][1].figures, (MonthFigures{4, 246, 62}));
  EXPECT_FALSE(y.months[kMidweekMeeting][3].held);  // December 2025 lies ahead
  EXPECT_EQ(y.months[kMidweekMeeting][3].figures.total, 0);
  // Two months with meetings: (41 + 50) / 2 = 45.5 rounds up.
  EXPECT_EQ(y.monthly_average[kMidweekMeeting], 46);
  EXPECT_EQ(y.monthly_average[kWeekendMeeting], 62);

  AttendanceRecordYear old = BuildAttendanceRecordYear(doc_, 2024);
  EXPECT_EQ(old.months[kMidweekMeeting][3].figures.total, 28);  // December 2023
  EXPECT_FALSE(old.months[kMidweekMeeting][2].held);            // November 2023 is gone
}

TEST_F(AttendanceRecordTest, AttendanceTypedAheadShowsInTheNextMonth) {
  StoreWeeks(doc_, kWeekendMeeting, 11, kAheadSlot, {30, 30, 0, 0, 0});
  AttendanceRecordYear y = BuildAttendanceRecordYear(doc_, 2026);
  EXPECT_TRUE(y.months[kWeekendMeeting][3].held);
  EXPECT_EQ(y.months[kWeekendMeeting][3].figures.average, 30);
}

TEST_F(AttendanceRecordTest, YearsOfferedAndOneOrTwoYearsOnTheSheet) {
  EXPECT_EQ(AttendanceRecordYears(doc_), (std::vector<int>{2026, 2025, 2024}));
  AttendanceRecordForm form(doc_);
  EXPECT_EQ(form.YearItems(), (std::vector<std::string>{"2026", "2025", "2024"}));
  form.year_index = 1;
  ReportSelection one = form.Selection();
  EXPECT_EQ(AttendanceRecordSheetYears(doc_, &one), std::vector<int>{2025});
  form.two_years = true;
  ReportSelection two = form.Selection();
  EXPECT_EQ(AttendanceRecordSheetYears(doc_, &two), (std::vector<int>{2024, 2025}));
  EXPECT_EQ(AttendanceRecordSheetYears(doc_, nullptr), std::vector<int>{2026});

  // Two years stand side by side: each table's headings name both years, on one sheet.
  RecordingCanvas canvas(96, 96);
  ReportContext context;
  context.selection = &two;
  DrawAttendanceRecord(doc_, canvas, context);
  EXPECT_EQ(context.page_count, 1);
  int year_headings = 0;
  for (const auto* t : canvas.Texts())
    if (t->text.find("2024") != std::string::npos || t->text.find("2025") != std::string::npos)
      ++year_headings;
  EXPECT_EQ(year_headings, 4);  // two years in each of the two tables
  ReportModel model = AttendanceRecordModel(doc_, context, 0);
  EXPECT_EQ(model.rows.size(), 2u * 2u * 14u);  // meetings x years x (heading, 12, closing)
}

}  // namespace
}  // namespace zarim
