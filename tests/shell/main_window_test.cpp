// The main window built from the command table: menus hold exactly the present commands
// with their captions, Save follows the modified flag, the panel's buttons run their
// commands, the report view and the action panel take turns, and the close path.
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "core/command_catalog.h"
#include "core/document.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "reports/branch_report.h"
#include "shell/action_panel.h"
#include "shell/commands.h"
#include "shell/feature_commands.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

// Every action reachable from the menu bar, by its text.
QStringList MenuTexts(QMenuBar* bar) {
  QStringList out;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* a : menu->actions()) {
      if (a->menu())
        walk(a->menu());
      else if (!a->isSeparator())
        out << a->text();
    }
  };
  for (QAction* top : bar->actions())
    if (top->menu()) walk(top->menu());
  return out;
}

class MainWindowTest : public ::testing::Test {
 protected:
  // The folder is opened by its owner, as the program opens it: only the owner saves.
  MainWindowTest() : owner_(&prompter_), doc_(owner_.doc()) {
    EXPECT_TRUE(testing::OpenOwner(owner_, dir_.path(), clock_));
    StartEmpty(doc_, Date{2024, 3, 10}, dir_.path());
    services_.prompter = &prompter_;
    services_.congregation = &owner_;
  }
  std::unique_ptr<CMainFrame> Frame(CommandTable table) {
    return std::make_unique<CMainFrame>(doc_, services_, std::move(table));
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  FixedClock clock_{Date{2024, 3, 10}};
  Congregation owner_;
  CZarimDoc& doc_;
  ShellServices services_;
};

TEST_F(MainWindowTest, MenusHoldOnlyThePresentCommandsWithTheirCaptions) {
  CommandTable table;
  RegisterFrameCommands(table);
  int slips_runs = 0;
  table.Add(kCmdReportSlips, [&](CMainFrame&) { ++slips_runs; });
  auto frame = Frame(std::move(table));
  QStringList texts = MenuTexts(frame->menuBar());
  EXPECT_TRUE(texts.contains("&Save"));
  EXPECT_TRUE(texts.contains("E&xit"));
  EXPECT_TRUE(texts.contains("Return to &Action Panel"));
  EXPECT_TRUE(texts.contains("&About ZARIM..."));
  EXPECT_TRUE(texts.contains("&Report Slips"));
  EXPECT_EQ(texts.filter("Startup Notice").size(), 1);
  // Every entry, in menus and submenus alike, has an access key.
  for (const QString& text : texts) EXPECT_TRUE(text.contains('&')) << text.toStdString();
  // Commands without a handler appear nowhere.
  EXPECT_FALSE(texts.contains("&Publishers"));
  EXPECT_FALSE(texts.contains("Backup"));
  EXPECT_EQ(frame->ActionFor(kCmdPublishers), nullptr);
  // Menus without any present command are not on the menu bar.
  QStringList menus;
  for (QAction* a : frame->menuBar()->actions()) menus << a->text();
  EXPECT_TRUE(menus.contains("&File"));
  EXPECT_TRUE(menus.contains("Pos&t"));
  EXPECT_FALSE(menus.contains("Fo&nts"));
  // The status text doubles as the tool tip.
  EXPECT_EQ(frame->ActionFor(kCmdSave)->toolTip(), "Save the active document");
  EXPECT_EQ(frame->ActionFor(kCmdSave)->statusTip(), "Save the active document");
  EXPECT_EQ(frame->ActionFor(kCmdSave)->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(frame->ActionFor(kCmdReturnToPanel)->shortcut(), QKeySequence(Qt::Key_Escape));
}

TEST_F(MainWindowTest, SaveIsEnabledOnlyAfterAChangeAndNotInTheHistoryView) {
  CommandTable table;
  RegisterFrameCommands(table);
  auto frame = Frame(std::move(table));
  QAction* save = frame->ActionFor(kCmdSave);
  ASSERT_NE(save, nullptr);
  EXPECT_FALSE(save->isEnabled());
  frame->RunCommand(kCmdNoStartupNotice);  // a change of a setting marks the document
  EXPECT_TRUE(doc_.modified);
  EXPECT_TRUE(save->isEnabled());
  EXPECT_TRUE(frame->ActionFor(kCmdNoStartupNotice)->isChecked());
  doc_.history_view = 1;
  frame->Refresh();
  EXPECT_FALSE(save->isEnabled());
  doc_.history_view = 0;
  frame->Refresh();
  save->trigger();
  EXPECT_FALSE(doc_.modified);
  EXPECT_FALSE(save->isEnabled());
  EXPECT_FALSE(testing::FolderContents(dir_.path()).empty());
  frame->RunCommand(kCmdSortFirstName, false);
  EXPECT_TRUE(doc_.modified);
}

TEST_F(MainWindowTest, PanelButtonsRunTheirCommandsAndFollowTheHistoryView) {
  CommandTable table;
  RegisterFrameCommands(table);
  std::vector<int> ran;
  for (int id : {kCmdReportSlips, kCmdNoReport, kCmdHistory, kCmdHistoryReturn})
    table.Add(id, [&ran, id](CMainFrame&) { ran.push_back(id); });
  auto frame = Frame(std::move(table));
  ActionPanel* panel = frame->action_panel();
  QPushButton* post = panel->ButtonFor(kCmdReportSlips);
  ASSERT_NE(post, nullptr);
  EXPECT_EQ(post->text(), "&Post Reports");
  // The panel runs the command even where the menu item would be disabled (no publisher).
  post->click();
  panel->ButtonFor(kCmdNoReport)->click();
  EXPECT_EQ(ran, (std::vector<int>{kCmdReportSlips, kCmdNoReport}));
  EXPECT_EQ(panel->ButtonFor(kCmdPublishers), nullptr);  // no handler, no button
  EXPECT_FALSE(panel->history_return_button()->isVisibleTo(panel));

  doc_.history_view = 1;
  doc_.live_working_month = 1;  // February
  frame->Refresh();
  EXPECT_FALSE(post->isEnabled());
  EXPECT_FALSE(panel->ButtonFor(kCmdHistory)->isEnabled());
  EXPECT_TRUE(panel->ButtonFor(kCmdNoReport)->isEnabled());
  QPushButton* back = panel->history_return_button();
  EXPECT_TRUE(back->isVisibleTo(panel));
  EXPECT_EQ(back->text(), "February 2024 ->");
  back->click();
  EXPECT_EQ(ran.back(), kCmdHistoryReturn);
}

// The branch report's panel button: named as the others, with an access key, pressed from
// the keyboard.
TEST_F(MainWindowTest, PanelBranchReportButtonShowsTheReportFromTheKeyboard) {
  CommandTable table;
  RegisterFrameCommands(table);
  RegisterPostingCommands(table);
  auto frame = Frame(std::move(table));
  frame->show();
  QApplication::setActiveWindow(frame.get());
  QPushButton* branch = frame->action_panel()->ButtonFor(kCmdBranchReport);
  ASSERT_NE(branch, nullptr);
  EXPECT_EQ(branch->text(), "Report to the &Branch Office");
  EXPECT_EQ(branch->accessibleName(), "Report to the Branch Office");
  branch->setFocus();
  QTest::keyClick(branch, Qt::Key_Space);
  EXPECT_EQ(frame->report_kind(), kBranchReportKind);
}

TEST_F(MainWindowTest, PanelLeavesNoGapWhereATaskHasNoCommand) {
  CommandTable table;
  RegisterFrameCommands(table);
  // Only the last task of each column has a command of its own.
  const auto buttons = PanelButtons();
  for (int id : {buttons[11].command, buttons.back().command}) table.Add(id, [](CMainFrame&) {});
  auto frame = Frame(std::move(table));
  ActionPanel* panel = frame->action_panel();
  auto* grid = panel->findChild<QGridLayout*>();
  ASSERT_NE(grid, nullptr);
  for (int column : {0, 1}) {
    int present = 0;
    for (size_t i = column == 0 ? 0 : 12; i < (column == 0 ? 12 : buttons.size()); ++i)
      present += panel->ButtonFor(buttons[i].command) != nullptr;
    ASSERT_GT(present, 0);
    for (int row = 0; row < present; ++row) {
      QLayoutItem* item = grid->itemAtPosition(row, column);
      EXPECT_TRUE(item && qobject_cast<QPushButton*>(item->widget())) << column << "/" << row;
    }
  }
}

TEST_F(MainWindowTest, ReportViewAndActionPanelTakeTurns) {
  CommandTable table;
  RegisterFrameCommands(table);
  table.AddReport(kCmdTelephoneCongregation, 50);
  auto frame = Frame(std::move(table));
  QAction* back = frame->ActionFor(kCmdReturnToPanel);
  EXPECT_FALSE(back->isEnabled());
  frame->action_panel()->ButtonFor(kCmdTelephoneCongregation)->click();
  EXPECT_TRUE(frame->report_shown());
  EXPECT_EQ(frame->report_kind(), 50);
  EXPECT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_FALSE(frame->report_shown());
  EXPECT_FALSE(back->isEnabled());
}

TEST_F(MainWindowTest, StatusPaneNamesTheWorkingMonth) {
  CommandTable table;
  RegisterFrameCommands(table);
  auto frame = Frame(std::move(table));
  QList<QLabel*> labels = frame->findChildren<QLabel*>();
  bool found = false;
  for (QLabel* l : labels) found |= l->text() == "  Working Month = February 2024";
  EXPECT_TRUE(found);
  // Said once: the message pane does not repeat it (as after the report slips).
  frame->ShowStatusMessage("  Working Month = February 2024");
  EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
}

TEST_F(MainWindowTest, StatusBarSaysWhereAnExportWent) {
  AddRecord(doc_, MakePublisher(10, "Ann", "Adams"));
  CommandTable table;
  RegisterExchangeCommands(table);
  auto frame = Frame(std::move(table));
  ASSERT_TRUE(frame->RunCommand(kCmdExportContacts));
  const QString said = frame->statusBar()->currentMessage();
  ASSERT_TRUE(said.startsWith("Exported /")) << said.toStdString();
  EXPECT_TRUE(QFileInfo::exists(said.mid(9))) << said.toStdString();
}

TEST_F(MainWindowTest, CloseAsksToSaveAndCancelKeepsTheWindow) {
  CommandTable table;
  RegisterFrameCommands(table);
  auto frame = Frame(std::move(table));
  frame->show();
  doc_.MarkModified();
  prompter_.Script(Answer::kCancel);
  EXPECT_FALSE(frame->close());
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_EQ(prompter_.messages.back(), "Save Changes?");
  EXPECT_TRUE(frame->isVisible());

  frame->SetPrintPreview(true);
  EXPECT_FALSE(frame->close());
  EXPECT_EQ(prompter_.messages.back(), "Use Close Button");
  frame->SetPrintPreview(false);

  prompter_.Script(Answer::kNo);
  EXPECT_TRUE(frame->close());
}

TEST_F(MainWindowTest, PublisherRulesReachTheMenu) {
  CommandTable table;
  RegisterFrameCommands(table);
  for (int id : {kCmdAuxPioneers, kCmdReportSlips, kCmdMoveOuts, kCmdExportMonthlyReport})
    table.Add(id, [](CMainFrame&) {});
  auto frame = Frame(std::move(table));
  EXPECT_FALSE(frame->ActionFor(kCmdReportSlips)->isEnabled());
  EXPECT_FALSE(frame->RunCommand(kCmdReportSlips));  // a disabled command does not run
  AddRecord(doc_, MakePublisher(10, "Ann", "Lee"));
  frame->Refresh();
  EXPECT_TRUE(frame->ActionFor(kCmdReportSlips)->isEnabled());
  doc_.history_view = 1;
  frame->Refresh();
  EXPECT_FALSE(frame->ActionFor(kCmdAuxPioneers)->isEnabled());
  EXPECT_TRUE(frame->ActionFor(kCmdExportMonthlyReport)->isEnabled());
}

}  // namespace
}  // namespace zarim

namespace zarim {
namespace {

TEST_F(MainWindowTest, ContextHelpTextsAndF6BackToThePane) {
  CommandTable table;
  RegisterFrameCommands(table);
  table.Add(kCmdReportSlips, [](CMainFrame&) {});
  auto frame = Frame(std::move(table));
  frame->show();
  QApplication::setActiveWindow(frame.get());
  // Context Help has a text for every command and panel button.
  QAction* save = frame->ActionFor(kCmdSave);
  ASSERT_NE(save, nullptr);
  EXPECT_FALSE(save->whatsThis().isEmpty());
  EXPECT_EQ(save->whatsThis(), save->statusTip());
  QPushButton* post = frame->action_panel()->ButtonFor(kCmdReportSlips);
  ASSERT_NE(post, nullptr);
  EXPECT_FALSE(post->whatsThis().isEmpty());
  // With the focus outside the pane, F6 brings it back into the action panel.
  frame->statusBar()->setFocusPolicy(Qt::StrongFocus);
  frame->statusBar()->setFocus();
  QApplication::processEvents();
  QTest::keyClick(frame.get(), Qt::Key_F6);
  QApplication::processEvents();
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(frame->action_panel() == focus || frame->action_panel()->isAncestorOf(focus));
}

}  // namespace
}  // namespace zarim
