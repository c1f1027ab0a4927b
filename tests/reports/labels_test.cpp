// Publisher labels: positions from the starting label, sheets, the category passes, the
// lines of a label and where they are drawn.
#include "reports/labels.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "core/store.h"
#include "reports/label_form.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

TEST(LabelPlaceTest, StartingLabelAndSheets) {
  struct Case {
    int start, index, sheet, row, column;
  } cases[] = {
      {1, 0, 0, 0, 0},  {1, 1, 0, 0, 1},  {2, 0, 0, 0, 1},   // label 2 is the right column
      {2, 1, 0, 1, 0},  {2, 18, 0, 9, 1}, {2, 19, 1, 0, 0},  // the 20th needs sheet 2
      {20, 0, 0, 9, 1}, {20, 1, 1, 0, 0}, {0, 0, 0, 0, 0},   // 0 counts as the first
  };
  for (const Case& c : cases) {
    LabelPlace p = PlaceLabel(c.start, c.index);
    EXPECT_EQ(p.sheet, c.sheet) << c.start << "/" << c.index;
    EXPECT_EQ(p.row, c.row) << c.start << "/" << c.index;
    EXPECT_EQ(p.column, c.column) << c.start << "/" << c.index;
  }
  EXPECT_EQ(LabelSheetCount(1, 20), 1);
  EXPECT_EQ(LabelSheetCount(2, 20), 2);
  EXPECT_EQ(LabelSheetCount(1, 21), 2);
  EXPECT_EQ(LabelSheetCount(20, 1), 1);
  EXPECT_EQ(LabelSheetCount(20, 2), 2);
}

class LabelsTest : public ::testing::Test {
 protected:
  LabelsTest() { StartEmpty(doc_, Date{2026, 12, 8}, dir_.path()); }
  PubRecord& Add(int id, const char* first, const char* last, const char* baptism = "03152001") {
    PubRecord r = MakePublisher(id, first, last, kActive);
    SetField(r.baptism_date, baptism);
    return AddRecord(doc_, r);
  }
  void Finish() {
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }
  RecordingCanvas Draw(const ReportSelection* sel, bool printing = false) {
    RecordingCanvas canvas(96, 96);
    ctx_.fonts = &fonts_;
    ctx_.printing = printing;
    ctx_.selection = sel;
    DrawLabels(doc_, canvas, ctx_);
    return canvas;
  }
  TempDir dir_;
  CZarimDoc doc_;
  ReportFonts fonts_;
  ReportContext ctx_;
};

TEST_F(LabelsTest, PioneersThenBaptizedThenUnbaptized) {
  Add(10, "Anna", "Able", "        ");
  Add(11, "Bert", "Baker");
  Add(12, "Cleo", "Cole");
  Add(13, "Dave", "Dunn", "2001    ");  // too short to be a date
  Finish();
  int m = doc_.working_month;
  doc_.FindById(12)->pioneer[m][doc_.SlotOfMonth(m)] = kRegular;
  std::vector<std::string> names;
  for (int rec : LabelRecordsByCategory(doc_)) names.push_back(doc_.DisplayName(doc_.records[rec]));
  EXPECT_EQ(names, (std::vector<std::string>{"Cleo Cole", "Bert Baker", "Anna Able", "Dave Dunn"}));
}

TEST_F(LabelsTest, LinesOfALabel) {
  PubRecord& r = Add(10, "Anna", "Able");
  SetField(r.birth_date, "07041980");
  SetField(r.address, "1 Elm Street");
  SetField(r.mobile_phone, "0170-1");
  r.hope = 'O';
  r.flags |= kElder;
  Finish();
  EXPECT_EQ(LabelLines(doc_, 1),
            (std::vector<std::string>{"Anna Able", "Date of birth: 07/04/1980", "1 Elm Street",
                                      "Mobile: 0170-1", "03/15/2001", "O.S.   Elder"}));
  doc_.options.label_birth_legend = 0;
  doc_.format.alternate_date = 1;
  SetField(doc_.records[1].baptism_date, "        ");
  EXPECT_EQ(LabelLines(doc_, 1),
            (std::vector<std::string>{"Anna Able", "1 Elm Street", "Mobile: 0170-1",
                                      "Unbaptized publisher", "O.S.   Elder"}));
}

TEST_F(LabelsTest, StartingLabelTwoPutsTheFirstInTheRightColumn) {
  for (int i = 0; i < 20; ++i) Add(10 + i, "Pat", ("P" + std::to_string(100 + i)).c_str());
  Finish();
  doc_.options.label_left_margin = 20;
  ReportSelection sel;
  sel.start_label = 2;
  RecordingCanvas canvas = Draw(&sel, true);
  EXPECT_EQ(ctx_.page_count, 2);
  const auto* first = canvas.FindText("Pat P100");
  const auto* second = canvas.FindText("Pat P101");
  const auto* last = canvas.FindText("Pat P119");
  ASSERT_TRUE(first && second && last);
  const int left = 20 * 96 / 100;              // the margin in hundredths of an inch
  EXPECT_EQ(first->x, left + 420 * 96 / 100);  // margin + pitch, printing on letter
  EXPECT_EQ(second->x, left);
  EXPECT_EQ(second->y - first->y, 96);  // one inch lower
  EXPECT_GE(last->y, 11 * 96);          // on the second sheet
  // on A4 the pitch is 4.05 inches
  ctx_.page_height_tenths = kPageHeightA4Tenths;
  RecordingCanvas a4 = Draw(&sel, true);
  EXPECT_EQ(a4.FindText("Pat P100")->x, left + 405 * 96 / 100);
}

TEST_F(LabelsTest, EmptySelectionPrintsNothing) {
  Add(10, "Anna", "Able");
  Finish();
  ReportSelection sel;
  sel.chosen = true;
  RecordingCanvas canvas = Draw(&sel);
  EXPECT_TRUE(canvas.Texts().empty());
  EXPECT_EQ(ctx_.page_count, 1);
  RecordingCanvas all = Draw(nullptr);  // nothing chosen: every active publisher
  EXPECT_NE(all.FindText("Anna Able"), nullptr);
}

}  // namespace
}  // namespace zarim

namespace zarim {
namespace {

TEST_F(LabelsTest, FormChoosesTickedPublishersInListOrderOrEveryone) {
  Add(10, "Anna", "Able");
  Add(11, "Bert", "Baker");
  PubRecord idle = testing::MakePublisher(12, "Cleo", "Idle", kInactive);
  testing::AddRecord(doc_, idle);
  Finish();
  LabelForm chosen(doc_, true);
  ASSERT_EQ(chosen.names(), (std::vector<std::string>{"Anna Able", "Bert Baker"}));
  EXPECT_TRUE(chosen.Selection().chosen);
  EXPECT_TRUE(chosen.Selection().records.empty());  // nothing ticked prints nothing
  chosen.SetChecked(1, true);
  chosen.start_label = 25;
  ReportSelection s = chosen.Selection();
  EXPECT_EQ(s.records, (std::vector<int>{doc_.RecordNumberById(11)}));
  EXPECT_EQ(s.start_label, 20);
  LabelForm everyone(doc_, false);
  EXPECT_TRUE(everyone.names().empty());
  EXPECT_FALSE(everyone.Selection().chosen);
}

}  // namespace
}  // namespace zarim
