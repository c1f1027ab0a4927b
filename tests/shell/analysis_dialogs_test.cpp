// The Quick Overview dialog shows the overview's figures with their screen-reader names,
// draws its chart and closes with "&Close"; the year-to-date dialogs follow their forms
// from the keyboard and print the choice; the action panel's glance follows posting.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "core/bytes.h"
#include "core/command_ids.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "cycle/slip_form.h"
#include "shell/action_panel.h"
#include "shell/commands.h"
#include "shell/dialogs/quick_overview_dialog.h"
#include "shell/dialogs/year_to_date_dialogs.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/services.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
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

// A congregation in February 2026 with two regular pioneers all year.
void TwoPioneers(CZarimDoc& doc, const std::string& dir) {
  StartEmpty(doc, Date{2026, 3, 10}, dir);
  for (int id : {100, 101}) {
    PubRecord r = MakePublisher(id, "P", id == 100 ? "Adams" : "Brown");
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s) r.pioneer[m][s] = kRegular;
    r.activity[kHours][1][SlotOfYear(26)] = id == 100 ? 50 : 61;  // February
    r.credit[0][SlotOfYear(26)] = id == 100 ? 0 : 7;              // January
    AddRecord(doc, r);
  }
  RefreshDerivedState(doc);
}

TEST(AnalysisDialogs, PioneerYtdFollowsThePioneerAndTheYearAndPrintsTheChoice) {
  TempDir dir;
  CZarimDoc doc;
  TwoPioneers(doc, dir.path());
  PioneerYtdForm form(doc);
  std::vector<int> printed;
  PioneerYtdDialog dialog(form, [&](int code) { printed.push_back(code); });
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pioneer Y-T-D Hours"));
  EXPECT_EQ(dialog.done_button()->text(), QStringLiteral("&Done"));
  // September to February and the totals line.
  ASSERT_EQ(dialog.table()->rowCount(), 7);
  EXPECT_EQ(dialog.table()->item(5, 1)->text(), QStringLiteral("50"));
  QTest::keyClick(dialog.pioneers(), Qt::Key_Down);
  EXPECT_EQ(form.selection(), 1);
  EXPECT_EQ(dialog.table()->item(4, 2)->text(), QStringLiteral("7"));
  EXPECT_EQ(dialog.table()->item(6, 3)->text(), QStringLiteral("68"));
  EXPECT_EQ(dialog.remaining()->text(), QStringLiteral("Total Hours Remaining ( 2026 ) = 532"));
  EXPECT_EQ(dialog.since()->text(), QStringLiteral("Pioneer since September 2025"));
  // The previous service year runs to August and has no remaining lines.
  QTest::keyClick(dialog.previous(), Qt::Key_Space);
  EXPECT_EQ(dialog.table()->rowCount(), 13);
  EXPECT_TRUE(dialog.remaining()->text().isEmpty());
  QTest::keyClick(dialog.print_button(), Qt::Key_Space);
  ASSERT_EQ(printed.size(), 1u);
  PioneerYtdForm again(doc);
  ASSERT_TRUE(again.SetPrintCode(printed[0]));
  EXPECT_EQ(again.selection(), 1);
  EXPECT_TRUE(again.previous());
  QTest::keyClick(dialog.done_button(), Qt::Key_Space);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(AnalysisDialogs, YtdSummaryFollowsCategoryPeriodAndSource) {
  TempDir dir;
  CZarimDoc doc;
  TwoPioneers(doc, dir.path());
  doc.totals.value[1][2 * 9 + 8][SlotOfYear(26)] = 9;  // February as reported to the branch
  YtdSummaryForm form(doc);
  std::vector<int> printed;
  YtdSummaryDialog dialog(form, [&](int code) { printed.push_back(code); });
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Year-to-Date Activity Summary"));
  EXPECT_TRUE(dialog.active_file()->isChecked());
  QTest::keyClick(dialog.category(), Qt::Key_Down);
  QTest::keyClick(dialog.category(), Qt::Key_Down);
  EXPECT_EQ(form.category(), YtdSummaryForm::kRegular);
  // September to February, then "Totals" and "Avgs".
  ASSERT_EQ(dialog.table()->rowCount(), 8);
  EXPECT_EQ(dialog.table()->item(5, 0)->text(), QStringLiteral("Feb"));
  EXPECT_EQ(dialog.table()->item(5, 1)->text(), QStringLiteral("2"));
  EXPECT_EQ(dialog.table()->item(5, 3)->text(), QStringLiteral("111"));
  QTest::keyClick(dialog.period(), Qt::Key_Up);
  EXPECT_EQ(dialog.footer()->text(), QStringLiteral("Tots/Avgs for Last Six Months"));
  dialog.active_file()->setFocus();
  QTest::keyClick(dialog.active_file(), Qt::Key_Right);
  EXPECT_TRUE(dialog.branch()->isChecked());
  EXPECT_TRUE(form.from_branch());
  EXPECT_EQ(dialog.table()->item(5, 1)->text(), QStringLiteral("9"));
  QTest::keyClick(dialog.print_button(), Qt::Key_Space);
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0], YtdSummaryForm::kRegular + 3 * YtdSummaryForm::kLastSix + 9);
}

// Every command ends in the main window's refresh: a slip posted by a command shows in
// the panel's figures at once. The year-to-date commands reach the menus.
TEST(AnalysisDialogs, PanelGlanceFollowsAPostedSlip) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2026, 3, 10}, dir.path());
  AddRecord(doc, MakePublisher(100, "Ann", "Lee"));
  AddRecord(doc, MakePublisher(101, "Bob", "Lee"));
  RefreshDerivedState(doc);
  ShellServices services;
  services.prompter = &prompter;
  CommandTable table;
  RegisterFrameCommands(table);
  RegisterAnalysisCommands(table);
  table.Add(kCmdReportSlips, [](CMainFrame& frame) {
    SlipForm slip(frame.doc(), frame.doc().RecordNumberById(101));
    slip.SetShared(true);
    slip.Save();
  });
  CMainFrame frame(doc, services, std::move(table));
  // The year-to-date dialogs are on the menu.
  ASSERT_NE(frame.ActionFor(kCmdPioneerHours), nullptr);
  EXPECT_EQ(frame.ActionFor(kCmdPioneerHours)->text(), QStringLiteral("Pioneer &Hours"));
  ASSERT_NE(frame.ActionFor(kCmdYtdSummary), nullptr);
  QLabel* glance = frame.action_panel()->glance();
  ASSERT_NE(glance, nullptr);
  EXPECT_EQ(glance->accessibleName(), QStringLiteral("The working month at a glance"));
  EXPECT_TRUE(glance->text().contains(QStringLiteral("Reports received: 0 of 2")));
  EXPECT_TRUE(glance->text().contains(QStringLiteral("Missing reports: 2")));
  frame.action_panel()->ButtonFor(kCmdReportSlips)->click();
  EXPECT_TRUE(glance->text().contains(QStringLiteral("Reports received: 1 of 2")))
      << glance->text().toStdString();
  EXPECT_TRUE(glance->text().contains(QStringLiteral("Missing reports: 1")));
  EXPECT_EQ(glance->accessibleDescription(), glance->text());
}

}  // namespace
}  // namespace zarim
