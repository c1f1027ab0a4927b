// The page "%1 Report to the Branch Office": title, the formats of its columns, the
// "Pubs" row without hours, the totals line, and the page drawn on a canvas.
#include "reports/branch_report.h"

#include <gtest/gtest.h>

#include "core/document.h"
#include "cycle/branch_check.h"
#include "cycle/branch_totals.h"
#include "reports/branch_check_report.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kFeb = 1;
constexpr int kSlot = 0;

class BranchReportTest : public ::testing::Test {
 protected:
  BranchReportTest() {
    StartEmpty(doc_, Date{2026, 3, 10}, dir_.path());
    // A publisher with studies, an auxiliary pioneer, a regular and a special pioneer.
    const int codes[4] = {kPublisher, kAuxiliary, kRegular, kSpecial};
    const int hours[4] = {0, 31, 62, 130};
    const int studies[4] = {3, 1, 4, 2};
    for (int i = 0; i < 4; ++i) {
      PubRecord r = MakePublisher(100 + i, "P", std::string(1, static_cast<char>('A' + i)));
      r.pioneer[kFeb][kSlot] = static_cast<uint8_t>(codes[i]);
      r.activity[kHours][kFeb][kSlot] = static_cast<uint16_t>(hours[i]);
      r.activity[kBibleStudies][kFeb][kSlot] = static_cast<uint16_t>(kSharedBit | studies[i]);
      AddRecord(doc_, r);
    }
    AddRecord(doc_, MakePublisher(110, "Not", "Reported"));
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(BranchReportTest, TitleCountsEveryActivePublisher) {
  EXPECT_EQ(BranchReportTitle(doc_), "February Report to the Branch Office - 5 Active publishers");
}

TEST_F(BranchReportTest, LinesFormatCountsAndValuesAndLeaveSpecialPioneersOut) {
  auto lines = BranchReportLines(ComputeWorkingTotals(doc_));
  EXPECT_EQ(lines[0].label, "Pubs");
  EXPECT_EQ(lines[0].shared, "   1");
  EXPECT_EQ(lines[0].hours, "");  // publishers report no hours
  EXPECT_EQ(lines[0].studies, "     3");
  EXPECT_EQ(lines[1].label, "AuxP");
  EXPECT_EQ(lines[1].hours, "    31");
  EXPECT_EQ(lines[2].label, "Pios");
  EXPECT_EQ(lines[2].hours, "    62");
  EXPECT_EQ(lines[3].label, "Totals");
  EXPECT_EQ(lines[3].shared, "   3");
  EXPECT_EQ(lines[3].hours, "    93");
  EXPECT_EQ(lines[3].studies, "     8");
}

TEST_F(BranchReportTest, TotalsLineAddsTheQuarterHoursOfEachRow) {
  WorkingTotals t;
  t.row[1][kHours] = 10;
  t.row[1][kTotalsQuarterField] = 6;  // one and a half hours: one counts
  t.row[2][kHours] = 20;
  t.row[2][kTotalsQuarterField] = 3;  // less than an hour: nothing
  EXPECT_EQ(BranchReportLines(t)[3].hours, "    31");
}

TEST_F(BranchReportTest, TextHasTheTitleHeadingsAndFourLines) {
  std::string text = BranchReportText(doc_);
  EXPECT_EQ(text,
            "February Report to the Branch Office - 5 Active publishers\n"
            "\n"
            "          Shared   Hours  Bi.St.\n"
            "Pubs           1               3\n"
            "AuxP           1      31       1\n"
            "Pios           1      62       4\n"
            "Totals         3      93       8\n");
}

TEST_F(BranchReportTest, PageDrawsTitleHeadingsAndRightAlignedNumbers) {
  RecordingCanvas canvas(96, 96);
  ReportContext context;
  context.page_count = 7;
  DrawBranchReport(doc_, canvas, context);
  EXPECT_EQ(context.page_count, 1);
  const auto* title = canvas.FindText("February Report to the Branch Office - 5 Active publishers");
  ASSERT_NE(title, nullptr);
  const auto* shared = canvas.FindText("Shared");
  const auto* pubs = canvas.FindText("Pubs");
  const auto* totals = canvas.FindText("Totals");
  const auto* total_hours = canvas.FindText("    93");
  ASSERT_TRUE(shared && pubs && totals && total_hours);
  EXPECT_LT(title->y, shared->y);
  EXPECT_LT(shared->y, pubs->y);
  EXPECT_LT(pubs->y, totals->y);
  EXPECT_EQ(totals->y, total_hours->y);
  EXPECT_EQ(total_hours->align & align::kHorizontalMask, align::kRight);
  EXPECT_EQ(canvas.FindText("Hours")->x, total_hours->x);  // numbers stand under their heading
  // The "Pubs" line has no hours cell: label, count and studies only.
  int on_pubs_line = 0;
  for (const auto* op : canvas.Texts()) on_pubs_line += op->y == pubs->y;
  EXPECT_EQ(on_pubs_line, 3);
}

// "Check the Branch Reports": a month agrees until one of its reports changes; then its
// lines show the sent and the present figures, the changed one marked.
TEST_F(BranchReportTest, CheckMarksTheFigureThatChangedSinceTheReportWasSent) {
  // January, the month before the working month, held the same reports as February.
  constexpr int kJan = 0;
  for (int r = 1; r < doc_.count; ++r) {
    PubRecord& p = doc_.records[r];
    p.pioneer[kJan][kSlot] = p.pioneer[kFeb][kSlot];
    for (auto& cells : p.activity) cells[kJan][kSlot] = cells[kFeb][kSlot];
  }
  const WorkingTotals sent = RecountMonthTotals(doc_, kJan, 26);
  for (int row = 0; row < kTotalsRows; ++row)
    for (int f = 0; f < kTotalsFields; ++f)
      doc_.totals.value[kJan][row * kTotalsFields + f][kSlot] = sent.row[row][f];
  auto january = [&] {
    ReportModel m = BranchCheckModel(doc_);
    std::vector<ReportRow> rows;
    bool in = false;
    for (const ReportRow& r : m.rows) {
      if (r.kind == RowKind::kHeading) in = r.cells[0].rfind("January 2026", 0) == 0;
      if (in) rows.push_back(r);
    }
    return rows;
  };
  auto rows = january();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_NE(rows[0].cells[0].find("agrees"), std::string::npos);

  doc_.FindById(102)->activity[kHours][kJan][kSlot] = 70;  // the regular pioneer corrected
  rows = january();
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[5].cells[0], "No logged correction explains this month.");
  EXPECT_NE(rows[0].cells[0].find("differ"), std::string::npos);
  EXPECT_EQ(rows[3].cells[0], "Pios");
  EXPECT_EQ(rows[3].cells[3], "    62");
  EXPECT_EQ(rows[3].cells[4], "    70 *");
  EXPECT_EQ(rows[3].cells[2], "   1");  // the count did not change: no mark
  EXPECT_EQ(rows[4].cells[4], "   101 *");
}

}  // namespace
}  // namespace zarim
