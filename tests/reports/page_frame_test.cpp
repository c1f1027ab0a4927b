// The page frame arithmetic, the list header and the "Printed" stamp.
#include "reports/page_frame.h"

#include <gtest/gtest.h>

#include "core/document.h"
#include "core/strings.h"
#include "reports/recording_canvas.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::StartEmpty;
using testing::TempDir;

TEST(TopOffsetTest, FollowsTheMarginUpToOneInch) {
  struct Case {
    int margin, dpi, expected;
  } cases[] = {
      {0, 96, 0},      {50, 96, 48}, {99, 96, 95},   {99, 300, 297},
      {100, 300, 300}, {0, 600, 0},  {99, 600, 594}, {25, 600, 150},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TopOffset(c.margin, c.dpi), c.expected) << c.margin << " @ " << c.dpi;
}

TEST(TopOffsetTest, MoreThanOneInchGivesHalfAnInch) {
  EXPECT_EQ(TopOffset(101, 300), 150);
  EXPECT_EQ(TopOffset(250, 96), 48);
  // exactly one inch is not more than one inch
  EXPECT_EQ(TopOffset(100, 96), 96);
}

TEST(PageBandTest, LetterAndA4) {
  EXPECT_EQ(PageBandHeight(kPageHeightLetterTenths, 300), 3300);
  EXPECT_EQ(PageBandHeight(kPageHeightA4Tenths, 300), 3600);
  EXPECT_EQ(PageBandHeight(kPageHeightA4Tenths, 600), 7200);
}

TEST(ListPageCountTest, ThePagesTheEntriesFillAndNoEmptyOneAfter) {
  struct Case {
    int entries, per_page, expected;
  } cases[] = {{0, 50, 1},   {45, 50, 1},    {50, 50, 1}, {51, 50, 2},
               {100, 50, 2}, {1500, 60, 25}, {-5, 50, 1}, {10, 0, 10}};
  for (const Case& c : cases)
    EXPECT_EQ(ListPageCount(c.entries, c.per_page), c.expected) << c.entries << "/" << c.per_page;
}

class PageFrameTest : public ::testing::Test {
 protected:
  PageFrameTest() { StartEmpty(doc_, Date{2026, 12, 8}, dir_.path()); }
  TempDir dir_;
  CZarimDoc doc_;
  ReportFonts fonts_;
};

TEST_F(PageFrameTest, ScreenUsesElevenTwelfthsOfAnInchAndStoredFonts) {
  RecordingCanvas canvas(96, 96);
  ReportContext ctx;
  ctx.fonts = &fonts_;
  PageFrame frame(canvas, ctx, 0);
  EXPECT_EQ(frame.unit(), 88);
  EXPECT_EQ(frame.left(), 44);
  EXPECT_EQ(frame.page_height(), 11 * 96);
  // Text font -13: cell 16, external leading 1 on the recording canvas.
  EXPECT_EQ(frame.line_height(), 17);
  EXPECT_EQ(frame.lines_per_page(), 9 * 96 / 17);
  EXPECT_EQ(frame.Font(FontRole::kTitle).height, -19);
}

TEST_F(PageFrameTest, PrintingScalesFontsToTheSamePhysicalSize) {
  RecordingCanvas canvas(600, 600);
  ReportContext ctx;
  ctx.fonts = &fonts_;
  ctx.printing = true;
  PageFrame frame(canvas, ctx, 50);
  EXPECT_EQ(frame.unit(), 600);
  EXPECT_EQ(frame.left(), 300);
  EXPECT_EQ(frame.Font(FontRole::kText).height, -81);    // -13 * 600 / 96 = -81.25
  EXPECT_EQ(frame.Font(FontRole::kTitle).height, -119);  // -118.75
  // -81: cell 101, external leading 10
  EXPECT_EQ(frame.line_height(), 111);
  EXPECT_EQ(frame.lines_per_page(), 9 * 600 / 111);
}

TEST_F(PageFrameTest, PageTopAndLinesInTheContinuousPageSpace) {
  RecordingCanvas canvas(300, 300);
  ReportContext ctx;
  ctx.fonts = &fonts_;
  ctx.printing = true;
  ctx.page_height_tenths = kPageHeightA4Tenths;
  PageFrame top0(canvas, ctx, 0);
  EXPECT_EQ(top0.PageTop(0), 75);             // a quarter inch
  EXPECT_EQ(top0.PageTop(2), 2 * 3600 + 75);  // A4 bands are 12 inches
  PageFrame top99(canvas, ctx, 99);
  EXPECT_EQ(top99.PageTop(0), 75 + 297);
  EXPECT_EQ(top99.LineY(1, 1), 3600 + 75 + 297 + 3 * top99.line_height());
  PageFrame too_big(canvas, ctx, 250);  // out of range values are held to 99
  EXPECT_EQ(too_big.top_offset(), 297);
}

TEST_F(PageFrameTest, FontWithoutHeightStillGivesLines) {
  ReportFonts fonts;
  FontSpec zero = fonts.Get(FontRole::kText);
  zero.height = 0;
  fonts.Set(FontRole::kText, zero);
  RecordingCanvas canvas(96, 96);
  ReportContext ctx;
  ctx.fonts = &fonts;
  PageFrame frame(canvas, ctx, 0);
  EXPECT_GE(frame.line_height(), 1);
  EXPECT_GE(frame.lines_per_page(), 1);
}

TEST(StampTextTest, DayMonthNameYearOrGreekSlashes) {
  EXPECT_EQ(StampText(Date{2026, 12, 8}, "eng"), "Printed 8 December 2026");
  EXPECT_EQ(StampText(Date{2024, 1, 31}, "eng"), "Printed 31 January 2024");
  EXPECT_EQ(StampText(Date{2026, 12, 8}, "greek"), "Printed 8/12/2026");
}

class ListHeaderTest : public PageFrameTest {
 protected:
  std::vector<std::string> DrawHeader(bool printing, int datestamp, int stamp_tenths = 75) {
    doc_.options.datestamp = datestamp;
    canvas_ = std::make_unique<RecordingCanvas>(printing ? 300 : 96, printing ? 300 : 96);
    ReportContext ctx;
    ctx.fonts = &fonts_;
    ctx.printing = printing;
    ctx.today = Date{2026, 12, 8};
    PageFrame frame(*canvas_, ctx, 0);
    ListHeader header{ListTitle(doc_, "Telephone List"), "Group # 2", stamp_tenths};
    DrawListHeader(*canvas_, frame, ctx, doc_, 1, header);
    std::vector<std::string> texts;
    for (const auto* op : canvas_->Texts()) texts.push_back(op->text);
    return texts;
  }
  std::unique_ptr<RecordingCanvas> canvas_;
};

TEST_F(ListHeaderTest, StampNeverOnScreen) {
  auto texts = DrawHeader(false, 1);
  EXPECT_EQ(texts, (std::vector<std::string>{"Telephone List     ",
                                             std::string(Str(Sid::kConfidential)), "Group # 2"}));
}

TEST_F(ListHeaderTest, StampOnPaperOnlyWithDatestampOn) {
  auto off = DrawHeader(true, 0);
  EXPECT_EQ(off.size(), 3u);
  auto on = DrawHeader(true, 1);
  ASSERT_EQ(on.size(), 4u);
  const auto* stamp = canvas_->FindText("Printed 8 December 2026");
  ASSERT_NE(stamp, nullptr);
  EXPECT_EQ(stamp->x, 2250);            // 7.5 inches
  EXPECT_EQ(stamp->y, 3300 + 75 - 60);  // a fifth of an inch above page 1's top
  EXPECT_EQ(stamp->align & align::kHorizontalMask, align::kRight);
  EXPECT_EQ(stamp->font.face, "Times New Roman");
  EXPECT_EQ(stamp->font.height, -31);  // -10 * 300 / 96
  DrawHeader(true, 1, 70);
  EXPECT_EQ(canvas_->FindText("Printed 8 December 2026")->x, 2100);  // Address List: 7 inches
}

TEST_F(ListHeaderTest, TitleAndNoteShareTheBaselineOnePositionAfterTheOther) {
  doc_.options.congregation_name = "North";
  DrawHeader(true, 0);
  auto texts = canvas_->Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0]->text, "Telephone List - North     ");
  EXPECT_EQ(texts[0]->align, align::kBottom | align::kUpdateCurrentPosition);
  EXPECT_EQ(texts[0]->font.height, -59);  // the Title font scaled
  EXPECT_EQ(texts[1]->y, texts[0]->y);
  EXPECT_EQ(texts[1]->x,
            texts[0]->x + RecordingCanvas::MetricsFor(texts[0]->font).average_char_width *
                              static_cast<int>(texts[0]->text.size()));
  EXPECT_EQ(texts[1]->font.height, -41);  // the Text font
  // the subtitle half a line below the title's point, top-left aligned
  EXPECT_EQ(texts[2]->align, align::kLeft | align::kTop);
  EXPECT_EQ(texts[2]->font.height, -50);
}

TEST(SelectPrintedPageTest, ClipsToTheBandAndMovesItUp) {
  RecordingCanvas canvas(300, 300);
  SelectPrintedPage(canvas, 3, 3600, 300);
  ASSERT_EQ(canvas.ops().size(), 2u);
  EXPECT_EQ(canvas.ops()[0].kind, RecordingCanvas::OpKind::kOrigin);
  EXPECT_EQ(canvas.ops()[0].y, 7200);
  EXPECT_EQ(canvas.ops()[1].kind, RecordingCanvas::OpKind::kClip);
  EXPECT_EQ(canvas.ops()[1].y, 7200);
  EXPECT_EQ(canvas.ops()[1].x2, 2400);
  EXPECT_EQ(canvas.ops()[1].y2, 10800);
}

}  // namespace
}  // namespace zarim
