// Every report of the registry, on the demo congregation and on the full one, on the
// screen and on paper: the last page draws something besides what every page repeats,
// nothing is drawn below it, and no line reaches past the eight inches paper shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "core/data_files.h"
#include "core/document.h"
#include "demo_congregation.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_registry.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Op = RecordingCanvas::Op;
using OpKind = RecordingCanvas::OpKind;
// An op as its page shows it: kind, x, y, x2, y2 (from the band's top) and text.
using Mark = std::tuple<int, int, int, int, int, std::string>;

std::set<Mark> Marks(const RecordingCanvas& canvas, int band, int page) {
  std::set<Mark> marks;
  for (const Op& op : canvas.ops()) {
    if (op.kind != OpKind::kText && op.kind != OpKind::kLine && op.kind != OpKind::kRect) continue;
    const bool text = op.kind == OpKind::kText;
    const int top = text ? op.y : std::min(op.y, op.y2);
    if (top < page * band || top >= (page + 1) * band) continue;
    const int shift = page * band;
    marks.insert({static_cast<int>(op.kind), op.x, op.y - shift, text ? 0 : op.x2,
                  text ? 0 : op.y2 - shift, op.text});
  }
  return marks;
}

class LastPageTest : public ::testing::TestWithParam<bool> {};

TEST_P(LastPageTest, TheLastPageDrawsMoreThanTheRepeatedHeaderAndNothingFollowsIt) {
  testing::TempDir dir;
  demo::DemoOptions options;
  options.full = GetParam();
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  CZarimDoc doc;
  doc.data_folder = dir.path();
  FixedClock clock(options.today);
  ASSERT_TRUE(LoadAll(doc, clock));
  const ReportFonts fonts;
  for (bool paper : {false, true}) {
    const int dpi = paper ? 300 : 96;
    for (const ReportEntry& entry : AllReports()) {
      RecordingCanvas canvas(dpi, dpi);
      ReportContext context;
      context.printing = paper;
      context.today = options.today;
      context.fonts = &fonts;
      if (!DrawReport(doc, canvas, context, entry.kind, 1)) continue;
      const int band = PageBandHeight(context.page_height_tenths, dpi);
      const int last = context.page_count - 1;
      std::set<Mark> marks = Marks(canvas, band, last);
      if (last > 0) {
        const std::set<Mark> first = Marks(canvas, band, 0);
        std::erase_if(marks, [&](const Mark& m) { return first.count(m) > 0; });
      }
      const std::string where = std::string(entry.name) + (paper ? " on paper" : " on the screen");
      EXPECT_FALSE(marks.empty()) << where << ": page " << last + 1 << " is empty";
      const bool past = std::any_of(canvas.ops().begin(), canvas.ops().end(), [&](const Op& op) {
        return op.kind == OpKind::kText && op.y >= (last + 1) * band;
      });
      EXPECT_FALSE(past) << where << ": drawn past the last page";
      // Paper shows eight inches of the band: no line reaches past them, not by half its pen.
      for (const Op& op : canvas.ops())
        if (paper && (op.kind == OpKind::kLine || op.kind == OpKind::kRect))
          ASSERT_LE(std::max(op.x, op.x2) + op.pen_width / 2, 8 * dpi) << where;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DemoAndFullDemo, LastPageTest, ::testing::Bool());

}  // namespace
}  // namespace zarim
