// The publisher record dialogs are bound to their forms: adding through "Select
// Publisher", editing with "&Next", deleting temporarily, assigning to a group, sharing
// an emergency contact, and adding a publisher and his emergency contact with the
// keyboard alone.
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
#include <functional>

#include "core/clipboard.h"
#include "core/document.h"
#include "core/store.h"
#include "cycle/congregation.h"
#include "records/emergency.h"
#include "records/keyed_store.h"
#include "shell/dialogs/delete_dialog.h"
#include "shell/dialogs/emergency_dialog.h"
#include "shell/dialogs/groups_dialog.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/dialogs/select_month_dialog.h"
#include "shell/dialogs/select_publisher_dialog.h"
#include "shell/window_fit.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

// Runs fn on the modal dialog that the next exec() opens.
void OnNextModal(std::function<void(QWidget*)> fn) {
  QTimer::singleShot(0, [fn] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    fn(w);
  });
}

// The status dialog that OK opens for a new publisher: cancelled, so he stays active.
void DismissStatusDialog(bool* shown) {
  OnNextModal([shown](QWidget* w) {
    auto* d = qobject_cast<QDialog*>(w);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(qobject_cast<PublisherEditDialog*>(w), nullptr);
    if (shown) *shown = true;
    d->reject();
  });
}

class RecordsDialogsTest : public ::testing::Test {
 protected:
  // The folder is opened by its owner, as the program opens it: only the owner saves.
  RecordsDialogsTest() : owner_(&prompter_), doc_(owner_.doc()) {
    EXPECT_TRUE(testing::OpenOwner(owner_, dir_.path(), clock_));
    StartEmpty(doc_, Date{2024, 3, 15}, dir_.path());
    prompter_.messages.clear();  // what opening said is not the dialogs' business
    prompter_.buttons.clear();
  }
  void AddThree() {
    AddRecord(doc_, MakePublisher(10, "Ann", "Adams"));
    AddRecord(doc_, MakePublisher(11, "Bob", "Baker"));
    AddRecord(doc_, MakePublisher(12, "Cy", "Clark"));
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  FixedClock clock_{Date{2024, 3, 15}};
  Congregation owner_;
  CZarimDoc& doc_;
  MemoryClipboard clipboard_;
};

TEST_F(RecordsDialogsTest, AddThroughSelectPublisher) {
  AddThree();
  SelectPublisherForm form(doc_);
  SelectPublisherDialog dialog(doc_, form, &clipboard_);
  EXPECT_EQ(dialog.list()->count(), 3);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Publisher"));
  bool seen = false;
  bool status_shown = false;
  OnNextModal([&](QWidget* w) {
    auto* edit = qobject_cast<PublisherEditDialog*>(w);
    ASSERT_NE(edit, nullptr);
    seen = true;
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("Edit Publisher Information"));
    EXPECT_FALSE(edit->next_button()->isEnabled()) << "no stepping while adding";
    edit->text(TextField::kFirst)->setText(QStringLiteral("Dora"));
    edit->text(TextField::kLast)->setText(QStringLiteral("Dunn"));
    DismissStatusDialog(&status_shown);
    edit->ok_button()->click();
  });
  dialog.AddPublisher();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(status_shown) << "OK when adding shows the new publisher's status first";
  ASSERT_EQ(dialog.list()->count(), 4);
  EXPECT_EQ(dialog.list()->currentItem()->text(), QStringLiteral("Dora Dunn"))
      << "the new one is selected";
  EXPECT_FALSE(doc_.modified) << "saved after adding";
  EXPECT_EQ(dir_.Read("tdat9.bin").size(), 5u * sizeof(PubRecord));
}

TEST_F(RecordsDialogsTest, AddFromTheStudentsMakesHimAPublisherInTheChosenMonth) {
  AddThree();
  AddRecord(doc_, MakePublisher(20, "Sam", "Student", kNonPublisher));
  RefreshDerivedState(doc_);
  SelectPublisherForm form(doc_);
  SelectPublisherDialog dialog(doc_, form, &clipboard_);
  // The chooser, the list of students and the month dialog open one after the other.
  std::vector<QString> seen;
  QWidget* last = nullptr;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!w || w == last || !w->isVisible()) return;
    last = w;
    seen.push_back(w->windowTitle());
    if (auto* month = qobject_cast<SelectMonthDialog*>(w)) {
      month->month_list()->setCurrentRow(1);
      month->accept();
    } else if (auto radios = w->findChildren<QRadioButton*>(); !radios.isEmpty()) {
      radios.back()->setChecked(true);  // "from the Bible students"
      w->accept();
    } else {
      w->accept();  // the only student
    }
  });
  answer.start(5);
  dialog.AddPublisher();
  answer.stop();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], QStringLiteral("Add Publisher"));
  const PubRecord* sam = doc_.FindById(20);
  ASSERT_NE(sam, nullptr);
  EXPECT_EQ(sam->status, kActive);
  EXPECT_EQ(dialog.list()->count(), 4);
  EXPECT_EQ(dialog.list()->currentItem()->text(), QStringLiteral("Sam Student"));
}

TEST_F(RecordsDialogsTest, EditWithNextAndWrap) {
  AddThree();
  PublisherForm form(doc_, &clipboard_);
  form.Load(doc_.RecordNumberById(12));
  PublisherEditDialog dialog(doc_, form);
  EXPECT_EQ(dialog.text(TextField::kFirst)->text(), QStringLiteral("Cy"));
  dialog.text(TextField::kAddress)->setText(QStringLiteral("Clark Lane 3"));
  dialog.next_button()->click();
  EXPECT_EQ(FieldText(doc_.FindById(12)->address), "Clark Lane 3");
  EXPECT_EQ(dialog.text(TextField::kFirst)->text(), QStringLiteral("Ann"))
      << "wrapped to the first";
  dialog.previous_button()->click();
  EXPECT_EQ(dialog.text(TextField::kFirst)->text(), QStringLiteral("Cy"));
  EXPECT_EQ(dialog.text(TextField::kAddress)->text(), QStringLiteral("Clark Lane 3"));
  // The consent date lists show only while the box is ticked.
  dialog.show();
  EXPECT_FALSE(dialog.consent_date().month->isVisible());
  dialog.consent()->click();
  EXPECT_TRUE(dialog.consent_date().month->isVisible());
}

TEST_F(RecordsDialogsTest, DeleteTemporarily) {
  AddThree();
  PublisherForm form(doc_, &clipboard_);
  form.Load(doc_.RecordNumberById(11));
  PublisherEditDialog dialog(doc_, form);
  OnNextModal([](QWidget* w) {
    auto* del = qobject_cast<DeleteDialog*>(w);
    ASSERT_NE(del, nullptr);
    EXPECT_TRUE(del->permanent()->isChecked());
    EXPECT_FALSE(del->month()->isEnabled());
    del->temporary()->click();
    EXPECT_TRUE(del->month()->isEnabled());
    del->month()->setCurrentIndex(1);  // Jan
    del->accept();
  });
  dialog.delete_button()->click();
  const PubRecord* r = doc_.FindById(11);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->status, kDeleted);
  EXPECT_EQ(r->status_stamp, ((2024 - 1950) << 8) | 1);
  EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the edit dialog closed";
}

TEST_F(RecordsDialogsTest, DeletingABibleStudentOnlyAsks) {
  AddRecord(doc_, MakePublisher(20, "Sam", "Student", kNonPublisher));
  PublisherForm form(doc_, &clipboard_, PublisherKind::kBibleStudent);
  form.Load(doc_.RecordNumberById(20));
  PublisherEditDialog dialog(doc_, form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Bible Student"));
  prompter_.Script(Answer::kYes);
  dialog.delete_button()->click();
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], "Do you really want to delete Sam Student?");
  EXPECT_EQ(prompter_.buttons[0], Buttons::kYesNo);
  EXPECT_EQ(doc_.FindById(20), nullptr);
}

TEST_F(RecordsDialogsTest, AssignPublishersToAGroup) {
  AddThree();
  doc_.groups.count = 2;
  GroupAssignmentForm form(doc_);
  GroupAssignmentDialog dialog(form, doc_);
  EXPECT_EQ(dialog.group()->count(), 2);
  EXPECT_EQ(dialog.candidates()->count(), 3);
  EXPECT_EQ(dialog.unassigned()->text(), QStringLiteral("3 Unassigned Publishers"));
  dialog.group()->setCurrentIndex(1);
  dialog.candidates()->setCurrentRow(1);
  dialog.assign_button()->click();
  EXPECT_EQ(doc_.FindById(11)->group, 2);
  EXPECT_EQ(dialog.members()->count(), 1);
  EXPECT_EQ(dialog.candidates()->count(), 2);
}

TEST_F(RecordsDialogsTest, SharedEmergencyContactForTwoPublishers) {
  AddThree();
  {
    EmergencyForm form(doc_, *doc_.FindById(10));
    EmergencyDialog dialog(form);
    dialog.field(EmergencyForm::Field::kName)->setText(QStringLiteral("Uncle Tom"));
    dialog.field(EmergencyForm::Field::kHome)->setText(QStringLiteral("555"));
    dialog.accept();
  }
  uint16_t id = doc_.FindById(10)->emergency_key;
  ASSERT_NE(id, 0);
  StoreNewEmergency(doc_, EmergencyRecord{});  // a second contact: the chooser shows
  {
    EmergencyForm form(doc_, *doc_.FindById(11));
    EmergencyDialog dialog(form);
    dialog.show();
    EXPECT_TRUE(dialog.use_existing()->isVisible());
    EXPECT_FALSE(dialog.shared_note()->isVisible());
    dialog.UseExisting(id);
    EXPECT_EQ(dialog.field(EmergencyForm::Field::kName)->text(), QStringLiteral("Uncle Tom"));
    EXPECT_TRUE(dialog.shared_note()->isVisible());
    dialog.field(EmergencyForm::Field::kHome)->setText(QStringLiteral("999"));
    dialog.accept();
  }
  EXPECT_EQ(doc_.FindById(11)->emergency_key, id);
  EmergencyForm seen(doc_, *doc_.FindById(10));
  EXPECT_EQ(seen.home, "999") << "the edit shows for both";
}

TEST_F(RecordsDialogsTest, KeyboardOnlyAdding) {
  SelectPublisherForm form(doc_);
  SelectPublisherDialog dialog(doc_, form, &clipboard_);
  dialog.show();
  EXPECT_FALSE(dialog.edit_button()->isVisible()) << "nothing to edit";
  bool typed = false;
  OnNextModal([&](QWidget* w) {
    auto* edit = qobject_cast<PublisherEditDialog*>(w);
    ASSERT_NE(edit, nullptr);
    // Every visible control is named for screen readers.
    for (QWidget* child : edit->findChildren<QWidget*>()) {
      if (!child->isVisible() || child->focusPolicy() == Qt::NoFocus) continue;
      if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
          qobject_cast<QCheckBox*>(child) || qobject_cast<QPushButton*>(child)) {
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->metaObject()->className();
      }
    }
    QLineEdit* first = edit->text(TextField::kFirst);
    first->setFocus();
    QTest::keyClicks(first, QStringLiteral("eva"));
    EXPECT_EQ(first->text(), QStringLiteral("Eva")) << "AutoCaps";
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(edit->isVisible()) << "Enter in a field does not close";
    QLineEdit* last = edit->text(TextField::kLast);
    EXPECT_EQ(edit->focusWidget(), last) << "Enter moved to the next field";
    QTest::keyClicks(last, QStringLiteral("evans"));
    DismissStatusDialog(nullptr);
    edit->ok_button()->setFocus();
    QTest::keyClick(edit->ok_button(), Qt::Key_Return);
    typed = true;
  });
  // Enter on the empty list adds.
  QTest::keyClick(dialog.list(), Qt::Key_Return);
  EXPECT_TRUE(typed);
  ASSERT_EQ(dialog.list()->count(), 1);
  EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("Eva Evans"));
}

// A publisher being added: the emergency contact opens by its access key, is titled with
// the name typed so far, and its boxes are wide enough to show what is typed.
TEST_F(RecordsDialogsTest, KeyboardOnlyEmergencyContactOfANewPublisher) {
  InstallWindowFitter();  // as in the program: the window's labels get their access keys
  PublisherForm form(doc_, &clipboard_);
  PublisherEditDialog dialog(doc_, form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClicks(dialog.text(TextField::kLast), QStringLiteral("Berg"));
  const QString contact = QStringLiteral("Margaret Lindqvist-Johansson, Uppsala");
  QString title;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* emergency = qobject_cast<EmergencyDialog*>(QApplication::activeModalWidget());
    if (!emergency || !emergency->isActiveWindow()) return;
    poll.stop();
    title = emergency->windowTitle();
    QLineEdit* name = emergency->field(EmergencyForm::Field::kName);
    QTest::keyClick(emergency, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(emergency->focusWidget(), name) << "Alt+N reaches the name";
    QTest::keyClicks(name, contact);
    EXPECT_EQ(name->text(), contact);
    EXPECT_GE(name->width(), name->fontMetrics().horizontalAdvance(contact)) << "clipped";
    QTest::keyClick(emergency->focusWidget(), Qt::Key_Return);
  });
  poll.start(10);
  QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !poll.isActive(); }));
  EXPECT_EQ(title, QStringLiteral("Emergency Contact - Berg")) << "never \",\"";
  auto stored = ReadEmergency(doc_, form.working_record().emergency_key);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(FieldText(stored->name), contact.toStdString());
}

// A household is made while the head is being added; Cancel of the new publisher
// takes it back.
TEST_F(RecordsDialogsTest, KeyboardOnlyHouseholdOfANewPublisher) {
  AddRecord(doc_, MakePublisher(11, "Bob", "Baker"));
  PublisherForm form(doc_, &clipboard_);
  PublisherEditDialog dialog(doc_, form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClicks(dialog.text(TextField::kLast), QStringLiteral("Berg"));
  QCheckBox* head = nullptr;
  for (QCheckBox* c : dialog.findChildren<QCheckBox*>())
    if (c->accessibleName() == QStringLiteral("Family head")) head = c;
  ASSERT_NE(head, nullptr);
  EXPECT_FALSE(dialog.household_button()->isVisible());
  head->setFocus();
  QTest::keyClick(head, Qt::Key_Space);
  ASSERT_TRUE(dialog.household_button()->isVisible());
  OnNextModal([&](QWidget* w) {
    QPushButton *add = nullptr, *ok = nullptr;
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
      if (b->text() == QStringLiteral("Select Family Member")) add = b;
      if (b->text() == QStringLiteral("&OK")) ok = b;
    }
    ASSERT_TRUE(add && ok);
    OnNextModal([](QWidget* chooser) {
      QTest::keyClick(chooser->findChild<QListWidget*>(), Qt::Key_Return);
    });
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
  });
  dialog.household_button()->setFocus();
  QTest::keyClick(dialog.household_button(), Qt::Key_Space);
  EXPECT_EQ(doc_.FindById(11)->household_head, form.id()) << "linked to the new head";
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(doc_.FindById(11)->household_head, 0) << "no household of nobody";
}

TEST_F(RecordsDialogsTest, SelectionWrapsWithTheArrowKeys) {
  AddThree();
  SelectPublisherForm form(doc_);
  SelectPublisherDialog dialog(doc_, form, &clipboard_);
  dialog.show();
  dialog.list()->setFocus();
  EXPECT_EQ(dialog.list()->currentRow(), 0);
  QTest::keyClick(dialog.list(), Qt::Key_Up);
  EXPECT_EQ(dialog.list()->currentRow(), 2);
  QTest::keyClick(dialog.list(), Qt::Key_Down);
  EXPECT_EQ(dialog.list()->currentRow(), 0);
}

}  // namespace
}  // namespace zarim
