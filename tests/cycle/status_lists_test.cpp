// The contents and line formats of the status lists.
#include "cycle/status_lists.h"

#include <gtest/gtest.h>

#include "cycle/status_fixture.h"

namespace zarim::testing {
namespace {

using StatusLists = StatusFixture;

std::vector<std::string> Texts(const std::vector<StatusLine>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines) out.push_back(l.text);
  return out;
}

TEST_F(StatusLists, IrregularListShowsMissingMonthsAndRemarks) {
  int regular = Add(11, "Rae", "Regular");
  ReportAllYear(regular);
  int irregular = Add(12, "Ira", "Gaps");
  ReportAllYear(irregular);
  Rec(irregular).activity[kHours][1][0] = 0;   // February missing
  Rec(irregular).activity[kHours][11][1] = 0;  // December missing, with a remark
  Remark(irregular, 11, "in hospital");
  int other_group = Add(13, "Otto", "Group");
  Rec(other_group).group = 2;
  ASSERT_EQ(Rec(irregular).group, 0);

  auto lines = IrregularList(doc);
  EXPECT_EQ(Texts(lines), (std::vector<std::string>{"Ira Gaps\tFeb\tDec!",
                                                    "Otto Group\tJan\tFeb\tMar\tApr\tNov\tDec"}));
  EXPECT_EQ(lines[0].rec, irregular);
  EXPECT_EQ(Texts(IrregularList(doc, 2)),
            (std::vector<std::string>{"Otto Group\tJan\tFeb\tMar\tApr\tNov\tDec"}));
  EXPECT_TRUE(IrregularList(doc, 3).empty());
}

TEST_F(StatusLists, NewAndReactivatedByPeriod) {
  int fresh = Add(11, "Nora", "New");
  Rec(fresh).status_month = (3 << 4) | kStatusNew;  // March 2026
  Rec(fresh).status_year = Rec(fresh).status_month;
  Rec(fresh).status_stamp = Serial(26, 2);
  int autumn = Add(12, "Olaf", "October");
  Rec(autumn).status_month = (10 << 4) | kStatusNew;  // October 2025
  Rec(autumn).status_year = Rec(autumn).status_month;
  int back = Add(13, "Rex", "Back");
  Rec(back).status_month = (12 << 4) | kStatusReactivated;  // December 2025
  Rec(back).status_year = Rec(back).status_month;
  Rec(back).status_stamp = Serial(25, 11);
  int aged = Add(14, "Ada", "Aged");
  Rec(aged).status_month = 0;  // aged out of the six months, the year copy remains
  Rec(aged).status_year = (6 << 4) | kStatusNew;
  Rec(aged).status_stamp = Serial(25, 5);  // June 2025, ten months ago
  int ancient = Add(15, "Ann", "Ancient");
  Rec(ancient).status_month = (6 << 4) | kStatusNew;
  Rec(ancient).status_stamp = Serial(24, 1);  // 26 months ago

  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodLastSix)),
            (std::vector<std::string>{"Nora New\t2026 March"}));
  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodServiceYear)),
            (std::vector<std::string>{"Nora New\t2026 March", "Olaf October\t2025 October"}));
  // Ann's status was stamped 26 months ago: in no period. Ada's status month aged out,
  // its year copy keeps her in the twelve months and so in the 24 months.
  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodLastTwelve)),
            (std::vector<std::string>{"Nora New\t2026 March", "Olaf October\t2025 October",
                                      "Ada Aged\t2025 June"}));
  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodLast24)),
            (std::vector<std::string>{"Nora New\t2026 March", "Olaf October\t2025 October",
                                      "Ada Aged\t2025 June"}));
  EXPECT_EQ(Texts(ReactivatedList(doc, kViewPeriodLastSix)),
            (std::vector<std::string>{"Rex Back\t2025 December"}));
  EXPECT_TRUE(ReactivatedList(doc, kViewPeriodLastSix, 4).empty());
}

TEST_F(StatusLists, LastTwentyFourMonthsUsesTheStampOfLastYear) {
  int r = Add(11, "Sten", "Stamp");
  Rec(r).status_month = (8 << 4) | kStatusNew;
  Rec(r).status_stamp = Serial(25, 1);  // February 2025: 14 months ago
  EXPECT_EQ(StatusListMonth(doc, Rec(r), kStatusNew, kViewPeriodLast24), 2);
  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodLast24)),
            (std::vector<std::string>{"Sten Stamp\t2025 February"}));
  Rec(r).status_stamp = Serial(24, 3);  // 24 months: none
  EXPECT_EQ(StatusListMonth(doc, Rec(r), kStatusNew, kViewPeriodLast24), 0);
  EXPECT_EQ(StatusListMonth(doc, Rec(r), kStatusReactivated, kViewPeriodLast24), 0);
}

TEST_F(StatusLists, LongerPeriodsNeverListFewer) {
  const std::pair<uint8_t, uint8_t> cases[] = {
      {(3 << 4) | kStatusNew, (3 << 4) | kStatusNew},
      {0, (6 << 4) | kStatusNew},
      {0, (1 << 4) | kStatusNew},
      {(2 << 4) | kStatusReactivated, (9 << 4) | kStatusNew},
      {(10 << 4) | kStatusNew, 0}};
  for (const auto& [month, year] : cases) {
    for (int stamp : {0, Serial(25, 5), Serial(24, 11), Serial(24, 4)}) {
      PubRecord r = MakePublisher(11, "Lou", "List");
      r.status_month = month;
      r.status_year = year;
      r.status_stamp = static_cast<uint16_t>(stamp);
      for (int p = kViewPeriodLastSix; p < kViewPeriodLast24; ++p) {
        if (StatusListMonth(doc, r, kStatusNew, p) != 0) {
          EXPECT_NE(StatusListMonth(doc, r, kStatusNew, kViewPeriodLast24), 0)
              << "status " << int(month) << "/" << int(year) << " stamp " << stamp << " period "
              << p;
        }
      }
    }
  }
}

TEST_F(StatusLists, YearComesFromTheStampAlsoAfterTheWorkingMonth) {
  // Working month April 2026; the status was recorded for May 2026, the clock's month.
  int r = Add(11, "Mae", "May");
  Rec(r).status_month = (5 << 4) | kStatusNew;
  Rec(r).status_year = Rec(r).status_month;
  Rec(r).status_stamp = Serial(26, 4);
  EXPECT_EQ(Texts(NewPublishersList(doc, kViewPeriodLastTwelve)),
            (std::vector<std::string>{"Mae May\t2026 May"}));
}

TEST_F(StatusLists, InactiveEntriesAndPeriods) {
  int recent = Add(11, "Ina", "Recent", kInactive);
  Rec(recent).status_month = 2 << 4;
  Rec(recent).status_year = 26;
  Rec(recent).group = 3;
  int old = Add(12, "Olga", "Old", kInactive);
  Rec(old).status_month = 0;  // no month held
  Rec(old).status_year = CalendarToStatusYear(1998);
  EXPECT_EQ(Texts(InactiveDialogList(doc, InactivePeriod::kAll)),
            (std::vector<std::string>{"Ina Recent\t2026  Feb", "Olga Old\t1998  "}));
  EXPECT_EQ(Texts(InactiveDialogList(doc, InactivePeriod::kLastSix)),
            (std::vector<std::string>{"Ina Recent\t2026  Feb"}));
  EXPECT_EQ(Texts(InactiveDialogList(doc, InactivePeriod::kOverTwelve)),
            (std::vector<std::string>{"Olga Old\t1998  "}));
  // The view list: period position + 1, the entry text and the group number.
  EXPECT_EQ(Texts(InactiveViewList(doc, 0)), (std::vector<std::string>{"Ina Recent\t2026  Feb 3"}));
  EXPECT_EQ(Texts(InactiveViewList(doc, 4)),
            (std::vector<std::string>{"Ina Recent\t2026  Feb 3", "Olga Old\t1998   0"}));
  EXPECT_EQ(Texts(InactiveViewList(doc, 4, 3)),
            (std::vector<std::string>{"Ina Recent\t2026  Feb 3"}));
  EXPECT_EQ(std::string(Str(ViewPeriodCaption(true, 4))), "All");
  EXPECT_EQ(std::string(Str(ViewPeriodCaption(false, 3))), "Last 24 months");
}

TEST_F(StatusLists, MoveoutsCandidatesAndDeleted) {
  int moved_march = Add(11, "Mia", "March", kMoved);
  Rec(moved_march).status_month = 3 << 4;
  int moved_june = Add(12, "Jon", "June", kMoved);
  Rec(moved_june).status_month = 6 << 4;  // June 2025
  int candidate = Add(13, "Cal", "Candidate");
  int reporting = Add(14, "Rea", "Reporting");
  Hours(reporting, 3);
  int deleted = Add(15, "Dan", "Deleted", kDeleted);
  Rec(deleted).status_stamp = static_cast<uint16_t>(((2025 - 1950) << 8) | 11);

  EXPECT_EQ(Texts(MoveoutsList(doc, kViewPeriodLastSix)),
            (std::vector<std::string>{"Mia March\t2026 March"}));
  EXPECT_EQ(Texts(MoveoutsList(doc, kViewPeriodLast24)),
            (std::vector<std::string>{"Mia March\t2026 March", "Jon June\t2025 June"}));
  auto cands = CandidateList(doc);
  ASSERT_EQ(cands.size(), 1u);
  EXPECT_EQ(cands[0].rec, candidate);
  EXPECT_EQ(cands[0].text, "Cal Candidate");
  EXPECT_EQ(Texts(DeletedList(doc)), (std::vector<std::string>{"Dan Deleted\tNov 2025"}));
}

TEST_F(StatusLists, NamesFollowTheLastNameFirstOption) {
  Add(11, "Anna", "Zeta", kInactive);
  doc.format.last_name_first = 1;
  EXPECT_EQ(Texts(NamesOfStatus(doc, kInactive)), (std::vector<std::string>{"Zeta, Anna"}));
}

}  // namespace
}  // namespace zarim::testing
