// The "Report Slip Posting" and backup dialogs are bound to their forms: the buttons the
// form shows, their captions and names, and what a click does.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "../backup/backup_fixture.h"
#include "core/month.h"
#include "cycle/collection.h"
#include "cycle/posting_decision_form.h"
#include "shell/dialogs/backup_dialog.h"
#include "shell/dialogs/posting_decision_dialog.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

class DecisionDialog : public ::testing::Test {
 protected:
  void Start(int day) {
    StartEmpty(doc_, Date{2026, 5, day}, dir_.path());
    AddRecord(doc_, MakePublisher(100, "Anna", "Berg"));
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  CZarimDoc doc_{&prompter_};
};

TEST_F(DecisionDialog, EarlyInTheMonthOffersThePreviousMonth) {
  Start(3);
  SetCollectionStateOf(doc_, 2, MonthCollection::kOpen);
  PostingDecisionForm form(doc_);
  PostingDecisionDialog dialog(form, prompter_);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Report Slip Posting"));
  EXPECT_FALSE(dialog.reopen_button()->isHidden());
  EXPECT_EQ(dialog.reopen_button()->text(),
            QStringLiteral("Reopen and continue report collection for March 2026"));
  EXPECT_EQ(dialog.reopen_button()->accessibleName(), dialog.reopen_button()->text());
  EXPECT_TRUE(dialog.reopen_button()->isDefault());
  EXPECT_EQ(dialog.initialize_button()->text(),
            QStringLiteral("Initialize and open report collection for April 2026"));
  EXPECT_TRUE(dialog.initialize_next_button()->isHidden());
  EXPECT_TRUE(dialog.suggestion_button()->isHidden());
  dialog.reopen_button()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(form.result_serial(), Serial(26, 2));
}

TEST_F(DecisionDialog, LateInTheMonthEveryChoiceAndTheQuestion) {
  Start(26);
  SetCollectionStateOf(doc_, 3, MonthCollection::kClosed);
  PostingDecisionForm form(doc_);
  PostingDecisionDialog dialog(form, prompter_);
  EXPECT_FALSE(dialog.suggestion_button()->isHidden());
  EXPECT_EQ(dialog.suggestion_button()->text(), QStringLiteral("Suggestion !"));
  EXPECT_EQ(dialog.initialize_button()->text(),
            QStringLiteral("Reinitialize and open report collection for April 2026"));
  EXPECT_FALSE(dialog.initialize_next_button()->isHidden());
  EXPECT_EQ(dialog.initialize_next_button()->text(),
            QStringLiteral("Initialize and open report collection for May 2026"));
  dialog.suggestion_button()->click();
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0].rfind("Suggestion:  Normally", 0), 0u);
  prompter_.Script(Answer::kCancel);
  dialog.initialize_button()->click();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(form.decided());
  prompter_.Script(Answer::kOk);
  dialog.initialize_next_button()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(form.initialize_requested());
  EXPECT_EQ(form.result_serial(), Serial(26, 4));
}

TEST_F(DecisionDialog, CancelLeavesTheDocumentAsItWas) {
  Start(12);
  PostingDecisionForm form(doc_);
  PostingDecisionDialog dialog(form, prompter_);
  EXPECT_EQ(dialog.cancel_button()->text(), QStringLiteral("Cancel"));
  dialog.cancel_button()->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(form.Apply(doc_), "  Working Month = April 2026");
  EXPECT_EQ(CollectionStateOf(doc_, 3), MonthCollection::kNotInitialized);
}

TEST_F(DecisionDialog, EnterPressesTheFocusedButtonNotTheDefaultOne) {
  Start(3);
  SetCollectionStateOf(doc_, 2, MonthCollection::kOpen);
  PostingDecisionForm form(doc_);
  PostingDecisionDialog dialog(form, prompter_);
  dialog.show();
  ASSERT_TRUE(dialog.reopen_button()->isDefault());
  dialog.cancel_button()->setFocus();
  QTest::keyClick(dialog.cancel_button(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(form.decided());
  EXPECT_EQ(CollectionStateOf(doc_, 3), MonthCollection::kNotInitialized);
}

TEST(BackupDialogBinding, BackupModeShowsPathSpaceAndMakesTheSet) {
  testing::BackupFolder f;
  BackupForm form = f.Open(BackupMode::kBackup);
  BackupDialog dialog(form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Backup"));
  EXPECT_TRUE(dialog.restore_group()->isHidden());
  EXPECT_EQ(dialog.path_edit()->text().toStdString(), f.sets.path()) << "no trailing /";
  EXPECT_GE(dialog.path_edit()->width(),
            dialog.path_edit()->fontMetrics().horizontalAdvance(dialog.path_edit()->text()));
  EXPECT_EQ(dialog.path_edit()->accessibleName(), QStringLiteral("Backup path"));
  EXPECT_TRUE(dialog.required_label()->text().startsWith(QStringLiteral("Required space: ")));
  EXPECT_EQ(dialog.required_label()->accessibleName(), dialog.required_label()->text());
  dialog.set_folder_chooser([&](const QString&) { return QString::fromStdString(f.data.path()); });
  dialog.browse_button()->click();
  EXPECT_EQ(dialog.path_edit()->text().toStdString(), f.data.path());
  dialog.ok_button()->setFocus();
  QTest::keyClick(dialog.ok_button(), Qt::Key_Return);
  const QString set = QString::fromStdString(f.data.File("Zr9_1432_2026Dec08"));
  EXPECT_EQ(dialog.status_label()->text(),
            QStringLiteral("Backup is complete!\nThe backup set is the folder ") + set);
  EXPECT_TRUE(dialog.status_label()->accessibleName().endsWith(set)) << "the value is said";
  EXPECT_EQ(dialog.ok_button()->text(), QStringLiteral("Close"));
  EXPECT_TRUE(dialog.cancel_button()->isHidden()) << "Close or Cancel, not both";
  EXPECT_TRUE(std::filesystem::is_directory(set.toStdString()));
  QTest::keyClick(dialog.ok_button(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(BackupDialogBinding, RestoreModeListTicksAndUndo) {
  testing::BackupFolder f;
  f.BackupAt(8, 0);
  f.BackupAt(9, 0);
  BackupForm form = f.Open(BackupMode::kRestore);
  BackupDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Restore"));
  EXPECT_FALSE(dialog.restore_group()->isHidden());
  EXPECT_TRUE(dialog.browse_button()->isHidden()) << "one Browse: the list's own";
  ASSERT_EQ(dialog.list()->count(), 3);
  EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("Backup sets"));
  EXPECT_FALSE(dialog.list()->item(0)->flags() & Qt::ItemIsSelectable);
  EXPECT_EQ(dialog.list()->item(2)->text(), QStringLiteral("Tuesday, December 8, 2026 8:00 AM"));
  EXPECT_TRUE(dialog.latest_box()->isChecked());
  EXPECT_TRUE(dialog.undo_box()->isHidden());
  dialog.list()->setFocus();
  dialog.list()->setCurrentRow(1);
  QTest::keyClick(dialog.list(), Qt::Key_Down);
  EXPECT_FALSE(dialog.latest_box()->isChecked());
  EXPECT_EQ(form.Source(), f.sets.File("Zr9_0800_2026Dec08"));
  dialog.set_folder_chooser([&](const QString&) { return QString::fromStdString(f.sets.path()); });
  EXPECT_EQ(dialog.switch_button()->text(), QStringLiteral("Browse for a backup set"));
  dialog.switch_button()->click();
  EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("[Zr9_0800_2026Dec08]"));
  EXPECT_TRUE(dialog.ok_button()->isHidden());
  dialog.list()->setCurrentRow(0);
  EXPECT_FALSE(dialog.ok_button()->isHidden());
  dialog.ok_button()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  BackupForm again = f.Open(BackupMode::kRestore);
  BackupDialog undo_dialog(again);
  EXPECT_FALSE(undo_dialog.undo_box()->isHidden());
  undo_dialog.undo_box()->click();
  EXPECT_TRUE(undo_dialog.status_label()->text().startsWith(
      QStringLiteral("Click OK to reverse ( undo ) last restore : ")));
}

}  // namespace
}  // namespace zarim
