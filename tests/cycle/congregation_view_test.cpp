// The readers' view of a damaged document hands out only what the document backs.
#include "cycle/congregation_view.h"

#include "cycle/attendance_form.h"
#include "cycle/branch_check.h"
#include "cycle/plausible_figures.h"
#include "cycle/status_rules.h"
#include "cycle/view_lists.h"
#include "exchange/exports.h"
#include "exchange/xml_document.h"
#include "exchange/xml_report_import.h"
#include "reports/analysis.h"
#include "reports/branch_report.h"
#include "reports/measures.h"
#include "reports/overview.h"
#include "reports/report_kind.h"
#include "reports/statistics.h"
#include "reports/year_to_date.h"
#include "status_fixture.h"

namespace zarim::testing {

using CongregationViewTest = StatusFixture;

TEST_F(CongregationViewTest, HandsOutOnlyWhatTheDocumentBacks) {
  struct Case {
    const char* what;
    void (*damage)(CZarimDoc&);
    bool month_valid;
    size_t active, late_of_ann, late_of_cid, late_entries;
  } const cases[] = {
      {"sound", [](CZarimDoc&) {}, true, 3, 1, 1, 2},
      {"working month 13", [](CZarimDoc& d) { d.working_month = 12; }, false, 3, 0, 0, 2},
      {"year 2100", [](CZarimDoc& d) { d.working_year = 100; }, false, 3, 0, 0, 2},
      {"index past records", [](CZarimDoc& d) { d.lists[kActive][0].rec = 90; }, true, 2, 1, 1, 2},
      {"count past list", [](CZarimDoc& d) { d.status_count[kActive] = 5000; }, true, 3, 1, 1, 2},
      {"late, deleted", [](CZarimDoc& d) { d.FindById(22)->status = kDeleted; }, true, 2, 1, 0, 2},
      {"late, month 13", [](CZarimDoc& d) { d.late[0].month = 12; }, true, 3, 0, 1, 2},
      {"late, posted 0", [](CZarimDoc& d) { d.late[0].posted = 0; }, true, 3, 0, 1, 2},
      {"late count 999", [](CZarimDoc& d) { d.late_count = 999; }, true, 3, 1, 1, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartEmpty(doc, Date{2026, 5, 10}, dir.path());
    const int ann = Add(20, "Ann", "Alder"), cid = Add(22, "Cid", "Cole");
    Add(21, "Bob", "Brook");
    doc.late[0] = {U16(20), 1, 4}, doc.late[1] = {U16(22), 2, 4}, doc.late_count = 2;
    c.damage(doc);
    const CongregationView view(doc);
    EXPECT_EQ(view.WorkingMonth().has_value(), c.month_valid);
    EXPECT_EQ(view.SlotOf(4), c.month_valid ? std::optional(1) : std::nullopt);  // May: 2025
    EXPECT_TRUE(!view.SlotOf(12) && view.LateReportsOf(doc.count).empty());
    ASSERT_EQ(view.ActivePublishers().size(), c.active);
    for (int rec : view.ActivePublishers()) EXPECT_EQ(doc.records[rec].status, kActive);
    EXPECT_EQ(view.LateReportsOf(ann).size(), c.late_of_ann);
    EXPECT_EQ(view.LateReportsOf(cid).size(), c.late_of_cid);
    EXPECT_EQ(view.LateReports().size(), c.late_entries);
  }
}

// Every reader of the working month gives nothing, or says why, for a damaged stored one.
TEST_F(CongregationViewTest, ReadersOfADamagedWorkingMonthGiveNothing) {
  using namespace report_kind;
  const std::pair<int, int> months[] = {{3, 26}, {12, 26}, {255, 26}, {3, 100}, {3, -1}};
  const std::string why(Str(Sid::kWorkingMonthNotValid));
  auto says = [&](const ReportModel& m) { return m.rows.size() == 1 && m.rows[0].cells[0] == why; };
  for (const auto& [month, year] : months) {
    SCOPED_TRACE(::testing::Message() << month << "/" << year);
    StartEmpty(doc, Date{2026, 5, 10}, dir.path());  // April 2026
    const int ann = Add(20, "Ann", "Alder"), bob = Add(21, "Bob", "Brook");
    Rec(ann).pioneer[3][0] = kRegular;
    Hours(ann, 3, 60);
    Rec(bob).activity[kBibleStudies][3][0] = 2;  // studies without sharing: a warning
    doc.attendance[kMidweekMeeting].week[0][3][0] = 80;
    doc.totals.value[2][kTotalsReportsField][0] = 4;  // March was sent
    doc.working_month = static_cast<uint8_t>(month), doc.working_year = static_cast<int8_t>(year);
    const bool valid = month == 3 && year == 26;
    for (int kind : {kAveragesCongregation, kHoursCongregation, kServiceYearCongregation,
                     kPioneerHours, kStatistics})
      EXPECT_EQ(says(StatisticsLayout(doc, {}, kind, 0).model), !valid) << kind;
    EXPECT_EQ(says(AnalysisLayout(doc, {}, kCongregationAnalysis, 0).model), !valid);
    EXPECT_EQ(AverageOverMonths(doc, kMidweekMeeting, 1) + ServiceYearMonths(doc) +
                  ServiceYearMonthCount(doc) +
                  ComputeWorkingTotals(doc).row[kRegular][kTotalsReportsField],
              valid ? 80 + 8 + 8 + 1 : 0);  // September to April; Ann's report
    EXPECT_EQ(SentMonths(doc).empty() && CheckWorkingMonth(doc).empty() &&
                  !IsIrregular(doc, Rec(bob)) && !IsInactiveCandidate(doc, Rec(bob)) &&
                  ViewListLines(doc, ViewType::kNoReport, 0, 3).empty() &&
                  BranchReportTitle(doc) == why && PioneerYtdForm(doc).Names().empty() &&
                  YtdSummaryForm(doc).Rows().empty() && YtdSummaryForm(doc).FooterText() == why &&
                  MonthAtGlanceLines(ComputeMonthAtGlance(doc)) == std::vector{why},
              !valid);
    for (auto [kind, seen] : {std::pair{ExportKind::kMonthly, "Alder"},
                              {ExportKind::kCollectionList, "Alder"},
                              {ExportKind::kCardHeaders, "\tY\t"}})  // Ann a regular pioneer
      EXPECT_EQ(ExportBytes(doc, kind, {.month = 3}).find(seen) != std::string::npos, valid);
    XmlDocument xml;
    ASSERT_TRUE(xml.SetDoc(
        R"(<PUBLIST><Count>1</Count><Active><Pub><fname>Ann</fname>)"
        R"(<lname>Alder</lname><Apr Year="2026"><Hours>9</Hours></Apr></Pub></Active></PUBLIST>)"));
    EXPECT_EQ(XmlReports(doc, xml)->size(), valid ? 1u : 0u);
    const auto before = doc.attendance;
    AttendanceForm form(doc);
    form.SetWeek(kMidweekMeeting, 0, 90);
    form.Done();
    EXPECT_EQ(form.years().empty() && form.title() == why, !valid);
    EXPECT_EQ(std::memcmp(&before, &doc.attendance, sizeof before) == 0, !valid);
  }
}

}  // namespace zarim::testing
