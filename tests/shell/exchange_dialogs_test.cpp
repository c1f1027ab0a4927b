// The export commands in the main window: "Export Monthly Report" through its dialog to
// the file and the folder question, and the XML export chooser bound to its form.
#include "shell/dialogs/exchange_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/command_ids.h"
#include "core/desktop_ports.h"
#include "core/file_io.h"
#include "exchange/exports_folder.h"
#include "shell/commands.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "support/test_support.h"

namespace zarim {
namespace {

class RecordingShell : public DesktopShell {
 public:
  bool Open(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;
};

class ExchangeCommandsTest : public ::testing::Test {
 protected:
  ExchangeCommandsTest() : doc_(&prompter_) {
    testing::StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    services_.prompter = &prompter_;
    services_.desktop = &shell_;
    testing::AddRecord(doc_, testing::MakePublisher(10, "Ann", "Lee"));
    CommandTable table;
    RegisterFrameCommands(table);
    RegisterExchangeCommands(table);
    frame_ = std::make_unique<CMainFrame>(doc_, services_, std::move(table));
    frame_->show();
  }

  testing::TempDir dir_;
  testing::ScriptedPrompter prompter_;
  RecordingShell shell_;
  CZarimDoc doc_;
  ShellServices services_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(ExchangeCommandsTest, MonthlyReportGoesThroughItsDialogToTheFile) {
  bool saw_dialog = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ExportDataDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    saw_dialog = true;
    EXPECT_EQ(dialog->months()->currentIndex(), 10);  // November, the working month
    EXPECT_TRUE(dialog->comma()->isChecked());
    EXPECT_FALSE(dialog->header()->isChecked());
    EXPECT_FALSE(dialog->tab()->accessibleName().isEmpty());
    dialog->months()->setCurrentIndex(2);
    dialog->tab()->setChecked(true);
    dialog->header()->setChecked(true);
    dialog->accept();
  });
  prompter_.Script(Answer::kYes);
  ASSERT_TRUE(frame_->RunCommand(kCmdExportMonthlyReport));
  EXPECT_TRUE(saw_dialog);
  const std::string path = ExportPath(dir_.path(), "March.rpt");
  auto bytes = ReadFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()).rfind("Name \tGroup \t", 0), 0u);
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_EQ(prompter_.messages.back(), "Exported " + path + "\nShow in Folder?");
  EXPECT_EQ(shell_.opened, std::vector<std::string>{ExportsFolderPath(dir_.path())});
}

TEST_F(ExchangeCommandsTest, XmlExportChooserFollowsItsForm) {
  XmlExportForm form(doc_);
  XmlExportDialog dialog(form);
  EXPECT_EQ(dialog.lists()->count(), 3);
  ASSERT_EQ(dialog.people()->count(), 1);
  EXPECT_EQ(dialog.people()->item(0)->text(), "Ann Lee");
  EXPECT_TRUE(dialog.ok_button()->isEnabled());
  dialog.people()->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(form.IsChosen(0));
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  dialog.lists()->setCurrentIndex(2);  // nobody among the non-publishers
  EXPECT_EQ(form.list(), XmlList::kNonPublishers);
  EXPECT_EQ(dialog.people()->count(), 0);
}

}  // namespace
}  // namespace zarim
