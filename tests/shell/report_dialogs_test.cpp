// The "Formatting Options" and "Pick Field Service Group" dialogs are bound to their
// forms: couplings show, OK writes back, refused groups keep OK off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/document.h"
#include "shell/dialogs/format_options_dialog.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;
using Form = FormatOptionsForm;

class ReportDialogsTest : public ::testing::Test {
 protected:
  ReportDialogsTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    doc_.modified = 0;
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(ReportDialogsTest, FormatOptionsShowsTheCouplingAndWritesBackOnOk) {
  doc_.options.label_birth_legend = 1;
  doc_.options.alternate_label = 1;
  Form form(doc_);
  FormatOptionsDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Formatting Options"));
  EXPECT_TRUE(dialog.check(Form::kAlternateLabel)->isChecked());
  dialog.check(Form::kBirthLegend)->click();
  EXPECT_FALSE(dialog.check(Form::kAlternateLabel)->isChecked());
  dialog.check(Form::kAlternateLabel)->click();
  EXPECT_TRUE(dialog.check(Form::kBirthLegend)->isChecked());
  dialog.check(Form::kDatestamp)->click();
  dialog.top_margin()->setCurrentIndex(99);
  dialog.congregation_name()->setText(QStringLiteral("Eastside"));
  EXPECT_EQ(dialog.top_margin()->count(), 100);
  EXPECT_EQ(dialog.top_margin()->itemText(5), QStringLiteral("05"));
  dialog.accept();
  EXPECT_TRUE(form.Accept(doc_));
  EXPECT_EQ(doc_.options.datestamp, 1);
  EXPECT_EQ(doc_.options.top_margin, 99);
  EXPECT_EQ(doc_.options.congregation_name, "Eastside");
}

TEST_F(ReportDialogsTest, FormatOptionsControlsAreNamedAndTheHiddenBoxStaysHidden) {
  doc_.options.sort_first_name = 1;
  Form form(doc_);
  FormatOptionsDialog dialog(form);
  dialog.show();
  EXPECT_FALSE(dialog.check(Form::kLastNameFirst)->isVisible());
  EXPECT_TRUE(dialog.check(Form::kShowGrid)->isVisible());
  for (int c = 0; c < Form::kCheckCount; ++c)
    EXPECT_FALSE(dialog.check(static_cast<Form::Check>(c))->accessibleName().isEmpty()) << c;
  EXPECT_FALSE(dialog.top_margin()->accessibleName().isEmpty());
  EXPECT_FALSE(dialog.congregation_name()->accessibleName().isEmpty());
}

TEST_F(ReportDialogsTest, CongregationNameIsTypedCutWithANoteAndTakenWithEnter) {
  Form form(doc_);
  CongregationNameDialog dialog(form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);  // "Congregation &Name:"
  ASSERT_EQ(QApplication::focusWidget(), dialog.congregation_name());
  QTest::keyClicks(dialog.congregation_name(), QStringLiteral("Abcdefghijklmnopqrstuvwxyz0123"));
  EXPECT_EQ(dialog.congregation_name()->text(), QStringLiteral("Abcdefghijklmnopqrstuvwxy"));
  EXPECT_TRUE(dialog.congregation_name()->accessibleDescription().startsWith("Only 25 characters"));
  QTest::keyClick(dialog.congregation_name(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(form.Accept(doc_));
  EXPECT_EQ(doc_.options.congregation_name, "Abcdefghijklmnopqrstuvwxy");
}

TEST_F(ReportDialogsTest, GroupPickerKeepsOkOffForAGroupWithoutMembers) {
  doc_.groups.count = 3;
  PubRecord r = MakePublisher(10, "Ann", "Lee");
  r.group = 2;
  AddRecord(doc_, r);
  GroupPickerForm form(doc_, GroupPickerForm::Purpose::kMembersNeeded);
  GroupPickerDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.list()->count(), 3);
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  EXPECT_FALSE(dialog.print_all_button()->isVisible());
  dialog.accept();  // Enter on a refused group keeps the dialog open
  EXPECT_TRUE(dialog.isVisible());
  dialog.list()->setCurrentIndex(1);
  EXPECT_TRUE(dialog.ok_button()->isEnabled());
  dialog.ok_button()->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(form.group(), 2);
}

TEST_F(ReportDialogsTest, GroupPickerPrintButtonsForTheAnalysis) {
  doc_.groups.count = 4;
  PubRecord r = MakePublisher(10, "Ann", "Lee");
  r.group = 3;
  AddRecord(doc_, r);
  GroupPickerForm form(doc_, GroupPickerForm::Purpose::kAnalysis, 3);
  GroupPickerDialog dialog(form);
  dialog.show();
  EXPECT_TRUE(dialog.print_all_button()->isVisible());
  EXPECT_EQ(dialog.print_all_button()->text(), QStringLiteral("Print # 1 - 4"));
  EXPECT_EQ(dialog.print_selected_button()->text(), QStringLiteral("Print # 3"));
  dialog.list()->setCurrentIndex(0);
  EXPECT_EQ(dialog.print_selected_button()->text(), QStringLiteral("Print # 1"));
  dialog.print_all_button()->click();
  EXPECT_EQ(form.result(), GroupPickerForm::Result::kPrintAll);
}

TEST_F(ReportDialogsTest, GroupPickerWithoutGroupsHidesOk) {
  GroupPickerForm form(doc_, GroupPickerForm::Purpose::kChoose);
  GroupPickerDialog dialog(form);
  dialog.show();
  EXPECT_FALSE(dialog.ok_button()->isVisible());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(form.result(), GroupPickerForm::Result::kCancel);
}

}  // namespace
}  // namespace zarim
