// The month and backup commands in the main window: "&Report Slips" through the decision
// dialog, viewing an old report with the data commands disabled, and the return.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "core/command_ids.h"
#include "cycle/collection.h"
#include "cycle/congregation.h"
#include "cycle/roll.h"
#include "shell/commands.h"
#include "shell/dialogs/posting_decision_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

class MonthCommandsTest : public ::testing::Test {
 protected:
  MonthCommandsTest() : clock_(Date{2026, 5, 10}), owner_(&prompter_), doc_(owner_.doc()) {
    EXPECT_TRUE(testing::OpenOwner(owner_, dir_.path(), clock_));
    StartEmpty(doc_, Date{2026, 5, 10}, dir_.path());  // working month April
    PubRecord r = MakePublisher(100, "Ann", "Lee");
    r.activity[kHours][2][0] = 5;
    AddRecord(doc_, r);
    owner_.Save();
    services_.prompter = &prompter_;
    services_.congregation = &owner_;
    services_.clock = &clock_;
  }
  void OpenFrame() {
    CommandTable table;
    RegisterFrameCommands(table);
    RegisterMonthCommands(table);
    frame_ = std::make_unique<CMainFrame>(doc_, services_, std::move(table));
    frame_->show();
  }

  TempDir dir_;
  ScriptedPrompter prompter_;
  FixedClock clock_;
  Congregation owner_;
  CZarimDoc& doc_;
  ShellServices services_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MonthCommandsTest, ReportSlipsInitializesThroughTheDecisionDialog) {
  OpenFrame();
  bool saw_decision = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<PostingDecisionDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    saw_decision = true;
    // The posting list that follows is closed as soon as it shows.
    QTimer::singleShot(0, [] {
      if (QWidget* w = QApplication::activeModalWidget()) qobject_cast<QDialog*>(w)->reject();
    });
    dialog->initialize_button()->click();
  });
  EXPECT_TRUE(frame_->RunCommand(kCmdReportSlips));
  EXPECT_TRUE(saw_decision);
  EXPECT_EQ(CollectionStateOf(doc_, 3), MonthCollection::kOpen);
  // The snapshot of March was taken, so its old report can now be viewed.
  EXPECT_EQ(doc_.history_month_mask, 1u << 1);
}

TEST_F(MonthCommandsTest, AnOldReportDisablesTheDataCommandsUntilTheReturn) {
  TakeRollSnapshot(doc_, 3);
  doc_.FindById(100)->activity[kHours][2][0] = 9;
  owner_.Save();
  doc_.history_month_mask = ComputeHistoryMonthMask(doc_);
  OpenFrame();
  ASSERT_NE(frame_->ActionFor(kCmdOldReport1), nullptr);
  EXPECT_TRUE(frame_->ActionFor(kCmdOldReport1)->isEnabled());
  EXPECT_EQ(frame_->ActionFor(kCmdOldReport1)->text(), QStringLiteral("March 2026"));
  EXPECT_FALSE(frame_->ActionFor(kCmdOldReport2)->isEnabled());
  EXPECT_TRUE(frame_->ActionFor(kCmdBackup)->isEnabled());

  EXPECT_TRUE(frame_->RunCommand(kCmdOldReport1));
  EXPECT_TRUE(doc_.history_view);
  EXPECT_EQ(doc_.FindById(100)->activity[kHours][2][0], 5);
  EXPECT_FALSE(frame_->ActionFor(kCmdBackup)->isEnabled());
  EXPECT_FALSE(frame_->ActionFor(kCmdReportSlips)->isEnabled());

  EXPECT_TRUE(frame_->RunCommand(kCmdHistoryReturn, false));
  EXPECT_FALSE(doc_.history_view);
  EXPECT_EQ(doc_.FindById(100)->activity[kHours][2][0], 9);
  EXPECT_TRUE(frame_->ActionFor(kCmdBackup)->isEnabled());
}

}  // namespace
}  // namespace zarim
