// The group list, circuit overseer, custom category and pioneer list dialogs are bound
// to their forms.
#include "shell/dialogs/records_option_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "core/document.h"
#include "core/store.h"
#include "records/extension.h"
#include "shell/dialogs/groups_dialog.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

class RecordsOptionDialogsTest : public ::testing::Test {
 protected:
  RecordsOptionDialogsTest() {
    StartEmpty(doc_, Date{2024, 3, 15}, dir_.path());
    AddRecord(doc_, MakePublisher(10, "John", "Smith"));
    AddRecord(doc_, MakePublisher(11, "Paul", "Jones"));
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }
  TempDir dir_;
  CZarimDoc doc_;
};

TEST_F(RecordsOptionDialogsTest, GroupListShowsTwentyLinesAndTheDetailStores) {
  GroupsDialog list(doc_);
  ASSERT_EQ(list.list()->topLevelItemCount(), 20);
  EXPECT_EQ(list.list()->topLevelItem(0)->text(0), QStringLiteral("#1"));
  EXPECT_EQ(list.edit_button()->text(), QStringLiteral("Edit Group 1"));
  GroupDetailForm form(doc_, 1);
  GroupDetailDialog detail(form, doc_);
  EXPECT_FALSE(detail.name()->isEnabled());
  detail.overseer()->setText(QStringLiteral("John Smith"));
  detail.location()->setText(QStringLiteral("Hall"));
  detail.day()->setCurrentIndex(6);
  detail.use_name()->click();
  EXPECT_TRUE(detail.name()->isEnabled());
  detail.name()->setText(QStringLiteral("North"));
  detail.accept();
  EXPECT_EQ(doc_.groups.count, 1);
  EXPECT_EQ(FieldText(doc_.groups.name[0]), "North");
  EXPECT_EQ(doc_.groups.day[0], 6);
  GroupsDialog again(doc_);
  EXPECT_EQ(again.list()->topLevelItem(0)->text(1), QStringLiteral("John Smith"));
  EXPECT_EQ(again.list()->topLevelItem(0)->text(4), QStringLiteral("Sunday"));
  EXPECT_EQ(again.edit_button()->text(), QStringLiteral("Edit North"));
}

TEST_F(RecordsOptionDialogsTest, CircuitOverseerDialogCreatesTheRecord) {
  CircuitOverseerForm form(doc_);
  CircuitOverseerDialog dialog(form);
  EXPECT_TRUE(dialog.include(0)->isChecked()) << "Ask when nothing is kept";
  EXPECT_EQ(dialog.field(0)->maxLength(), 18);
  dialog.field(0)->setText(QStringLiteral("Carl"));
  dialog.field(1)->setText(QStringLiteral("Cole"));
  dialog.field(6)->setText(QStringLiteral("co@example.org"));
  dialog.include(1)->setChecked(true);
  dialog.accept();
  RefreshDerivedState(doc_);  // as the edit of the command's commit does
  ASSERT_NE(doc_.co_record, 0u);
  EXPECT_EQ(doc_.co_record, static_cast<uint32_t>(doc_.count - 1));
  EXPECT_EQ(CircuitOverseerContactChoice(doc_), ContactListChoice::kYes);
  EXPECT_EQ(LoadExtension(doc_, doc_.records[doc_.co_record]).email, "co@example.org");
}

TEST_F(RecordsOptionDialogsTest, CustomCategoryDialogAsksOnRename) {
  doc_.options.custom_category_name = "Drivers";
  CustomCategoryForm form(doc_);
  CustomCategoryDialog dialog(form);
  EXPECT_EQ(dialog.name()->text(), QStringLiteral("Drivers"));
  int asked = 0;
  dialog.ask = [&](const CategoryQuestion& q) {
    ++asked;
    EXPECT_EQ(q.count, 0);
    return std::optional<CategoryChoice>(CategoryChoice::kChangeAll);
  };
  dialog.name()->setText(QStringLiteral("Helpers"));
  dialog.enabled()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(doc_.options.custom_category_name, "Helpers");
  EXPECT_EQ(doc_.options.custom_category_enabled, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(RecordsOptionDialogsTest, PioneerListMovesFollowTheSelectedSide) {
  PioneerListForm form(doc_, PioneerListForm::Mode::kRegular);
  PioneerListDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(),
            QStringLiteral("Add / Delete Regular Pioneers - February 24 ( 0 )"));
  EXPECT_EQ(dialog.month()->count(), 2);
  ASSERT_EQ(dialog.right()->count(), 2);
  dialog.right()->setCurrentRow(0);
  EXPECT_EQ(dialog.move_button()->text(), QStringLiteral("<<<    &Add    <<<"));
  dialog.move_button()->click();
  EXPECT_EQ(dialog.left()->count(), 1);
  EXPECT_EQ(dialog.windowTitle(),
            QStringLiteral("Add / Delete Regular Pioneers - February 24 ( 1 )"));
  dialog.left()->setCurrentRow(0);
  EXPECT_EQ(dialog.move_button()->text(), QStringLiteral(">>>  &Remove  >>>"));
  dialog.move_button()->click();
  EXPECT_EQ(dialog.left()->count(), 0);
  dialog.year()->setCurrentIndex(1);
  EXPECT_EQ(dialog.month()->count(), 12);
}

}  // namespace
}  // namespace zarim
