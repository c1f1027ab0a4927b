// The measures behind the analyses and averages: the quarter-hour rule, the January
// walk into the previous year's slot, the months of a reactivated publisher, the
// service-year window, the pioneers' requirement and the age from a record date.
#include "reports/measures.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "cycle/status_rules.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kJan = 0, kFeb = 1, kMar = 2, kApr = 3, kMay = 4, kAug = 7, kSep = 8, kOct = 9,
              kNov = 10, kDec = 11;

class MeasuresTest : public ::testing::Test {
 protected:
  // Today in the month after the working month.
  void Start(int year, int working_month) {
    int month = working_month + 2;
    if (month > 12) {
      month -= 12;
      ++year;
    }
    StartEmpty(doc_, Date{year, month, 10}, dir_.path());
  }
  PubRecord& Add(int id) { return AddRecord(doc_, MakePublisher(id, "P", std::to_string(id))); }
  // Slot of month m in the working twelve months.
  int Slot(int m) const { return doc_.SlotOfMonth(m); }
  void Report(PubRecord& r, int m, int hours, int quarters = 0, int studies = 0) {
    r.activity[kHours][m][Slot(m)] = static_cast<uint16_t>(hours);
    r.activity[kBibleStudies][m][Slot(m)] = static_cast<uint16_t>(
        (quarters << kQuarterShift) | studies | (hours || quarters ? 0 : kSharedBit));
  }
  void Code(PubRecord& r, int m, int code) { r.pioneer[m][Slot(m)] = static_cast<uint8_t>(code); }

  TempDir dir_;
  CZarimDoc doc_;
};

TEST(QuarterHourRule, EveryFourAddAnHourAndThreeLeftOverAddOne) {
  struct Case {
    int hours, quarters, expected;
  } cases[] = {{10, 0, 10}, {10, 1, 10}, {10, 2, 10}, {10, 3, 11},
               {10, 4, 11}, {0, 30, 7},  {0, 31, 8},  {5, 7, 7}};
  for (const Case& c : cases)
    EXPECT_EQ(HoursWithQuarters(c.hours, c.quarters), c.expected) << c.hours << "+" << c.quarters;
}

TEST_F(MeasuresTest, CongregationAverageAddsQuartersOnceOverAllMonthsAndPublishers) {
  Start(2026, kMay);
  // Ten pioneers, three months each: 30 quarter hours in all, then one more.
  for (int i = 0; i < 10; ++i) {
    PubRecord& r = Add(100 + i);
    for (int m : {kMar, kApr, kMay}) {
      Code(r, m, kRegular);
      Report(r, m, 10, 1);
    }
  }
  RefreshDerivedState(doc_);
  // (300 + 7) / 30 reports.
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kRegular, 3, kHours, 0), 307.0 / 30);
  doc_.records[1].activity[kBibleStudies][kMay][Slot(kMay)] = 2 << kQuarterShift;
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kRegular, 3, kHours, 0), 308.0 / 30);
  // Another pioneer code, or a group nobody is in, averages nothing.
  EXPECT_EQ(CongregationAverage(doc_, kAuxiliary, 3, kHours, 0), 0);
  EXPECT_EQ(CongregationAverage(doc_, kAnyPioneerCode, 3, kHours, 4), 0);
}

TEST_F(MeasuresTest, JanuaryAverageReachesIntoThePreviousYearsSlot) {
  Start(2026, kJan);
  PubRecord& r = Add(100);
  const int this_slot = SlotOfYear(26), last_slot = SlotOfYear(25);
  r.activity[kHours][kJan][this_slot] = 10;
  r.activity[kHours][kDec][last_slot] = 20;
  r.activity[kHours][kNov][last_slot] = 30;
  // The same months of the other slot must not be read.
  r.activity[kHours][kDec][this_slot] = 900;
  r.activity[kHours][kNov][this_slot] = 900;
  RefreshDerivedState(doc_);
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kAnyPioneerCode, 3, kHours, 0), 20.0);
  EXPECT_DOUBLE_EQ(PublisherAverage(doc_, doc_.records[1], kHours, 3), 20.0);
}

TEST_F(MeasuresTest, CongregationAverageFiltersPrivilegeCustomCategoryAndUnreported) {
  Start(2026, kMay);
  PubRecord& elder = Add(100);
  elder.flags = kElder | kCustomCategory;
  Report(elder, kMay, 0, 0, 4);  // shared only, four studies
  PubRecord& servant = Add(101);
  servant.flags = kServant;
  Report(servant, kMay, 0, 0, 2);
  Add(102);  // no report: not counted, not a zero
  RefreshDerivedState(doc_);
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kAnyPioneerCode, 1, kBibleStudies, 0), 3.0);
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kAnyPioneerCode, 1, kBibleStudies, 0, kElder), 4.0);
  EXPECT_DOUBLE_EQ(
      CongregationAverage(doc_, kAnyPioneerCode, 1, kBibleStudies, 0, kFilterCustomCategory), 4.0);
  EXPECT_DOUBLE_EQ(CongregationAverage(doc_, kAnyPioneerCode, 1, kBibleStudies, 0, kServant), 2.0);
}

TEST_F(MeasuresTest, ReactivatedTwoMonthsAgoIsAveragedOverTwoMonths) {
  Start(2026, kMay);
  PubRecord& r = Add(100);
  // Reactivated in April: April and May reported, nothing before.
  r.status_month = static_cast<uint8_t>((kApr + 1) * 16 + kStatusReactivated);
  for (int m : {kApr, kMay}) {
    Code(r, m, kAuxiliary);
    Report(r, m, 30, 0, 3);
  }
  RefreshDerivedState(doc_);
  const PubRecord& p = doc_.records[1];
  EXPECT_EQ(MonthsActive(doc_, p), 2);
  AveragePair studies = PublisherAverages(doc_, p, kBibleStudies);
  EXPECT_DOUBLE_EQ(studies.three, 3.0);
  EXPECT_DOUBLE_EQ(studies.six, 3.0);
  AveragePair hours = PioneerHoursAverages(doc_, p);
  EXPECT_DOUBLE_EQ(hours.three, 30.0);
  EXPECT_DOUBLE_EQ(hours.six, 30.0);
  EXPECT_EQ(ReportsInLast(doc_, p, 6), 2);
  EXPECT_EQ(AuxMonthsInLast(doc_, p, 3), 2);
  // Without the status the same publisher is averaged over three and six months.
  doc_.records[1].status_month = 0;
  EXPECT_DOUBLE_EQ(PublisherAverages(doc_, doc_.records[1], kBibleStudies).six, 1.0);
}

TEST_F(MeasuresTest, PioneerHoursAverageCountsOnlyPioneerMonthsWithHours) {
  Start(2026, kMay);
  PubRecord& r = Add(100);
  Code(r, kMay, kAuxiliary);
  Report(r, kMay, 50, 3);  // quarters are not added in this variant
  Code(r, kApr, kAuxiliary);
  Report(r, kApr, 0);   // a pioneer month without hours does not divide
  Report(r, kMar, 10);  // a publisher month does not count
  RefreshDerivedState(doc_);
  EXPECT_DOUBLE_EQ(PioneerHoursAverage(doc_, doc_.records[1], 3), 50.0);
  EXPECT_DOUBLE_EQ(PublisherAverage(doc_, doc_.records[1], kHours, 3), 61.0 / 3);
}

TEST_F(MeasuresTest, ServiceYearCoversOneMonthInSeptemberAndTwelveInAugust) {
  struct Case {
    int working_month, months;
  } cases[] = {{kSep, 1}, {kOct, 2}, {kDec, 4}, {kJan, 5}, {kAug, 12}};
  for (const Case& c : cases) {
    Start(2026, c.working_month);
    PubRecord& r = Add(100);
    // Every month of the last 24 has one hour and one quarter.
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s) {
        r.activity[kHours][m][s] = 1;
        r.activity[kBibleStudies][m][s] = 1 << kQuarterShift;
      }
    RefreshDerivedState(doc_);
    EXPECT_EQ(ServiceYearMonthCount(doc_), c.months);
    EXPECT_EQ(ServiceYearReports(doc_, doc_.records[1]), c.months);
    // Quarters carry into hours; the ones left over are dropped.
    EXPECT_EQ(ServiceYearTotal(doc_, doc_.records[1], kHours), c.months + c.months / 4);
  }
}

TEST_F(MeasuresTest, PioneerAllYearWith300HoursAnd40CreditsInFebruary) {
  Start(2026, kFeb);
  PubRecord& r = Add(100);
  for (int m : {kSep, kOct, kNov, kDec, kJan, kFeb}) {
    Code(r, m, kRegular);
    Report(r, m, 50);
  }
  r.credit[kJan][Slot(kJan)] = 40;
  Code(r, kAug, kRegular);  // enrolled before the service year too
  RefreshDerivedState(doc_);
  PioneerYear p = ComputePioneerYear(doc_, doc_.records[1]);
  EXPECT_EQ(p.requirement, 50);
  EXPECT_EQ(p.start_month, kSep);
  EXPECT_FALSE(p.late_start());
  EXPECT_EQ(p.months_enrolled, 12);
  EXPECT_EQ(p.months_elapsed, 6);
  EXPECT_EQ(p.hours, 300);
  EXPECT_EQ(p.credits, 40);
  EXPECT_NEAR(p.average, 56.67, 0.005);
  EXPECT_EQ(p.remaining, 260);
  EXPECT_EQ(p.months_left, 6);
  EXPECT_NEAR(p.per_month, 43.33, 0.005);
}

TEST_F(MeasuresTest, PioneerStartingInJanuary2024NeedsEightMonthsOfFifty) {
  Start(2024, kMar);
  PubRecord& r = Add(100);
  for (int m : {kJan, kFeb, kMar}) Code(r, m, kRegular);
  RefreshDerivedState(doc_);
  PioneerYear p = ComputePioneerYear(doc_, doc_.records[1]);
  EXPECT_EQ(p.start_month, kJan);
  EXPECT_TRUE(p.late_start());
  EXPECT_EQ(p.months_enrolled, 8);
  EXPECT_EQ(p.months_enrolled * p.requirement, 400);
  EXPECT_EQ(p.months_elapsed, 3);
}

TEST_F(MeasuresTest, RequirementIsSeventyBeforeServiceYear2023AndPreviousYearEndsInAugust) {
  Start(2022, kOct);  // service year 2023
  PubRecord& r = Add(100);
  for (int m = 0; m < 12; ++m)
    for (int s = 0; s < 2; ++s) r.pioneer[m][s] = kRegular;
  RefreshDerivedState(doc_);
  EXPECT_EQ(ComputePioneerYear(doc_, doc_.records[1]).requirement, 50);
  PioneerYear before = ComputePioneerYear(doc_, doc_.records[1], /*previous_year=*/true);
  EXPECT_EQ(before.requirement, 70);  // service year 2022
  EXPECT_EQ(before.months_elapsed, 12);
  EXPECT_EQ(before.months_left, 0);
  EXPECT_EQ(before.per_month, 0);
}

TEST(YearsSince, BirthdayMonthCountsAndFutureDatesAreNegative) {
  const char born[9] = "12152000";
  EXPECT_EQ(YearsSince(born, 2025, 11), 24);
  EXPECT_EQ(YearsSince(born, 2025, 12), 25);
  EXPECT_EQ(YearsSince(born, 2026, 1), 25);
  const char blank[9] = "        ";
  EXPECT_EQ(YearsSince(blank, 2025, 11), std::nullopt);
  const char future[9] = "03012026";
  EXPECT_EQ(YearsSince(future, 2025, 11), -1);
  EXPECT_EQ(YearsSince(future, 2026, 2), -1);
  EXPECT_EQ(YearsSince(future, 2026, 3), 0);
}

}  // namespace
}  // namespace zarim
