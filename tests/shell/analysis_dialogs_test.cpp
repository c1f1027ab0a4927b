// The Quick Overview dialog shows the overview's figures with their screen-reader names,
// draws its chart and closes with "&Close".
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/bytes.h"
#include "core/document.h"
#include "core/month.h"
#include "shell/dialogs/quick_overview_dialog.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

TEST(AnalysisDialogs, QuickOverviewShowsTheFiguresAndCloses) {
  TempDir dir;
  CZarimDoc doc;
  StartEmpty(doc, Date{2026, 3, 10}, dir.path());
  PubRecord r = MakePublisher(100, "Ann", "Lee");
  const int slot = SlotOfYear(26);
  r.pioneer[1][slot] = kRegular;
  r.activity[kHours][1][slot] = 51;
  r.flags = kElder;
  AddRecord(doc, r);
  AddRecord(doc, MakePublisher(101, "Bob", "Lee"));
  QuickOverviewDialog dialog(doc);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quick Overview"));
  ASSERT_NE(dialog.value("Active Pubs:"), nullptr);
  EXPECT_EQ(dialog.value("Active Pubs:")->text(), QStringLiteral("2"));
  EXPECT_EQ(dialog.value("Elders:")->text(), QStringLiteral("1"));
  EXPECT_EQ(dialog.value("Avg Hrs (Pios):")->text(), QStringLiteral("51.0"));
  EXPECT_EQ(dialog.value("Elders:")->accessibleName(), QStringLiteral("Elders:"));
  EXPECT_EQ(dialog.close_button()->text(), QStringLiteral("&Close"));
  dialog.show();
  EXPECT_FALSE(dialog.chart()->grab().isNull());
  QTest::mouseClick(dialog.close_button(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace zarim
