// The status and attendance dialogs are bound to their forms: the inactive dialog moves
// publishers through its real buttons and the "Select Month" dialog, and the attendance
// dialog takes a month typed from the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>
#include <memory>

#include "core/document.h"
#include "shell/dialogs/attendance_dialog.h"
#include "shell/dialogs/inactive_dialog.h"
#include "shell/dialogs/moveouts_dialog.h"
#include "shell/dialogs/select_month_dialog.h"
#include "shell/dialogs/status_dialog.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

// Answers the next "Select Month" dialog: runs `act` on it once it is the active modal
// window. Fails the test when none appears.
void AnswerMonthDialog(std::function<void(SelectMonthDialog&)> act) {
  auto tries = std::make_shared<int>(0);
  auto poll = std::make_shared<std::function<void()>>();
  // The poll holds itself only weakly; each pending timer holds it strongly.
  std::weak_ptr<std::function<void()>> self = poll;
  *poll = [act, tries, self] {
    auto* dialog = qobject_cast<SelectMonthDialog*>(QApplication::activeModalWidget());
    if (dialog) {
      act(*dialog);
      return;
    }
    if (++*tries > 200) {
      ADD_FAILURE() << "no Select Month dialog appeared";
      return;
    }
    if (auto again = self.lock()) QTimer::singleShot(5, [again] { (*again)(); });
  };
  QTimer::singleShot(0, [poll] { (*poll)(); });
}

class StatusDialogsTest : public ::testing::Test {
 protected:
  StatusDialogsTest() {
    StartEmpty(doc_, Date{2026, 5, 10}, dir_.path());  // working month April 2026
    doc_.modified = 0;
  }
  int Add(int id, const char* first, const char* last, uint8_t status) {
    AddRecord(doc_, MakePublisher(id, first, last, status));
    return doc_.count - 1;
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  CZarimDoc doc_{&prompter_};
};

TEST_F(StatusDialogsTest, InactiveDialogTransfersAndReactivatesThroughItsButtons) {
  int candidate = Add(11, "Cora", "Candidate", kActive);
  int inactive = Add(12, "Ines", "Inactive", kInactive);
  doc_.records[inactive].status_month = 2 << 4;
  doc_.records[inactive].status_year = 26;
  InactiveForm form(doc_, InactiveForm::Mode::kInactive);
  InactiveDialog dialog(doc_, form);
  EXPECT_EQ(dialog.windowTitle(),
            QStringLiteral("Add - Edit - Delete - Reactivate Inactive Publishers"));
  ASSERT_EQ(dialog.right_list()->count(), 1);
  ASSERT_EQ(dialog.left_list()->count(), 1);
  EXPECT_FALSE(dialog.move_button()->isEnabled());
  EXPECT_EQ(dialog.period_button()->text(), QStringLiteral("Last Six Months"));

  dialog.right_list()->setCurrentRow(0);
  EXPECT_EQ(dialog.move_button()->text(), QStringLiteral("Transfer to Inactive"));
  ASSERT_TRUE(dialog.move_button()->isEnabled());
  QString prompt;
  AnswerMonthDialog([&](SelectMonthDialog& month) {
    prompt = month.findChild<QLabel*>()->text();
    ASSERT_NE(month.year_list(), nullptr);
    month.month_list()->setCurrentRow(2);  // March
    QTest::keyClick(month.month_list(), Qt::Key_Return);
  });
  QTest::mouseClick(dialog.move_button(), Qt::LeftButton);
  EXPECT_EQ(prompt, QStringLiteral("Month in which Cora Candidate became inactive"));
  EXPECT_EQ(doc_.records[candidate].status, kInactive);
  EXPECT_EQ(doc_.records[candidate].status_month, 3 << 4);
  EXPECT_EQ(doc_.records[candidate].status_year, 26);
  EXPECT_EQ(dialog.right_list()->count(), 0);
  EXPECT_EQ(dialog.left_list()->count(), 2);

  dialog.left_list()->setCurrentRow(1);  // Ines, in record order
  EXPECT_EQ(dialog.move_button()->text(), QStringLiteral("Reactivate"));
  AnswerMonthDialog([](SelectMonthDialog& month) {
    EXPECT_EQ(month.year_list(), nullptr);
    month.month_list()->setCurrentRow(3);  // April
    month.accept();
  });
  QTest::mouseClick(dialog.move_button(), Qt::LeftButton);
  EXPECT_EQ(doc_.records[inactive].status, kActive);
  EXPECT_EQ(doc_.records[inactive].status_month, (4 << 4) | 2);
  EXPECT_EQ(dialog.left_list()->count(), 1);

  // Cancel in the month dialog changes nothing.
  dialog.left_list()->setCurrentRow(0);
  PubRecord before = doc_.records[candidate];
  AnswerMonthDialog(
      [](SelectMonthDialog& month) { QTest::keyClick(month.month_list(), Qt::Key_Escape); });
  QTest::mouseClick(dialog.move_button(), Qt::LeftButton);
  EXPECT_EQ(std::memcmp(&before, &doc_.records[candidate], sizeof before), 0);

  QTest::mouseClick(dialog.period_button(), Qt::LeftButton);
  EXPECT_EQ(dialog.period_button()->text(), QStringLiteral("Service Year"));
}

TEST_F(StatusDialogsTest, DeletedModeShowsOneListAndRestores) {
  int deleted = Add(11, "Dora", "Deleted", kDeleted);
  InactiveForm form(doc_, InactiveForm::Mode::kDeleted);
  InactiveDialog dialog(doc_, form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit - Permanently Delete - Restore"));
  EXPECT_FALSE(dialog.right_list()->isVisible());
  EXPECT_FALSE(dialog.period_button()->isVisible());
  dialog.left_list()->setCurrentRow(0);
  EXPECT_EQ(dialog.move_button()->text(), QStringLiteral("Restore"));
  EXPECT_TRUE(dialog.delete_button()->isVisible());
  AnswerMonthDialog([](SelectMonthDialog& month) { month.accept(); });
  QTest::mouseClick(dialog.move_button(), Qt::LeftButton);
  EXPECT_EQ(doc_.records[deleted].status, kActive);
  EXPECT_EQ(dialog.left_list()->count(), 0);
}

TEST_F(StatusDialogsTest, MoveOutsDialogMovesAndUndoes) {
  int active = Add(11, "Alma", "Active", kActive);
  MoveOutsForm form(doc_);
  MoveOutsDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Move Outs"));
  dialog.publisher_list()->setCurrentRow(0);
  AnswerMonthDialog([](SelectMonthDialog& month) { month.accept(); });
  QTest::mouseClick(dialog.move_out_button(), Qt::LeftButton);
  EXPECT_EQ(doc_.records[active].status, kMoved);
  ASSERT_EQ(dialog.moved_list()->count(), 1);
  dialog.moved_list()->setCurrentRow(0);
  prompter_.Script(Answer::kOk);
  AnswerMonthDialog([](SelectMonthDialog& month) {
    ASSERT_NE(month.tick_box(), nullptr);
    month.tick_box()->setChecked(true);
    month.accept();
  });
  QTest::mouseClick(dialog.undo_button(), Qt::LeftButton);
  EXPECT_EQ(prompter_.messages.back(),
            "Do you really want to reverse the moveout for Alma Active?");
  EXPECT_EQ(doc_.records[active].status, kActive);
  EXPECT_EQ(doc_.records[active].status_month & 0x0F, 4);
}

TEST_F(StatusDialogsTest, StatusDialogShowsYearsAndNoteByOption) {
  PubRecord r = MakePublisher(11, "S", "T");
  StatusForm form(doc_, r);
  StatusDialog dialog(form);
  dialog.show();
  EXPECT_FALSE(dialog.note_label()->isVisible());
  QTest::mouseClick(dialog.option(StatusForm::kNew), Qt::LeftButton);
  EXPECT_TRUE(dialog.year_list()->isVisible());
  EXPECT_TRUE(dialog.note_label()->isVisible());
  QTest::mouseClick(dialog.option(StatusForm::kIrregularTransfer), Qt::LeftButton);
  EXPECT_FALSE(dialog.year_list()->isVisible());
  EXPECT_FALSE(dialog.note_label()->isVisible());
  QTest::mouseClick(dialog.option(StatusForm::kReactivated), Qt::LeftButton);
  dialog.month_list()->setCurrentIndex(1);
  dialog.year_list()->setCurrentIndex(1);
  dialog.accept();
  ASSERT_TRUE(form.Apply(r));
  EXPECT_EQ(r.status_month, (2 << 4) | 2);
}

TEST_F(StatusDialogsTest, AttendanceDialogTakesAMonthTypedFromTheKeyboard) {
  AttendanceForm form(doc_);
  AttendanceDialog dialog(form);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Meeting Attendance  - April - 2026"));
  EXPECT_EQ(dialog.ahead_button()->text().remove(u'&'), QStringLiteral("May - 2026"));
  QLineEdit* first = dialog.week_box(0);
  first->setFocus();
  QTest::keyClicks(first, "40");
  QTest::keyClick(first, Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), dialog.week_box(1));
  QTest::keyClicks(dialog.week_box(1), "41");
  QTest::keyClick(dialog.week_box(1), Qt::Key_Return);
  QTest::keyClick(dialog.week_box(2), Qt::Key_Return);  // the third week had no meeting
  QTest::keyClicks(dialog.week_box(3), "43");
  EXPECT_EQ(dialog.total_box(kMidweekMeeting)->text(), QStringLiteral("124"));
  EXPECT_EQ(dialog.average_box(kMidweekMeeting)->text(), QStringLiteral("41"));
  // Down from week 5 wraps to week 1 of the same meeting; Enter from midweek week 5
  // goes on to the weekend.
  QTest::keyClick(dialog.week_box(3), Qt::Key_Down);
  ASSERT_EQ(QApplication::focusWidget(), dialog.week_box(4));
  QTest::keyClick(dialog.week_box(4), Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), dialog.week_box(0));
  QTest::keyClick(dialog.week_box(0), Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), dialog.week_box(4));
  QTest::keyClick(dialog.week_box(4), Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), dialog.week_box(5));
  QTest::keyClicks(dialog.week_box(5), "99");
  EXPECT_EQ(dialog.total_box(kWeekendMeeting)->text(), QStringLiteral("99"));
  EXPECT_TRUE(dialog.isVisible());  // Enter never closed the dialog

  // Changing the month stores what was typed.
  dialog.month_list()->setCurrentIndex(0);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Meeting Attendance  - January - 2026"));
  EXPECT_EQ(doc_.attendance[kMidweekMeeting].total[3][0], 124);
  EXPECT_EQ(doc_.attendance[kMidweekMeeting].average[3][0], 41);
  EXPECT_EQ(doc_.attendance[kWeekendMeeting].week[0][3][0], 99);  // the owner's edit marks it
  EXPECT_TRUE(dialog.week_box(0)->text().isEmpty());

  // The month typed ahead: lists hidden, slot 2, stored on "&Done".
  dialog.ahead_button()->setChecked(true);
  EXPECT_FALSE(dialog.month_list()->isVisible());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Meeting Attendance  - May - 2026"));
  QTest::keyClicks(dialog.week_box(0), "55");
  QTest::mouseClick(dialog.done_button(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(doc_.attendance[kMidweekMeeting].week[0][4][2], 55);
}

}  // namespace
}  // namespace zarim
