// The report view: display modes, page count, scroll keys and Esc.
#include "shell/report_view.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "core/bytes.h"
#include "core/document.h"
#include "reports/report_kind.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class ReportViewTest : public ::testing::Test {
 protected:
  ReportViewTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    for (int i = 0; i < 200; ++i)
      AddRecord(doc_, MakePublisher(10 + i, "Pat", "P" + std::to_string(i)));
    view_ = std::make_unique<ReportView>(doc_);
    view_->resize(600, 400);
    view_->show();
  }
  TempDir dir_;
  CZarimDoc doc_;
  std::unique_ptr<ReportView> view_;
};

TEST_F(ReportViewTest, StartsOnThePanelAndShowsAReport) {
  EXPECT_EQ(view_->display_mode(), ReportView::kActionPanel);
  EXPECT_EQ(view_->verticalScrollBar()->maximum(), 0);
  view_->ShowReport(report_kind::kTelephoneCongregation);
  EXPECT_EQ(view_->display_mode(), ReportView::kReport);
  EXPECT_EQ(view_->kind(), report_kind::kTelephoneCongregation);
  EXPECT_GE(view_->page_count(), 4);  // 200 lines
  const int dpi = view_->screen_dpi_y();
  EXPECT_EQ(view_->verticalScrollBar()->maximum(),
            11 * dpi * view_->page_count() - view_->viewport()->height());
  QImage shot = view_->grab().toImage();  // painting must not fail
  EXPECT_FALSE(shot.isNull());
  view_->ReturnToPanel();
  EXPECT_EQ(view_->display_mode(), ReportView::kActionPanel);
}

TEST_F(ReportViewTest, ScrollKeysFollowThePageModel) {
  view_->ShowReport(report_kind::kTelephoneCongregation);
  QScrollBar* v = view_->verticalScrollBar();
  const int dpi = view_->screen_dpi_y();
  QTest::keyClick(view_.get(), Qt::Key_PageDown);
  EXPECT_EQ(v->value(), 4 * dpi);
  QTest::keyClick(view_.get(), Qt::Key_Down);
  EXPECT_EQ(v->value(), 4 * dpi + dpi / 4);
  QTest::keyClick(view_.get(), Qt::Key_PageUp);
  EXPECT_EQ(v->value(), dpi / 4);
  QTest::keyClick(view_.get(), Qt::Key_End);
  EXPECT_EQ(v->value(), v->maximum());
  QTest::keyClick(view_.get(), Qt::Key_Home);
  EXPECT_EQ(v->value(), 0);
  EXPECT_EQ(view_->horizontalScrollBar()->value(), 0);
}

TEST_F(ReportViewTest, EscAsksToReturnToThePanel) {
  view_->ShowReport(report_kind::kTelephoneCongregation);
  QSignalSpy spy(view_.get(), &ReportView::returnToPanelRequested);
  QTest::keyClick(view_.get(), Qt::Key_Escape);
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(ReportViewTest, BiggerTextFontMeansMorePages) {
  view_->ShowReport(report_kind::kTelephoneCongregation);
  int pages = view_->page_count();
  FontSpec big = view_->fonts().Get(FontRole::kText);
  big.height = -30;
  view_->fonts().Set(FontRole::kText, big);
  view_->Relayout();
  EXPECT_GT(view_->page_count(), pages);
}

TEST_F(ReportViewTest, HasAnAccessibleName) { EXPECT_FALSE(view_->accessibleName().isEmpty()); }

}  // namespace
}  // namespace zarim
