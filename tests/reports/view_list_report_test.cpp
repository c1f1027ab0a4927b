// The printed View lists: the selection carried by the job, the columns of a list and the
// blank columns of the Report Collection Form.
#include "reports/view_list_report.h"

#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/document.h"
#include "reports/fonts.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

TEST(ViewListSelection, SurvivesTheJobsGroupNumber) {
  ViewListSelection s{ViewType::kCustom, 20, 11};
  ViewListSelection back = DecodeViewListSelection(EncodeViewListSelection(s));
  EXPECT_EQ(back.type, ViewType::kCustom);
  EXPECT_EQ(back.second, 20);
  EXPECT_EQ(back.third, 11);
}

class ViewListReportTest : public ::testing::Test {
 protected:
  ViewListReportTest() {
    StartEmpty(doc_, Date{2026, 5, 10}, dir_.path());
    for (int i = 0; i < 3; ++i) {
      PubRecord r =
          MakePublisher(10 + i, "Pat", std::string(1, static_cast<char>('A' + i)), kActive);
      SetField(r.home_phone, "555-" + std::to_string(i));
      AddRecord(doc_, r);
    }
    ctx_.fonts = &fonts_;
  }
  TempDir dir_;
  CZarimDoc doc_;
  ReportFonts fonts_;
  ReportContext ctx_;
};

TEST_F(ViewListReportTest, CollectionFormDrawsEveryPublisherWithBlankBoxes) {
  RecordingCanvas canvas(96, 96);
  ASSERT_TRUE(HasReportDrawer(kViewListReportKind));
  ASSERT_TRUE(DrawReport(doc_, canvas, ctx_, kViewListReportKind,
                         EncodeViewListSelection({ViewType::kCollectionForm, 0, 0})));
  EXPECT_NE(canvas.FindText("Pat A  (0)  555-0"), nullptr);
  EXPECT_NE(canvas.FindText("Pat C  (0)  555-2"), nullptr);
  EXPECT_NE(canvas.FindText("Shared"), nullptr);
  EXPECT_NE(canvas.FindText("Remark"), nullptr);
  int lines = 0;
  for (const auto& op : canvas.ops())
    if (op.kind == RecordingCanvas::OpKind::kLine) ++lines;
  EXPECT_GE(lines, 3 * 6);  // per publisher: the rule below and the box sides
}

TEST_F(ViewListReportTest, ListColumnsFollowTheTabs) {
  RecordingCanvas canvas(96, 96);
  DrawViewList(doc_, canvas, ctx_, EncodeViewListSelection({ViewType::kNoReport, 0, 3}));
  const auto* name = canvas.FindText("Pat B  (0)");
  const auto* phone = canvas.FindText("555-1");
  ASSERT_NE(name, nullptr);
  ASSERT_NE(phone, nullptr);
  EXPECT_EQ(name->y, phone->y);
  EXPECT_GT(phone->x, name->x);
  EXPECT_EQ(ctx_.page_count, 1);
}

}  // namespace
}  // namespace zarim
