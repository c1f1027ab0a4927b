// The report commands in the main window: the telephone lists reach the report view,
// the group list goes through the picker, and printing follows the shown report.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/command_ids.h"
#include "core/document.h"
#include "reports/attendance_record.h"
#include "reports/report_kind.h"
#include "shell/commands.h"
#include "shell/dialogs/attendance_forms_dialogs.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/report_view.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

class ReportCommandsTest : public ::testing::Test {
 protected:
  ReportCommandsTest() : doc_(&prompter_) {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    services_.prompter = &prompter_;
    doc_.groups.count = 2;
    PubRecord r = MakePublisher(10, "Ann", "Lee");
    r.group = 2;
    AddRecord(doc_, r);
    CommandTable table;
    RegisterFrameCommands(table);
    RegisterReportCommands(table);
    RegisterListCommands(table);
    frame_ = std::make_unique<CMainFrame>(doc_, services_, std::move(table));
    frame_->show();
  }
  ReportView* view() { return qobject_cast<ReportView*>(frame_->report_view()); }

  TempDir dir_;
  ScriptedPrompter prompter_;
  CZarimDoc doc_;
  ShellServices services_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(ReportCommandsTest, TelephoneListShowsInTheViewAndPrintingFollowsIt) {
  ASSERT_NE(view(), nullptr);
  for (int id : {kCmdPrint, kCmdPrintPreview, kCmdSaveAsPdf, kCmdReturnToPanel}) {
    ASSERT_NE(frame_->ActionFor(id), nullptr) << id;
    EXPECT_FALSE(frame_->ActionFor(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(frame_->RunCommand(kCmdTelephoneCongregation));
  EXPECT_TRUE(frame_->report_shown());
  EXPECT_EQ(view()->display_mode(), ReportView::kReport);
  EXPECT_EQ(view()->kind(), report_kind::kTelephoneCongregation);
  for (int id : {kCmdPrint, kCmdPrintPreview, kCmdSaveAsPdf, kCmdReturnToPanel})
    EXPECT_TRUE(frame_->ActionFor(id)->isEnabled()) << id;
  // Esc in the view goes back to the action panel.
  QTest::keyClick(view(), Qt::Key_Escape);
  EXPECT_FALSE(frame_->report_shown());
}

TEST_F(ReportCommandsTest, GroupListGoesThroughThePicker) {
  bool saw_picker = false;
  QTimer::singleShot(0, [&] {
    auto* picker = qobject_cast<GroupPickerDialog*>(QApplication::activeModalWidget());
    if (!picker) return;
    saw_picker = true;
    EXPECT_FALSE(picker->ok_button()->isEnabled());  // group 1 has nobody
    picker->list()->setCurrentIndex(1);
    picker->ok_button()->click();
  });
  frame_->RunCommand(kCmdTelephoneGroup);
  EXPECT_TRUE(saw_picker);
  EXPECT_TRUE(frame_->report_shown());
  EXPECT_EQ(view()->kind(), report_kind::kTelephoneGroup);
  EXPECT_EQ(view()->group(), 2);
}

TEST_F(ReportCommandsTest, CancelledPickerLeavesTheViewAlone) {
  QTimer::singleShot(0, [] {
    if (auto* picker = qobject_cast<GroupPickerDialog*>(QApplication::activeModalWidget()))
      picker->reject();
  });
  frame_->RunCommand(kCmdTelephoneGroup);
  EXPECT_FALSE(frame_->report_shown());
}

TEST_F(ReportCommandsTest, EmergencyFormsShowTheTickedHouseholdsOfThePickedGroup) {
  // Nothing ticked prints nothing: the view stays away.
  QTimer::singleShot(0, [] {
    if (auto* d = qobject_cast<EmergencyFormsDialog*>(QApplication::activeModalWidget()))
      d->accept();
  });
  frame_->RunCommand(kCmdEmergencyForms);
  EXPECT_FALSE(frame_->report_shown());

  bool saw_picker = false;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<EmergencyFormsDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    QTimer::singleShot(0, [&] {
      auto* picker = qobject_cast<GroupPickerDialog*>(QApplication::activeModalWidget());
      if (!picker) return;
      saw_picker = true;
      picker->list()->setCurrentIndex(1);
      picker->ok_button()->click();
    });
    d->group_button()->click();
    ASSERT_EQ(d->list()->count(), 1);
    d->list()->item(0)->setCheckState(Qt::Checked);
    d->accept();
  });
  frame_->RunCommand(kCmdEmergencyForms);
  EXPECT_TRUE(saw_picker);
  ASSERT_TRUE(frame_->report_shown());
  EXPECT_EQ(view()->kind(), report_kind::kEmergencyFormsGroup);
  EXPECT_EQ(view()->group(), 2);
  EXPECT_EQ(view()->selection().records, std::vector<int>{doc_.RecordNumberById(10)});
}

TEST_F(ReportCommandsTest, AttendanceRecordShowsTheChosenServiceYear) {
  QTimer::singleShot(0, [] {
    auto* d = qobject_cast<AttendanceRecordDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    d->years()->setCurrentIndex(1);
    d->two_years()->setChecked(true);
    d->accept();
  });
  frame_->RunCommand(kCmdAttendanceRecord);
  ASSERT_TRUE(frame_->report_shown());
  EXPECT_EQ(view()->kind(), kAttendanceRecordKind);
  EXPECT_EQ(view()->selection().service_year, AttendanceRecordYears(doc_)[1]);
  EXPECT_TRUE(view()->selection().two_years);
}

TEST_F(ReportCommandsTest, FontAndFormatCommandsArePresent) {
  for (int id : {kCmdFontTitles, kCmdFontSubtitles, kCmdFontHeadings, kCmdFontText, kCmdFontSmall,
                 kCmdFontDefaults, kCmdReportFormat, kCmdPrintSetup}) {
    ASSERT_NE(frame_->ActionFor(id), nullptr) << id;
    EXPECT_TRUE(frame_->ActionFor(id)->isEnabled()) << id;
  }
  // "&Defaults" puts the Arial set back.
  FontSpec odd = view()->fonts().Get(FontRole::kTitle);
  odd.face = "Liberation Mono";
  view()->fonts().Set(FontRole::kTitle, odd);
  frame_->RunCommand(kCmdFontDefaults);
  EXPECT_EQ(view()->fonts().Get(FontRole::kTitle).face, "Arial");
}

}  // namespace
}  // namespace zarim
