// The congregation and group analysis: what counts as reported, the markers after a
// name, what the totals leave out, the percentages, the group tail, the meeting report,
// the page count and an empty congregation.
#include "reports/analysis.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kFeb = 1;
const int kSlot = SlotOfYear(26);
const std::string kTick = "√";

class AnalysisTest : public ::testing::Test {
 protected:
  AnalysisTest() {
    StartEmpty(doc_, Date{2026, 3, 10}, dir_.path());  // working month February 2026
    doc_.groups.count = 1;
    doc_.header().other_phone[kFeb] = 1;  // collection open: February is not yet missing
  }
  PubRecord& Add(int id, std::string_view last, int code = kPublisher, int group = 1) {
    PubRecord r = MakePublisher(id, "P", last);
    SetField(r.baptism_date, "05012010");
    r.group = static_cast<int8_t>(group);
    r.pioneer[kFeb][kSlot] = static_cast<uint8_t>(code);
    return AddRecord(doc_, r);
  }
  void Report(int rec, int hours, int studies, bool shared = true) {
    PubRecord& r = doc_.records[static_cast<size_t>(rec)];
    r.activity[kHours][kFeb][kSlot] = static_cast<uint16_t>(hours);
    r.activity[kBibleStudies][kFeb][kSlot] =
        static_cast<uint16_t>(studies | (shared ? kSharedBit : 0));
  }
  // Reported in the five months before too, so nobody is irregular by accident.
  void ReportedBefore() {
    for (int rec = 1; rec < doc_.count; ++rec)
      for (int k = 1; k < 6; ++k) {
        MonthCursor c = CursorMonthsBack(doc_.working_serial, k);
        doc_.records[static_cast<size_t>(rec)].activity[kBibleStudies][c.month][c.slot] =
            kSharedBit;
      }
  }
  ReportModel Model(int kind, int group = 0) {
    RefreshDerivedState(doc_);
    return AnalysisLayout(doc_, context_, kind, group).model;
  }
  static const ReportRow* Row(const ReportModel& m, std::string_view first) {
    for (const ReportRow& r : m.rows)
      if (!r.cells.empty() && r.cells[0] == first) return &r;
    return nullptr;
  }

  // A totals row of the analysis (the branch page below has rows of the same names).
  static const ReportRow* TotalRow(const ReportModel& m, std::string_view label) {
    for (const ReportRow& r : m.rows) {
      if (r.kind == RowKind::kPercentage) break;
      if (r.kind == RowKind::kTotal && r.cells[0] == label) return &r;
    }
    return nullptr;
  }

  TempDir dir_;
  CZarimDoc doc_;
  ReportContext context_;
};

TEST_F(AnalysisTest, SharedOnlyCountsAsReportedWithTheTick) {
  Add(100, "Shared");
  ReportedBefore();
  Report(1, 0, 0);
  ReportModel m = Model(report_kind::kCongregationAnalysisAlpha);
  const ReportRow* row = Row(m, "P Shared");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->kind, RowKind::kPublisher);
  EXPECT_EQ(row->cells[1], "");  // no "#"
  EXPECT_EQ(row->cells[2], kTick);
  const ReportRow* pubs = TotalRow(m, "Pubs");
  ASSERT_NE(pubs, nullptr);
  EXPECT_EQ(pubs->cells[2], "   1");
  EXPECT_EQ(pubs->cells[3], "   0.0");
}

TEST_F(AnalysisTest, MissionaryIsShownButNotSummedAndCountsInTotalPublishers) {
  Add(100, "Pioneer", kRegular);
  PubRecord& m = Add(101, "Missionary", kRegular);
  m.service_flags = kFieldMissionary;
  ReportedBefore();
  Report(1, 50, 2);
  Report(2, 90, 7);
  ReportModel model = Model(report_kind::kCongregationAnalysisAlpha);
  const ReportRow* line = Row(model, "P Missionary");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->cells[1], "m ");  // "m" replaces "p"
  EXPECT_EQ(line->cells[3], "   7");
  EXPECT_EQ(line->cells[5], "  90");
  const ReportRow* pios = TotalRow(model, "Pios");
  ASSERT_NE(pios, nullptr);
  // Both reported; the sums hold only the pioneer's figures.
  EXPECT_EQ(pios->cells[2], "   2");
  EXPECT_EQ(pios->cells[3], "   1.0");
  EXPECT_EQ(pios->cells[5], "  25.0");
  const ReportRow* missionaries = TotalRow(model, "Missionaries (m)");
  ASSERT_NE(missionaries, nullptr);
  EXPECT_EQ(missionaries->cells[2], "   1");
  const ReportRow* total = nullptr;
  for (const ReportRow& r : model.rows)
    if (r.kind == RowKind::kPercentage && r.cells[1] == "Total Publishers") total = &r;
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->cells[2], "2");
}

TEST_F(AnalysisTest, MarkersFollowTheirOrderAndTheNoReportCounters) {
  Add(100, "Regular", kRegular);  // no report
  PubRecord& u = Add(101, "Unbaptized", kSpecial);
  SetField(u.baptism_date, "  2010  ");
  PubRecord& s = Add(102, "Servant");
  s.service_flags = kSpecialServant;
  ReportedBefore();
  Report(2, 70, 0);
  ReportModel m = Model(report_kind::kCongregationAnalysisAlpha);
  EXPECT_EQ(Row(m, "P Regular")->cells[1], "p #");
  EXPECT_EQ(Row(m, "P Unbaptized")->cells[1], "§sp ");
  EXPECT_EQ(Row(m, "P Servant")->cells[1], "+#");
  // Pios: one listed, none reported: no row. The "#" line counts all three statuses.
  EXPECT_EQ(TotalRow(m, "Pios"), nullptr);
  EXPECT_NE(TotalRow(m, "Sp.Pios"), nullptr);
  for (const ReportRow& r : m.rows) {
    if (r.kind != RowKind::kPercentage) continue;
    if (r.cells[0] == "#") {
      EXPECT_EQ(r.cells[2], "2");
      EXPECT_EQ(r.cells[3], "67%");
    }
    if (r.cells[0] == "§") {
      EXPECT_EQ(r.cells[2], "1");
    }
  }
}

TEST_F(AnalysisTest, PioneersThenGroupsThenUnassignedEachInStoredOrder) {
  doc_.groups.count = 2;
  Add(100, "A", kPublisher, 2);
  Add(101, "B", kRegular, 2);
  Add(102, "C", kAuxiliary, 1);
  Add(103, "D", kPublisher, 0);
  ReportModel m = Model(report_kind::kCongregationAnalysis);
  std::vector<std::string> firsts;
  for (const ReportRow& r : m.rows) {
    if (r.kind == RowKind::kTotal || r.kind == RowKind::kBlank) break;
    firsts.push_back(r.cells[0]);
  }
  EXPECT_EQ(firsts,
            (std::vector<std::string>{"Regular and Special Pioneers", "P B", "  Group 1", "P C",
                                      "  Group 2", "P A", "Unassigned Publishers", "P D"}));
  EXPECT_EQ(m.title, "Congregation Analysis for February");
}

TEST_F(AnalysisTest, LateReportRowsFollowTheirPublisherWithThatMonthsCells) {
  Add(100, "Late", kAuxiliary);
  doc_.records[1].activity[kHours][0][kSlot] = 12;  // January, posted late
  doc_.records[1].pioneer[0][kSlot] = kAuxiliary;
  doc_.late[0] = LateReportEntry{U16(100), 0, 2};
  doc_.late_count = 1;
  ReportModel m = Model(report_kind::kCongregationAnalysisAlpha);
  ASSERT_GE(m.rows.size(), 2u);
  EXPECT_EQ(m.rows[1].kind, RowKind::kLate);
  EXPECT_EQ(m.rows[1].cells,
            (std::vector<std::string>{"*  January (", "", kTick, "", kTick, "  12", ")"}));
}

TEST_F(AnalysisTest, GroupReportListsItsMembersAndInactivePublishersInThreeColumns) {
  doc_.groups.count = 2;
  SetField(doc_.groups.assistant[0], "Ann Helper");
  Add(100, "Member");
  Add(101, "Other", kPublisher, 2);
  for (int i = 0; i < 4; ++i) {
    PubRecord r =
        MakePublisher(200 + i, "I", std::string(1, static_cast<char>('a' + i)), kInactive);
    r.group = 1;
    AddRecord(doc_, r);
  }
  ReportModel m = Model(report_kind::kGroupAnalysis, 1);
  EXPECT_EQ(m.title, "February Report for Group # 1");
  EXPECT_EQ(m.subtitle, "Assistant: Ann Helper");
  EXPECT_NE(Row(m, "P Member"), nullptr);
  EXPECT_EQ(Row(m, "P Other"), nullptr);
  const ReportRow* count = Row(m, "4");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->cells[1], "Inactive Publishers");
  EXPECT_NE(Row(m, "I a"), nullptr);
  EXPECT_EQ(Row(m, "I a")->cells.size(), 3u);
  EXPECT_EQ(Row(m, "I d")->cells.size(), 1u);
  // A group has no branch page.
  EXPECT_EQ(Row(m, "Totals"), nullptr);
}

TEST_F(AnalysisTest, MeetingReportHoldsOnlyTheAttendanceBlocks) {
  Add(100, "A");
  Add(101, "B");
  doc_.attendance[0].meetings[kFeb][kSlot] = 4;
  doc_.attendance[0].total[kFeb][kSlot] = 6;
  doc_.attendance[0].average[kFeb][kSlot] = 3;
  SetField(doc_.attendance[0].name, "Midweek Meeting");
  ReportModel m = Model(report_kind::kMeetingReport);
  EXPECT_EQ(m.title, "");
  EXPECT_TRUE(m.columns.empty());
  for (const ReportRow& r : m.rows) {
    EXPECT_NE(r.kind, RowKind::kPublisher);
    EXPECT_NE(r.kind, RowKind::kTotal);
    EXPECT_NE(r.kind, RowKind::kPercentage);
  }
  const ReportRow* midweek = Row(m, "Midweek Meeting");
  ASSERT_NE(midweek, nullptr);
  EXPECT_EQ(midweek->cells[5], "   150%  of    2");
  EXPECT_NE(Row(m, "Averages for Six Months ending in February"), nullptr);
}

TEST_F(AnalysisTest, NoActivePublishersDrawsNothingOnOnePage) {
  for (int kind : {1, 110, 2, 3, 4}) {
    ReportModel m = Model(kind, 1);
    EXPECT_TRUE(m.rows.empty()) << kind;
    EXPECT_EQ(m.title, "") << kind;
    RecordingCanvas canvas(96, 96);
    ReportContext context;
    context.page_count = 5;
    DrawTableLayout(doc_, canvas, context, AnalysisLayout(doc_, context, kind, 1));
    EXPECT_TRUE(canvas.Texts().empty()) << kind;
    EXPECT_EQ(context.page_count, 1) << kind;
  }
}

// On 100 rows paper starts the branch report on its own page after 18 rows, the screen
// goes on; its figures stand under the analysis headings of their names.
TEST_F(AnalysisTest, BranchTailPagesAndColumns) {
  for (int i = 0; i < 40; ++i) {
    Add(100 + i, std::to_string(i));
    Report(doc_.count - 1, 0, 0);
  }
  const TableLayout layout = AnalysisLayout(doc_, context_, report_kind::kCongregationAnalysis, 0);
  EXPECT_EQ(TablePageCount(layout, 100, true), 2);
  EXPECT_EQ(TablePageCount(layout, 100, false), 1);
  const ReportRow* heading = nullptr;
  for (const ReportRow& r : layout.model.rows)
    if (r.cells.size() > 5 && r.cells[5] == "Hours") heading = &r;
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->cells, (std::vector<std::string>{"", "", "Shared", "Bi.St.", "", "Hours"}));
}

TEST_F(AnalysisTest, DrawnRowsRepeatTheHeaderOnEveryPage) {
  for (int i = 0; i < 80; ++i) Add(100 + i, std::to_string(i));
  RefreshDerivedState(doc_);
  RecordingCanvas canvas(96, 96);
  ReportContext context;
  DrawTableLayout(doc_, canvas, context,
                  AnalysisLayout(doc_, context, report_kind::kCongregationAnalysisAlpha, 0));
  // One title per page band, each at the top of its own band.
  std::vector<int> pages;
  const int band = PageBandHeight(context.page_height_tenths, 96);
  for (const auto* op : canvas.Texts())
    if (op->text == "Congregation Analysis for February") pages.push_back(op->y / band);
  ASSERT_GE(pages.size(), 2u);
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i], static_cast<int>(i));
  EXPECT_LE(static_cast<int>(pages.size()), context.page_count);
}

}  // namespace
}  // namespace zarim
