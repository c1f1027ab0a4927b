// The publisher record card: which form a service year takes, the card's width, the
// header's check boxes, the old form's averages and how cards share sheets.
#include "reports/record_card.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "core/strings.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class RecordCardTest : public ::testing::Test {
 protected:
  void Start(Date today) { StartEmpty(doc_, today, dir_.path()); }
  int Add(int id, const char* first, const char* last) {
    AddRecord(doc_, MakePublisher(id, first, last, kActive));
    doc_.SortRecords();
    RefreshDerivedState(doc_);
    return doc_.RecordNumberById(id);
  }
  // The header row of the card that starts with `label`.
  std::vector<std::string> HeaderRow(int rec, Sid label) {
    for (const ReportRow& row : CardModel(doc_, rec, false).rows)
      if (!row.cells.empty() && row.cells[0].rfind(std::string(Str(label)), 0) == 0)
        return row.cells;
    return {};
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(RecordCardTest, NewFormFromTheServiceYearEndingIn2024) {
  Start(Date{2026, 12, 8});
  EXPECT_EQ(WorkingServiceYear(doc_), 2027);  // November 2026 lies in 2027's service year
  EXPECT_TRUE(CardUsesNewForm(doc_, 2024));
  EXPECT_TRUE(CardUsesNewForm(doc_, 2027));
  EXPECT_FALSE(CardUsesNewForm(doc_, 2023));
  // old reports viewed from a month before the change keep the old form
  doc_.history_view = 1;
  doc_.working_serial = kReportFormSwitchSerial;
  EXPECT_FALSE(CardUsesNewForm(doc_, 2024));
  doc_.working_serial = kReportFormSwitchSerial + 1;
  EXPECT_TRUE(CardUsesNewForm(doc_, 2024));
}

TEST_F(RecordCardTest, WidthOnA4AndLetterAndLayoutStrings) {
  EXPECT_EQ(CardWidth(300, false), 2250);  // 7.5 inches on letter
  EXPECT_EQ(CardWidth(300, true), 2175);   // 7.25 inches on the taller A4 sheet
  EXPECT_EQ(LayoutNumbers(Str(Sid::kCardBoxPositions), 7),
            (std::vector<int>{70, 88, 2, 14, 38, 61, 82}));
  EXPECT_EQ(LayoutNumbers(Str(Sid::kCardColumnBounds), 7),
            (std::vector<int>{88, 165, 250, 335, 420, 505, 515}));
  EXPECT_TRUE(LayoutNumbers("70 88 x2 14 38 61 82", 7).empty());  // a damaged translation
  EXPECT_TRUE(LayoutNumbers("70 88", 7).empty());
}

TEST_F(RecordCardTest, GenderBoxesFollowTheFlags) {
  Start(Date{2026, 12, 8});
  int rec = Add(10, "Alex", "Neither");
  using V = std::vector<std::string>;
  EXPECT_EQ(HeaderRow(rec, Sid::kCardBirth), (V{"Date of birth:  ", "Male [ ]", "Female [ ]"}));
  doc_.records[rec].flags |= kFemale;
  SetField(doc_.records[rec].birth_date, "07041980");
  EXPECT_EQ(HeaderRow(rec, Sid::kCardBirth),
            (V{"Date of birth:  07/04/1980", "Male [ ]", "Female [X]"}));
  doc_.options.hide_birth = 1;
  EXPECT_EQ(HeaderRow(rec, Sid::kCardBirth)[0], "Date of birth:  1980");
}

TEST_F(RecordCardTest, OldFormTotalCarriesQuartersAndAverageCountsTheMonthsKept) {
  // Each case fills 10 hours (and a quarter where asked) into calendar months
  // [first, last] of the service year's calendar; the average divides by the months of
  // the service year that the record keeps up to the working month, reports or not.
  struct Case {
    Date today;
    int service_year, first, last, quarters_each;
    int total, months;
    const char* average;
  };
  const Case cases[] = {
      {{2023, 9, 8}, 2023, 2, 7, 0, 60, 12, "5.0"},   // reports from March only
      {{2023, 9, 8}, 2023, 0, 7, 1, 82, 12, "6.8"},   // 8 quarters carry 2 hours
      {{2023, 9, 8}, 2023, 0, 4, 3, 53, 12, "4.4"},   // 15 quarters: 3 hours, 3 dropped
      {{2022, 12, 8}, 2023, 9, 10, 0, 20, 3, "6.7"},  // September to November held
      {{2023, 2, 8}, 2021, 1, 7, 0, 70, 7, "10.0"},   // kept from February 2021 only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    TempDir dir;
    CZarimDoc doc;
    StartEmpty(doc, c.today, dir.path());
    PubRecord& r = AddRecord(doc, MakePublisher(10, "Sam", "Short", kActive));
    const int calendar = c.first >= 8 ? c.service_year - 1 : c.service_year;
    for (int month = c.first; month <= c.last; ++month) {
      r.activity[kHours][month][calendar % 2] = 10;
      r.activity[kBibleStudies][month][calendar % 2] =
          static_cast<uint16_t>(c.quarters_each << kQuarterShift);
    }
    RefreshDerivedState(doc);
    CardYear y = BuildCardYear(doc, doc.RecordNumberById(10), c.service_year);
    EXPECT_FALSE(y.new_form);
    EXPECT_EQ(y.totals[kHours], c.total);
    EXPECT_EQ(y.average_months, c.months);
    EXPECT_EQ(Printf("%3.1f", CardAverage(y, kHours)), c.average);
  }
}

TEST_F(RecordCardTest, AverageRowFollowsItsHideOption) {
  Start(Date{2023, 9, 8});  // working month August 2023: service year 2023, old form
  int rec = Add(10, "Sam", "Short");
  for (int month = 0; month <= 7; ++month) doc_.records[rec].activity[kHours][month][1] = 15;
  // on the card the average row reads 10.0 in the hours column (120 hours over 12 months)
  bool found = false;
  for (const ReportRow& row : CardModel(doc_, rec, false).rows)
    if (!row.cells.empty() && row.cells[0] == "Average") {
      ASSERT_GE(row.cells.size(), 4u);
      EXPECT_EQ(row.cells[3], "10.0");
      found = true;
      break;
    }
  EXPECT_TRUE(found);
  doc_.options.hide_averages = 1;  // the working service year's averages hidden
  for (const ReportRow& row : CardModel(doc_, rec, false).rows)
    if (!row.cells.empty() && row.cells[0] == "Average") {
      // only the previous year's table may still carry one
      EXPECT_NE(row.cells.size(), 4u);
    }
}

TEST_F(RecordCardTest, OneServiceYearPerPagePutsTwoCardsOnASheet) {
  Start(Date{2026, 12, 8});
  std::vector<int> recs = {Add(10, "Ann", "A"), Add(11, "Bob", "B"), Add(12, "Cy", "C")};
  ReportSelection sel;
  sel.chosen = true;
  sel.records = recs;
  ReportContext ctx;
  ctx.selection = &sel;
  ctx.printing = true;
  auto titles = [](const RecordingCanvas& c) {
    std::vector<int> ys;
    for (const auto* op : c.Texts())
      if (op->text == Str(Sid::kCardTitle)) ys.push_back(op->y);
    return ys;
  };
  const int band = PageBandHeight(kPageHeightLetterTenths, 300);
  doc_.options.one_per_page = 1;
  RecordingCanvas one(300, 300);
  DrawRecordCards(doc_, one, ctx);
  EXPECT_EQ(ctx.page_count, 2);
  EXPECT_EQ(titles(one), (std::vector<int>{300, 6 * 300, band + 300}));
  int tables = 0;
  for (const auto* op : one.Texts())
    if (op->text.rfind("Service", 0) == 0) ++tables;  // the heading may wrap after it
  EXPECT_EQ(tables, 3);                               // one service year each
  doc_.options.one_per_page = 0;
  RecordingCanvas two(300, 300);
  DrawRecordCards(doc_, two, ctx);
  EXPECT_EQ(ctx.page_count, 3);  // two service years fill a sheet
  EXPECT_EQ(titles(two), (std::vector<int>{300, band + 300, 2 * band + 300}));
}

// Printing a whole file asks the drawer for one sheet at a time: that sheet must come out
// exactly as in the drawing of every sheet, and a page count alone draws nothing.
TEST_F(RecordCardTest, ASheetDrawnAloneEqualsItsBandOfTheWholeRun) {
  Start(Date{2026, 12, 8});
  ReportSelection sel;
  sel.chosen = true;
  sel.records = {Add(10, "Ann", "A"), Add(11, "Bob", "B"), Add(12, "Cy", "C")};
  const int band = PageBandHeight(kPageHeightLetterTenths, 300);
  using Op = RecordingCanvas::Op;
  auto key = [](const Op& op) {
    return std::make_tuple(static_cast<int>(op.kind), op.x, op.y, op.x2, op.y2, op.text,
                           op.font.height, op.align, op.pen_width);
  };
  for (int one_per_page : {0, 1}) {
    doc_.options.one_per_page = one_per_page;
    ReportContext whole_ctx;
    whole_ctx.selection = &sel;
    whole_ctx.printing = true;
    RecordingCanvas whole(300, 300);
    DrawRecordCards(doc_, whole, whole_ctx);
    for (int page = 1; page <= whole_ctx.page_count; ++page) {
      std::vector<decltype(key(Op{}))> expected, alone;
      for (const Op& op : whole.ops())
        if (op.y >= (page - 1) * band && op.y < page * band) expected.push_back(key(op));
      ReportContext ctx = whole_ctx;
      ctx.wanted_page = page;
      RecordingCanvas one(300, 300);
      DrawRecordCards(doc_, one, ctx);
      for (const Op& op : one.ops()) alone.push_back(key(op));
      EXPECT_FALSE(alone.empty());
      EXPECT_EQ(alone, expected) << "page " << page << " one per page " << one_per_page;
      EXPECT_EQ(ctx.page_count, whole_ctx.page_count);
    }
    ReportContext count_ctx = whole_ctx;
    count_ctx.wanted_page = kPageCountOnly;
    RecordingCanvas none(300, 300);
    DrawRecordCards(doc_, none, count_ctx);
    EXPECT_TRUE(none.ops().empty());
    EXPECT_EQ(count_ctx.page_count, one_per_page ? 2 : 3);
  }
}

// Every text stays inside the card: a box label too long for the room right of its box
// (Field missionary at 82 %) is set smaller, and a heading of four lines keeps the
// padding of the rows below it.
TEST_F(RecordCardTest, TextsStayInsideTheCardAndTheirCells) {
  Start(Date{2026, 12, 8});
  ReportSelection sel;
  sel.chosen = true;
  sel.records = {Add(10, "Ann", "A")};
  ReportContext ctx;
  ctx.selection = &sel;
  ctx.printing = true;
  RecordingCanvas canvas(300, 300);
  DrawRecordCards(doc_, canvas, ctx);
  const int left = 150, right = left + CardWidth(300, false), row = 300 / 4;
  RecordingCanvas measure(300, 300);
  int tables = 0;
  for (const RecordingCanvas::Op& op : canvas.ops()) {
    if (op.kind == RecordingCanvas::OpKind::kRect && op.pen_width == 4) {  // a table's frame
      ++tables;
      EXPECT_GE(op.x - op.pen_width / 2, left);
      EXPECT_LE(op.x2 + op.pen_width / 2, right);
      // the headings of this table: their lines start below the padding of the cell
      const int top = op.y - (op.pen_width + 1) / 2;
      for (const auto* text : canvas.Texts())
        if (text->y >= top && text->y < top + 2 * row) {
          EXPECT_GE(text->y, top + row / 16) << text->text;
        }
    }
    if (op.kind != RecordingCanvas::OpKind::kText || (op.align & align::kCenter) == align::kCenter)
      continue;
    measure.SetFont(op.font);
    const int end =
        (op.align & align::kCenter) == align::kRight ? op.x : op.x + measure.TextWidth(op.text);
    EXPECT_LE(end, right) << op.text;
  }
  EXPECT_EQ(tables, 2);
}

// The totals card is titled by its period and averages each column over the period's
// months, however few of them have reports; its rows follow the hide options for all.
TEST_F(RecordCardTest, TotalsCardTitleAndAverageByPeriod) {
  Start(Date{2026, 12, 8});  // November 2026: three months of the service year
  int rec = Add(10, "Ann", "A");
  doc_.records[rec].activity[kHours][10][0] = 30;
  doc_.records[rec].activity[kBibleStudies][10][0] = kSharedBit | 2;
  struct Case {
    int period;
    const char* title;
    int months;
    const char* hours_average;
  };
  for (const Case& c : {Case{YtdSummaryForm::kServiceYear, "Service Year", 3, "10.0"},
                        Case{YtdSummaryForm::kLastTwelve, "Last Twelve Months", 12, " 2.5"},
                        Case{YtdSummaryForm::kLastSix, "Last Six Months", 6, " 5.0"}}) {
    ReportSelection sel;
    sel.chosen = true;
    sel.totals_category = YtdSummaryForm::kPublishers;
    sel.totals_period = c.period;
    ReportContext ctx;
    ctx.selection = &sel;
    ctx.printing = true;
    RecordingCanvas canvas(300, 300);
    DrawRecordCards(doc_, canvas, ctx);
    EXPECT_EQ(ctx.page_count, 1);
    ASSERT_FALSE(canvas.Texts().empty());
    EXPECT_EQ(canvas.Texts()[0]->text, c.title);
    EXPECT_EQ(canvas.Texts()[0]->y, 300);  // the first form of the sheet
    const TotalsCard card = BuildTotalsCard(doc_, sel.totals_category, c.period, false);
    EXPECT_EQ(card.months.size(), static_cast<size_t>(c.months));
    EXPECT_EQ(card.totals[kHours], 30);
    EXPECT_EQ(card.reports, 1);
    ctx.printing = false;
    const ReportModel model = CardReports()[0].model(doc_, ctx, 0);
    EXPECT_EQ(model.title, c.title);
    ASSERT_GE(model.rows.size(), 2u);
    const std::vector<std::string>& average = model.rows.back().cells;
    ASSERT_EQ(average.size(), 7u);
    EXPECT_EQ(average[0], "Average");
    EXPECT_EQ(average[3], c.hours_average);
    EXPECT_EQ(model.rows[model.rows.size() - 2].cells[3], "30");  // the "Total" row
  }
  doc_.options.hide_averages = kCardHideAverageCurrent | kCardHideTotalCurrent;
  ReportSelection sel;
  sel.chosen = true;
  sel.totals_category = YtdSummaryForm::kPublishers;
  ReportContext ctx;
  ctx.selection = &sel;
  const ReportModel hidden = CardReports()[0].model(doc_, ctx, 0);
  EXPECT_EQ(hidden.rows.size(), 5u);  // category and source, headings, three months
  for (const ReportRow& row : hidden.rows) EXPECT_NE(row.kind, RowKind::kTotal);
}

TEST_F(RecordCardTest, EmptySelectionPrintsNothing) {
  Start(Date{2026, 12, 8});
  Add(10, "Ann", "A");
  ReportSelection sel;
  sel.chosen = true;
  ReportContext ctx;
  ctx.selection = &sel;
  RecordingCanvas canvas(300, 300);
  DrawRecordCards(doc_, canvas, ctx);
  EXPECT_TRUE(canvas.ops().empty());
  EXPECT_EQ(ctx.page_count, 1);
}

}  // namespace
}  // namespace zarim
