// The pioneer year-to-date view, the activity summary from either source, and the Quick
// Overview's figures.
#include "reports/year_to_date.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "cycle/view_lists.h"
#include "reports/measures.h"
#include "reports/overview.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"
#include "reports/report_registry.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kJan = 0, kFeb = 1, kAug = 7, kSep = 8, kOct = 9, kNov = 10, kDec = 11;

class YearToDateTest : public ::testing::Test {
 protected:
  YearToDateTest() { StartEmpty(doc_, Date{2026, 3, 10}, dir_.path()); }  // February 2026
  int Slot(int m) const { return doc_.SlotOfMonth(m); }
  PubRecord& Pioneer(int id, std::string_view last) {
    PubRecord r = MakePublisher(id, "P", last);
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s) r.pioneer[m][s] = kRegular;
    return AddRecord(doc_, r);
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(YearToDateTest, PioneerYearListsSeptemberOnWithTotalsAndRemaining) {
  PubRecord& p = Pioneer(100, "Pio");
  for (int m : {kSep, kOct, kNov, kDec, kJan, kFeb}) p.activity[kHours][m][Slot(m)] = 50;
  p.credit[kJan][Slot(kJan)] = 40;
  RefreshDerivedState(doc_);
  PioneerYtdForm form(doc_);
  ASSERT_EQ(form.Names(), std::vector<std::string>{"P Pio"});
  auto lines = form.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].month, "September");
  EXPECT_EQ(lines[4].credits, "40");
  EXPECT_EQ(lines[4].totals, "90");
  EXPECT_EQ(lines[6].month, "Totals");
  EXPECT_EQ(lines[6].totals, "340");
  EXPECT_EQ(form.SinceText(), "Pioneer since September 2025");
  EXPECT_EQ(form.RemainingText(), "Total Hours Remaining ( 2026 ) = 260");
  EXPECT_EQ(form.PerMonthText(), "Average Hours Remaining Each Month ( 2026 ) = 43.3");
  // The previous service year runs to August and leaves the remaining lines empty.
  form.SetPrevious(true);
  lines = form.Lines();
  EXPECT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[11].month, "August");
  EXPECT_EQ(form.SinceText(), "Pioneer since September 2024");
  EXPECT_EQ(form.RemainingText(), "");
  EXPECT_EQ(form.PerMonthText(), "");
  EXPECT_FALSE(form.SelectId(999));
}

TEST(PioneerYtdPrevious, ShowsTheServiceYearJustBeforeTheWorkingOne) {
  // Hours 1 in each month of the previous service year, 100 in the working one and 1000
  // in the older months the record still holds: the previous year totals 12.
  for (const int today_month : {2, 9, 10}) {  // working January, August, September
    SCOPED_TRACE(today_month);
    TempDir dir;
    CZarimDoc doc;
    StartEmpty(doc, Date{2026, today_month, 10}, dir.path());
    PubRecord r = MakePublisher(100, "P", "Pio");
    MonthCursor c = CursorAt(doc.working_serial);
    for (int i = 0, sy = 0; i < 24; ++i, c.Back()) {
      r.pioneer[c.month][c.slot] = kRegular;
      r.activity[kHours][c.month][c.slot] = sy == 0 ? 100 : sy == 1 ? 1 : 1000;
      if (c.month == 8) ++sy;
    }
    AddRecord(doc, r);
    RefreshDerivedState(doc);
    PioneerYtdForm form(doc);
    form.SetPrevious(true);
    const auto lines = form.Lines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[12].hours, "12");
    EXPECT_EQ(ComputePioneerYear(doc, doc.records[1], true).hours, 12);
  }
}

TEST_F(YearToDateTest, SummaryFromTheRecordsOrFromTheTotalsReportedToTheBranch) {
  PubRecord& p = Pioneer(100, "Pio");
  p.activity[kHours][kFeb][Slot(kFeb)] = 50;
  p.activity[kBibleStudies][kFeb][Slot(kFeb)] = static_cast<uint16_t>(3 | (3 << kQuarterShift));
  p.activity[kHours][kJan][Slot(kJan)] = 40;
  RefreshDerivedState(doc_);
  // The branch was told other figures for January.
  doc_.totals.value[kJan][2 * 9 + 8][Slot(kJan)] = 5;
  doc_.totals.value[kJan][2 * 9 + kHours][Slot(kJan)] = 200;
  YtdSummaryForm form(doc_);
  form.SetCategory(YtdSummaryForm::kRegular);
  form.SetPeriod(YtdSummaryForm::kLastSix);
  auto rows = form.Rows();
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[4], (std::vector<std::string>{"Jan", "1", "0", "40"}));
  EXPECT_EQ(rows[5], (std::vector<std::string>{"Feb", "1", "3", "50"}));  // ¾ is no hour
  EXPECT_EQ(rows[6], (std::vector<std::string>{"Totals", "2", "3", "90"}));
  EXPECT_EQ(rows[7], (std::vector<std::string>{"Avgs", " 0.3", " 0.5", "15.0"}));
  EXPECT_EQ(form.FooterText(), "Tots/Avgs for Last Six Months");
  form.SetFromBranch(true);
  rows = form.Rows();
  EXPECT_EQ(rows[4], (std::vector<std::string>{"Jan", "5", "0", "200"}));
  form.SetPeriod(YtdSummaryForm::kServiceYear);
  EXPECT_EQ(form.Rows().size(), 6u + 2u);
}

TEST_F(YearToDateTest, SummaryHoursCountFourQuartersAsAnHourCarriedFromMonthToMonth) {
  // Quarters of September … February (10 hours each month) and the hours shown per month.
  struct Case {
    std::vector<int> quarters, hours;
  } cases[] = {
      {{3, 0, 0, 0, 0, 0}, {10, 10, 10, 10, 10, 10}},  // ¾ alone is dropped at the end
      {{2, 2, 0, 0, 0, 0}, {10, 11, 10, 10, 10, 10}},  // ½ + ½ carried into one hour
      {{3, 3, 2, 1, 0, 3}, {10, 11, 11, 10, 10, 11}},  // 12 quarters, 3 hours, none lost
  };
  const int months[] = {kSep, kOct, kNov, kDec, kJan, kFeb};
  PubRecord& p = Pioneer(100, "Pio");
  for (const Case& c : cases) {
    for (int i = 0; i < 6; ++i) {
      p.activity[kHours][months[i]][Slot(months[i])] = 10;
      p.activity[kBibleStudies][months[i]][Slot(months[i])] =
          static_cast<uint16_t>(c.quarters[static_cast<size_t>(i)] << kQuarterShift);
    }
    RefreshDerivedState(doc_);
    YtdSummaryForm form(doc_);
    form.SetCategory(YtdSummaryForm::kRegular);
    form.SetPeriod(YtdSummaryForm::kServiceYear);
    std::vector<int> hours;
    for (const YtdSummaryForm::Month& m : form.Months()) hours.push_back(m.values[kHours]);
    EXPECT_EQ(hours, c.hours);
  }
}

TEST_F(YearToDateTest, QuickOverviewCountsAndLeavesPublisherHoursBlankAfterTheSwitch) {
  PubRecord& p = Pioneer(100, "Pio");
  p.activity[kHours][kFeb][Slot(kFeb)] = 51;
  p.flags = kElder | kCustomCategory;
  p.special_circumstances = kCircumstancesSet | kDeaf;
  PubRecord q = MakePublisher(101, "Q", "Pub");
  q.activity[kBibleStudies][kFeb][Slot(kFeb)] = kSharedBit;
  AddRecord(doc_, q);
  doc_.options.custom_category_enabled = 1;
  doc_.options.custom_category_name = "Choir";
  doc_.totals.value[kAug][0 * 9 + 8][Slot(kAug)] = 30;
  QuickOverview o = ComputeQuickOverview(doc_);
  EXPECT_EQ(o.active, 2);
  EXPECT_EQ(o.regular_pioneers, 1);
  EXPECT_EQ(o.elders, 1);
  EXPECT_EQ(o.deaf, 1);
  EXPECT_EQ(o.avg_pubs, "");
  EXPECT_EQ(o.avg_pios, "51.0");
  EXPECT_EQ(o.months[11].month, kFeb);
  EXPECT_EQ(o.months[5].month, kAug);
  EXPECT_EQ(o.months[5].reports, 30);
  auto lines = QuickOverviewLines(o);
  bool custom = false;
  for (const auto& [label, value] : lines) custom |= label == "Choir :" && value == "1";
  EXPECT_TRUE(custom);
  // The chart draws one label per month inside its rectangle.
  RecordingCanvas canvas(96, 96);
  DrawOverviewChart(canvas, o, 0, 0, 480, 200);
  EXPECT_EQ(canvas.Texts().size(), 12u);
  EXPECT_NE(canvas.FindText("Aug"), nullptr);
}

// Received, missing and late as the missing-reports list and the late list count them: a
// shared-only report is in, a remark excuses a publisher without counting him as received.
TEST_F(YearToDateTest, MonthAtGlanceCountsAsTheMissingReportsListDoes) {
  PubRecord shared = MakePublisher(100, "A", "Shared");
  shared.activity[kBibleStudies][kFeb][Slot(kFeb)] = kSharedBit;
  AddRecord(doc_, shared);
  PubRecord quarters = MakePublisher(101, "B", "Quarters");
  quarters.activity[kBibleStudies][kFeb][Slot(kFeb)] = static_cast<uint16_t>(2 << kQuarterShift);
  AddRecord(doc_, quarters);
  PubRecord excused = MakePublisher(102, "C", "Excused");
  excused.remark[kFeb][Slot(kFeb)] = 1;
  AddRecord(doc_, excused);
  AddRecord(doc_, MakePublisher(103, "D", "Missing"));
  AddRecord(doc_, MakePublisher(104, "E", "Gone", kInactive));
  SetField(doc_.remarks[1].text, "In hospital");
  doc_.remark_count = 2;
  doc_.late[0] = LateReportEntry{U16(100), kJan, 2};
  doc_.late[1] = LateReportEntry{U16(101), kDec, 2};
  doc_.late_count = 2;
  SetCollectionStateOf(doc_, kFeb, MonthCollection::kOpen);
  RefreshDerivedState(doc_);

  MonthAtGlance g = ComputeMonthAtGlance(doc_);
  EXPECT_EQ(g.active, 4);
  EXPECT_EQ(g.received, 2);
  EXPECT_EQ(g.missing, 1);
  EXPECT_EQ(g.missing, static_cast<int>(ViewListLines(doc_, ViewType::kNoReport, 0, kFeb).size()));
  EXPECT_EQ(g.late, 2);
  EXPECT_EQ(MonthAtGlanceLines(g),
            (std::vector<std::string>{
                "February at a glance", "Reports received: 2 of 4 active publishers",
                "Missing reports: 1", "Late reports: 2", "Report collection is open"}));
  SetCollectionStateOf(doc_, kFeb, MonthCollection::kClosed);
  EXPECT_EQ(MonthAtGlanceLines(ComputeMonthAtGlance(doc_)).back(),
            "Report collection is closed ( Reporting is complete )");
}

// The printed summary sits in the record-form frame: title at the margin an inch down,
// the category five inches in, the six-by-three-inch table half an inch lower and the
// footer under it; the print code carries category, period and source.
TEST_F(YearToDateTest, PrintedSummaryKeepsTheRecordFormFrame) {
  YtdSummaryForm form(doc_);
  form.SetCategory(YtdSummaryForm::kAuxiliary);
  form.SetPeriod(YtdSummaryForm::kLastTwelve);
  form.SetFromBranch(true);
  const ReportEntry* entry = FindReport(report_kind::kYtdSummary);
  ASSERT_NE(entry, nullptr);
  RecordingCanvas canvas(300, 300);
  ReportContext context;
  context.printing = true;
  entry->draw(doc_, canvas, context, form.PrintCode());
  const auto* title = canvas.FindText("Year-to-Date Activity Summary");
  const auto* category = canvas.FindText("Auxiliary pioneers");
  const auto* footer = canvas.FindText("Tots/Avgs for Last Twelve Months");
  ASSERT_TRUE(title && category && footer);
  EXPECT_EQ(title->x, 150);
  EXPECT_EQ(title->y, 300);
  EXPECT_EQ(category->x, 150 + 1500);
  EXPECT_GT(footer->y, 300 + 150 + 900);
  EXPECT_LT(footer->y, 300 + 150 + 900 + 150);
  EXPECT_EQ(context.page_count, 1);
}

}  // namespace
}  // namespace zarim
