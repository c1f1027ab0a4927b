// Every report on the demo and the full demo, on the screen and on paper: the last page
// draws more than the header every page repeats, nothing stands below it, no line past 8".
#include <gtest/gtest.h>

#include <set>

#include "core/data_files.h"
#include "demo_congregation.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_registry.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Kind = RecordingCanvas::OpKind;
using Mark = std::tuple<Kind, int, int, int, int, std::string>;  // placed within its band

std::set<Mark> Marks(const RecordingCanvas& canvas, int band, int page) {
  std::set<Mark> marks;
  for (const RecordingCanvas::Op& op : canvas.ops()) {
    const int y2 = op.kind == Kind::kText ? op.y : op.y2;  // a text's y2 is unused
    if (op.kind <= Kind::kRect && std::min(op.y, y2) / band == page)
      marks.insert({op.kind, op.x, op.y - page * band, op.x2, y2 - page * band, op.text});
  }
  return marks;
}

class LastPageTest : public ::testing::TestWithParam<bool> {};

TEST_P(LastPageTest, DrawsMoreThanTheRepeatedHeader) {
  testing::TempDir dir;
  demo::DemoOptions options{.full = GetParam()};
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  CZarimDoc doc;
  doc.data_folder = dir.path();
  ASSERT_TRUE(LoadAll(doc, FixedClock(options.today)));
  for (int dpi : {96, 300}) {
    for (const ReportEntry& entry : AllReports()) {
      RecordingCanvas canvas(dpi, dpi);
      ReportContext context;
      context.printing = dpi == 300;
      if (!DrawReport(doc, canvas, context, entry.kind, 1)) continue;
      const int band = PageBandHeight(context.page_height_tenths, dpi),
                last = context.page_count - 1;
      std::set<Mark> marks = Marks(canvas, band, last), first = Marks(canvas, band, 0);
      if (last > 0) std::erase_if(marks, [&](const Mark& m) { return first.count(m) > 0; });
      EXPECT_FALSE(marks.empty()) << entry.name << " at " << dpi << " dpi: last page empty";
      EXPECT_TRUE(Marks(canvas, band, last + 1).empty()) << entry.name << " past the last page";
      for (const RecordingCanvas::Op& op : canvas.ops())
        if (dpi == 300 && op.kind != Kind::kText && op.kind <= Kind::kRect) {
          ASSERT_LE(std::max(op.x, op.x2) + op.pen_width / 2, 8 * dpi) << entry.name;
        }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DemoAndFullDemo, LastPageTest, ::testing::Bool());

}  // namespace
}  // namespace zarim
