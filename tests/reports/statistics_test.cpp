// The reports over several months: the averages' cells, the twelve-month hours with
// their quarter marks and ticks, the service-year totals row, the pioneers' hours with
// the late-start footnote, and the statistics with their brackets.
#include "reports/statistics.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "reports/report_kind.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kJan = 0, kFeb = 1, kSep = 8, kOct = 9, kNov = 10, kDec = 11;

class StatisticsTest : public ::testing::Test {
 protected:
  // Working month February 2026 unless said otherwise.
  void Start(Date today = Date{2026, 3, 10}) { StartEmpty(doc_, today, dir_.path()); }
  StatisticsTest() { Start(); }
  PubRecord& Add(int id, std::string_view last) {
    PubRecord r = MakePublisher(id, "P", last);
    SetField(r.baptism_date, "05012010");
    return AddRecord(doc_, r);
  }
  int Slot(int m) const { return doc_.SlotOfMonth(m); }
  ReportModel Model(int kind, int group = 0) {
    RefreshDerivedState(doc_);
    return StatisticsLayout(doc_, context_, kind, group).model;
  }
  static const ReportRow* Row(const ReportModel& m, std::string_view first) {
    for (const ReportRow& r : m.rows)
      if (!r.cells.empty() && r.cells[0] == first) return &r;
    return nullptr;
  }

  TempDir dir_;
  CZarimDoc doc_;
  ReportContext context_;
};

TEST_F(StatisticsTest, AveragesShowReportsStudiesAuxAndPioneerHours) {
  PubRecord& p = Add(100, "Aux");
  p.pioneer[kFeb][Slot(kFeb)] = kAuxiliary;
  p.activity[kHours][kFeb][Slot(kFeb)] = 30;
  p.activity[kBibleStudies][kFeb][Slot(kFeb)] = 3;
  p.activity[kBibleStudies][kJan][Slot(kJan)] = kSharedBit | 3;
  PubRecord& q = Add(101, "Quiet");
  q.activity[kBibleStudies][kFeb][Slot(kFeb)] = kSharedBit;
  ReportModel m = Model(report_kind::kAveragesCongregation);
  EXPECT_EQ(m.title, "Averages for Three/Six Months ending in February");
  EXPECT_EQ(m.subtitle, "Congregation");
  EXPECT_EQ(Row(m, "P Aux")->cells,
            (std::vector<std::string>{"P Aux", "2 / 2", "   2.0/ 1.0", "1 / 1", "  30.0/30.0"}));
  // No auxiliary month in six and no pioneer hours: both cells blank.
  EXPECT_EQ(Row(m, "P Quiet")->cells,
            (std::vector<std::string>{"P Quiet", "1 / 1", "   0.0/ 0.0", "", ""}));
  // The filters: elders only.
  doc_.records[1].flags = kElder;
  ReportModel elders = Model(report_kind::kAveragesElders);
  EXPECT_EQ(elders.rows.size(), 1u);
  EXPECT_EQ(elders.subtitle, "Congregation - Elder");
}

TEST_F(StatisticsTest, TwelveMonthHoursMarkQuartersAndTickPublishersAfterTheSwitch) {
  PubRecord& p = Add(100, "Pio");
  for (int m = 0; m < 12; ++m) p.pioneer[m][Slot(m)] = kRegular;
  p.activity[kHours][kFeb][Slot(kFeb)] = 50;
  p.activity[kBibleStudies][kFeb][Slot(kFeb)] = 1 << kQuarterShift;
  p.activity[kHours][kJan][Slot(kJan)] = 40;
  p.activity[kBibleStudies][kJan][Slot(kJan)] = 3 << kQuarterShift;
  p.activity[kBibleStudies][kDec][Slot(kDec)] = 2 << kQuarterShift;
  PubRecord& pub = Add(101, "Pub");
  pub.activity[kBibleStudies][kFeb][Slot(kFeb)] = kSharedBit;
  ReportModel m = Model(report_kind::kHoursCongregation);
  EXPECT_EQ(m.columns.front(), "Name");
  EXPECT_EQ(m.columns[1], "Mar");
  EXPECT_EQ(m.columns[12], "Feb");
  const ReportRow* pio = Row(m, "P Pio");
  EXPECT_EQ(pio->cells[12], "50¼");
  EXPECT_EQ(pio->cells[11], "40¾");
  EXPECT_EQ(pio->cells[10], "½");
  EXPECT_EQ(pio->cells[1], "");
  // 90 hours and 6 quarters: 91 hours over twelve months.
  EXPECT_EQ(pio->cells[13], "7.6");
  const ReportRow* pub_row = Row(m, "P Pub");
  EXPECT_EQ(pub_row->cells[12], "√");
  EXPECT_EQ(pub_row->cells[11], "");
}

TEST_F(StatisticsTest, ServiceYearTotalsSumTheColumnsButNotShared) {
  for (int i = 0; i < 2; ++i) {
    PubRecord& p = Add(100 + i, std::to_string(i));
    for (int m : {kSep, kOct, kNov, kDec, kJan, kFeb}) {
      p.activity[kHours][m][Slot(m)] = 10;
      p.activity[kBibleStudies][m][Slot(m)] = static_cast<uint16_t>(2 | (1 << kQuarterShift));
    }
    p.pioneer[kOct][Slot(kOct)] = kAuxiliary;
  }
  ReportModel m = Model(report_kind::kServiceYearCongregation);
  EXPECT_EQ(m.title, "Totals for Service Year  September - February");
  // Six months: 60 hours and six quarters, the two left over dropped.
  EXPECT_EQ(Row(m, "P 0")->cells, (std::vector<std::string>{"P 0", "6", "12", "1", "61"}));
  EXPECT_EQ(Row(m, "Totals")->cells, (std::vector<std::string>{"Totals", "", "24", "2", "122"}));
}

TEST_F(StatisticsTest, PioneerHoursRowAndTheLateStartFootnote) {
  PubRecord& p = Add(100, "AllYear");
  for (int m : {kSep, kOct, kNov, kDec, kJan, kFeb}) {
    p.pioneer[m][Slot(m)] = kRegular;
    p.activity[kHours][m][Slot(m)] = 50;
  }
  p.pioneer[7][Slot(7)] = kRegular;
  p.credit[kJan][Slot(kJan)] = 40;
  ReportModel m = Model(report_kind::kPioneerHours);
  EXPECT_EQ(Row(m, "P AllYear")->cells,
            (std::vector<std::string>{"P AllYear", "300", "40", "340", "56.7", "260", "43.3"}));
  EXPECT_EQ(Row(m, " * Enrolled as pioneer in October or later."), nullptr);
  PubRecord& late = Add(101, "Late");
  late.pioneer[kJan][Slot(kJan)] = kRegular;
  late.pioneer[kFeb][Slot(kFeb)] = kRegular;
  m = Model(report_kind::kPioneerHours);
  EXPECT_NE(Row(m, "P Late *"), nullptr);
  EXPECT_NE(Row(m, " * Enrolled as pioneer in October or later."), nullptr);
}

TEST_F(StatisticsTest, BirthAndBaptismBracketsCountEachPublisherOnce) {
  doc_.format.birth_baptism_stats = 1;
  // Ages are counted to today's month: December 2025, when he turns 25.
  {
    Start(Date{2025, 12, 10});
    PubRecord& p = Add(100, "Born");
    SetField(p.birth_date, "12152000");
    ReportModel m = Model(report_kind::kStatistics);
    const ReportRow* twenties = nullptr;
    const ReportRow* under20 = nullptr;
    for (const ReportRow& r : m.rows) {
      if (r.cells.size() > 3 && r.cells[3] == "20 - 29") twenties = &r;
      if (r.cells.size() > 3 && r.cells[3] == "Under 20") under20 = &r;
    }
    ASSERT_NE(twenties, nullptr);
    EXPECT_EQ(twenties->cells[4], "1");
    EXPECT_EQ(twenties->cells[5], "100%");
    EXPECT_EQ(under20->cells[4], "0");
    // Baptized in May 2010: fifteen years, "10 - 19 Yrs".
    EXPECT_EQ(Row(m, "10 - 19 Yrs")->cells[1], "1");
    EXPECT_EQ(Row(m, "Unbaptized")->cells[1], "0");
  }
}

TEST_F(StatisticsTest, StatisticsLeavesPublisherHoursOutAfterTheSwitchAndShowsSpecialPioneers) {
  Add(100, "A");
  ReportModel m = Model(report_kind::kStatistics);
  EXPECT_EQ(m.title, "Congregation Statistics at end of February");
  doc_.language_code = "hrvatski";
  EXPECT_EQ(Model(report_kind::kStatistics).title, "Skup Statistics at end of February");
  doc_.language_code = "eng";
  EXPECT_EQ(Row(m, "AvgHrs ( Pubs )"), nullptr);
  EXPECT_NE(Row(m, "AvgHrs ( Pios )"), nullptr);
  EXPECT_EQ(Row(m, "Special Pioneers"), nullptr);
  EXPECT_EQ(Row(m, "Active publishers")->cells[1], "1");
  doc_.records[1].pioneer[kFeb][Slot(kFeb)] = kSpecial;
  EXPECT_NE(Row(Model(report_kind::kStatistics), "Special Pioneers"), nullptr);
  Start(Date{2023, 5, 10});  // April 2023, the old report form
  Add(100, "A");
  EXPECT_NE(Row(Model(report_kind::kStatistics), "AvgHrs ( Pubs )"), nullptr);
}

}  // namespace
}  // namespace zarim
