// The status rules: inactive candidates, months since a status, the irregular test,
// ageing and the period filters of the inactive list.
#include "cycle/status_rules.h"

#include <gtest/gtest.h>

#include "cycle/month_init.h"
#include "cycle/status_fixture.h"

namespace zarim::testing {
namespace {

using StatusRules = StatusFixture;

TEST_F(StatusRules, InactiveCandidateLooksAtSixMonthsOfAnyReport) {
  int shared = Add(11, "Anna", "Shared");
  SharedOnly(shared, 10);  // November 2025: five months before April
  int quarter = Add(12, "Bert", "Quarter");
  Rec(quarter).activity[kBibleStudies][0][0] =
      static_cast<uint16_t>(2 << kQuarterShift);  // January, half an hour
  int old = Add(13, "Carl", "Old");
  Hours(old, 9);  // October 2025: six months before April, outside the span
  int silent = Add(14, "Dora", "Silent");
  int inactive = Add(15, "Emil", "Inactive", kInactive);
  int working = Add(16, "Fay", "Working");
  Hours(working, 3);
  int placements_only = Add(17, "Gus", "Placements");
  Rec(placements_only).activity[kPlacements][2][0] = 4;  // placements alone are no report

  EXPECT_FALSE(IsInactiveCandidate(doc, Rec(shared)));
  EXPECT_FALSE(IsInactiveCandidate(doc, Rec(quarter)));
  EXPECT_TRUE(IsInactiveCandidate(doc, Rec(old)));
  EXPECT_TRUE(IsInactiveCandidate(doc, Rec(silent)));
  EXPECT_FALSE(IsInactiveCandidate(doc, Rec(inactive)));
  EXPECT_FALSE(IsInactiveCandidate(doc, Rec(working)));
  EXPECT_TRUE(IsInactiveCandidate(doc, Rec(placements_only)));
}

TEST_F(StatusRules, CandidateWalkFlipsSlotAtJanuary) {
  // Reports in the other year's slot of the same months must not count.
  int r = Add(11, "Anna", "Elsewhere");
  Rec(r).activity[kHours][11][0] = 9;  // December 2024: slot 0 holds the even years
  Rec(r).activity[kHours][2][1] = 9;   // March of 2025, a year too early
  EXPECT_TRUE(IsInactiveCandidate(doc, Rec(r)));
  Rec(r).activity[kHours][11][1] = 9;  // December 2025
  EXPECT_FALSE(IsInactiveCandidate(doc, Rec(r)));
}

TEST_F(StatusRules, NewPublisherIsCheckedOnlySinceHisFirstMonth) {
  int r = Add(11, "Nina", "New");
  Rec(r).status_month = (2 << 4) | kStatusNew;  // February, two months before April
  Hours(r, 1);                                  // February
  Hours(r, 2);                                  // March
  Hours(r, 3);                                  // April
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusesSinceEvent), 3);
  EXPECT_EQ(MissingMonthsMask(doc, Rec(r)), 0);  // months before February are not looked at
  // The same months for an irregular transfer (a month but no flag): six months checked.
  Rec(r).status_month = 2 << 4;
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusesSinceEvent), 6);
  EXPECT_EQ(MissingMonthsMask(doc, Rec(r)), (1 << 0) | (1 << 11) | (1 << 10));
}

TEST_F(StatusRules, WalkGoesOnWhileTheMonthBeforeShowsTime) {
  int r = Add(11, "Rita", "Reactivated");
  Rec(r).status_month = (3 << 4) | kStatusReactivated;  // March
  Hours(r, 1);                                          // February has time: walk goes on
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusesSinceEvent), 3);
  SharedOnly(r, 0);  // January shared only: no time, the walk ends at February
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusesSinceEvent), 3);
  Hours(r, 0);
  Hours(r, 11);
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusesSinceEvent), 5);
  EXPECT_EQ(MonthsSinceStatus(doc, Rec(r), kStatusNew), 6);  // flag not in the mask
}

TEST_F(StatusRules, SpecialPioneerMonthsAndTheOpenWorkingMonthAreNeverMissing) {
  int r = Add(11, "Sam", "Special");
  for (int m : {0, 1, 2, 3, 11, 10}) Rec(r).pioneer[m][doc.SlotOfMonth(m)] = kSpecial;
  EXPECT_EQ(MissingMonthsMask(doc, Rec(r)), 0);
  EXPECT_FALSE(IsIrregular(doc, Rec(r)));

  int p = Add(12, "Paul", "Publisher");
  ReportAllYear(p);
  Rec(p).activity[kHours][3][0] = 0;  // nothing yet in April, the working month
  Collection(1);                      // open: still collecting
  EXPECT_EQ(MissingMonthsMask(doc, Rec(p)), 0);
  Collection(2);  // closed: April counts
  EXPECT_EQ(MissingMonthsMask(doc, Rec(p)), 1 << 3);
  Collection(0);
  EXPECT_EQ(MissingMonthsMask(doc, Rec(p)), 1 << 3);
}

struct AgeCase {
  const char* what;
  int month;  // month being initialized, 0-based
  uint8_t status_month;
  uint8_t status_year;
  uint16_t stamp;
  uint8_t want_month;
  uint8_t want_year;
  uint16_t want_stamp;
};

class StatusAgeing : public ::testing::TestWithParam<AgeCase> {};

// The ageing runs as part of month initialization, of the month in 2026.
TEST_P(StatusAgeing, AgesWhenTheMonthIsInitialized) {
  const AgeCase& c = GetParam();
  TempDir dir;
  CZarimDoc doc;
  StartEmpty(doc, Date{2026, 5, 10}, dir.path());
  doc.SetWorkingSerial(static_cast<uint16_t>(Serial(26, c.month)));
  PubRecord& added = AddRecord(doc, MakePublisher(11, "A", "B"));
  added.status_month = c.status_month;
  added.status_year = c.status_year;
  added.status_stamp = c.stamp;
  InitializeMonth(doc, c.month, SlotOfYear(26), MonthInitOptions{false});
  const PubRecord& r = *doc.FindById(11);
  EXPECT_EQ(r.status_month, c.want_month) << c.what;
  EXPECT_EQ(r.status_year, c.want_year) << c.what;
  EXPECT_EQ(r.status_stamp, c.want_stamp) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StatusAgeing,
    ::testing::Values(
        // Initializing September (8): March (3) is six months before.
        AgeCase{"six months old", 8, 0x31, 0x31, Serial(26, 2), 0, 0x31, Serial(26, 2)},
        AgeCase{"five months old", 8, 0x41, 0x41, Serial(26, 3), 0x41, 0x41, Serial(26, 3)},
        // Initializing July (6): January is six months before (wraps the year).
        AgeCase{"wraps", 6, 0x12, 0x12, 0, 0, 0x12, 0},
        AgeCase{"february to august", 1, 0x82, 0x82, 0, 0, 0x82, 0},
        // Status year month equals the month initialized, status month differs.
        AgeCase{"year copy ages", 4, 0x00, 0x52, 0, 0, 0x02, 0},
        AgeCase{"year copy kept with month", 4, 0x52, 0x52, 0, 0x52, 0x52, 0},
        // A stamp older than 24 months goes with the status year.
        AgeCase{"stamp 25 months", 5, 0x00, 0x32, Serial(26, 5) - 25, 0, 0, 0},
        AgeCase{"stamp 24 months", 5, 0x00, 0x32, Serial(26, 5) - 24, 0, 0x32, Serial(26, 5) - 24}),
    [](const auto& info) {
      std::string n = info.param.what;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

struct PeriodCase {
  const char* what;
  int month;  // 1-based month of becoming inactive
  int year;   // calendar year
  bool six, service, twelve;
};

class InactivePeriods : public StatusFixture, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(InactivePeriods, Filter) {
  const PeriodCase& c = GetParam();
  int r = Add(11, "I", "Nactive", kInactive);
  Rec(r).status_month = static_cast<uint8_t>(c.month << 4);
  Rec(r).status_year = CalendarToStatusYear(c.year);
  EXPECT_EQ(InInactivePeriod(doc, Rec(r), InactivePeriod::kLastSix), c.six) << c.what;
  EXPECT_EQ(InInactivePeriod(doc, Rec(r), InactivePeriod::kServiceYear), c.service) << c.what;
  EXPECT_EQ(InInactivePeriod(doc, Rec(r), InactivePeriod::kLastTwelve), c.twelve) << c.what;
  EXPECT_EQ(InInactivePeriod(doc, Rec(r), InactivePeriod::kOverTwelve), !c.twelve) << c.what;
  EXPECT_TRUE(InInactivePeriod(doc, Rec(r), InactivePeriod::kAll));
}

// Working month April 2026: the last six months are November 2025 .. April 2026, the
// service year September 2025 .. April 2026.
INSTANTIATE_TEST_SUITE_P(Table, InactivePeriods,
                         ::testing::Values(PeriodCase{"april", 4, 2026, true, true, true},
                                           PeriodCase{"january", 1, 2026, true, true, true},
                                           PeriodCase{"november", 11, 2025, true, true, true},
                                           PeriodCase{"october", 10, 2025, false, true, true},
                                           PeriodCase{"september", 9, 2025, false, true, true},
                                           PeriodCase{"august", 8, 2025, false, false, true},
                                           PeriodCase{"last april", 4, 2025, false, false, true},
                                           PeriodCase{"last march", 3, 2025, false, false, false},
                                           PeriodCase{"two years", 11, 2024, false, false, false},
                                           PeriodCase{"old century", 5, 1990, false, false, false}),
                         [](const auto& info) {
                           std::string n = info.param.what;
                           for (char& ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST(StatusYear, OldCenturyValues) {
  EXPECT_EQ(CalendarToStatusYear(1990), 246);
  EXPECT_EQ(StatusYearToCalendar(246), 1990);
  EXPECT_EQ(StatusYearToCalendar(201), 1945);
  EXPECT_EQ(StatusYearToCalendar(200), 2200);
  EXPECT_EQ(StatusYearToCalendar(26), 2026);
}

TEST(Periods, CycleThroughAllFive) {
  InactivePeriod p = InactivePeriod::kLastSix;
  std::vector<std::string> captions;
  for (int i = 0; i < 6; ++i, p = NextPeriod(p)) captions.emplace_back(Str(PeriodCaption(p)));
  EXPECT_EQ(captions,
            (std::vector<std::string>{"Last Six Months", "Service Year", "Last Twelve Months",
                                      "Over Twelve Months", "All", "Last Six Months"}));
}

}  // namespace
}  // namespace zarim::testing
