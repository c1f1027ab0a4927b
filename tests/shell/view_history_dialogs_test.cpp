// The View lists dialog and the History dialog are bound to their forms and work from
// the keyboard alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "core/clipboard.h"
#include "core/corrections_file.h"
#include "core/desktop_ports.h"
#include "core/document.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "records/extension.h"
#include "shell/dialogs/corrections_dialog.h"
#include "shell/dialogs/history_dialog.h"
#include "shell/dialogs/view_list_dialog.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

class RecordingMailer : public Mailer {
 public:
  Result Send(const MailMessage& m) override {
    sent.push_back(m);
    return Result::kHandedOver;
  }
  std::vector<MailMessage> sent;
};

class ViewHistoryDialogsTest : public ::testing::Test {
 protected:
  ViewHistoryDialogsTest() {
    StartEmpty(doc_, Date{2026, 5, 10}, dir_.path());  // working month April 2026
    doc_.modified = 0;
  }
  int Add(int id, const char* first, const char* last) {
    AddRecord(doc_, MakePublisher(id, first, last, kActive));
    return doc_.count - 1;
  }
  TempDir dir_;
  ScriptedPrompter prompter_;
  CZarimDoc doc_{&prompter_};
};

TEST_F(ViewHistoryDialogsTest, ViewListRemindsAndCopiesByKeyboard) {
  int ann = Add(10, "Ann", "Missing");
  Add(11, "Bob", "Missing");
  ExtensionData e;
  e.email = "ann@example.org";
  ASSERT_TRUE(StoreExtension(doc_, doc_.records[ann], e));
  RecordingMailer mailer;
  MemoryClipboard clipboard;
  ViewListForm form(doc_, ViewType::kNoReport);
  ViewListDialog dialog(form, &mailer, &clipboard);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("No Report for April 2026  ( 2 )"));
  EXPECT_EQ(dialog.third_box()->currentText(), QStringLiteral("April 2026"));
  EXPECT_FALSE(dialog.mail_button()->isEnabled());
  EXPECT_FALSE(dialog.type_box()->accessibleName().isEmpty());
  EXPECT_FALSE(dialog.list()->accessibleName().isEmpty());

  QTest::keyClick(dialog.list(), Qt::Key_Home);
  EXPECT_EQ(dialog.mail_button()->text(), QStringLiteral("E-Mail ann@example.org"));
  ASSERT_TRUE(dialog.mail_button()->isEnabled());
  QTest::keyClick(dialog.mail_button(), Qt::Key_Space);
  ASSERT_EQ(mailer.sent.size(), 1u);
  EXPECT_EQ(mailer.sent[0].to, (std::vector<std::string>{"ann@example.org"}));

  QTest::keyClick(dialog.copy_button(), Qt::Key_Space);
  EXPECT_EQ(clipboard.Text(),
            "No Report for April 2026 \r\nCongregation\r\nAnn Missing  (0)\t\r\n"
            "Bob Missing  (0)\t\r\n");

  // Another month from the keyboard: March, nobody reported either.
  QTest::keyClick(dialog.third_box(), Qt::Key_Up);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("No Report for March 2026  ( 2 )"));

  // The type selector: "Irregular Publishers" has a group choice and no month.
  QTest::keyClick(dialog.type_box(), Qt::Key_Down);
  EXPECT_EQ(form.type(), ViewType::kIrregular);
  EXPECT_FALSE(dialog.third_box()->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.second_box()->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.mail_button()->isVisibleTo(&dialog));
  QTest::keyClick(dialog.type_box(), Qt::Key_End);
  EXPECT_EQ(form.type(), ViewType::kNoConsent);
  EXPECT_EQ(dialog.windowTitle(),
            QStringLiteral("No Consent for Use of Personal Data on File ( 2 )"));
}

TEST_F(ViewHistoryDialogsTest, ViewListWithoutMailerSaysSo) {
  int ann = Add(10, "Ann", "Missing");
  ExtensionData e;
  e.email = "ann@example.org";
  ASSERT_TRUE(StoreExtension(doc_, doc_.records[ann], e));
  ViewListForm form(doc_, ViewType::kNoReport);
  ViewListDialog dialog(form, nullptr, nullptr);
  EXPECT_FALSE(dialog.copy_button()->isVisibleTo(&dialog));
  QTest::keyClick(dialog.list(), Qt::Key_Home);
  QTest::keyClick(dialog.mail_button(), Qt::Key_Space);
  EXPECT_EQ(prompter_.messages, (std::vector<std::string>{"Unable to load mail system support."}));
}

TEST_F(ViewHistoryDialogsTest, HistoryEditsAMonthByKeyboardAndWritesOnClose) {
  Add(10, "Ann", "First");
  int bob = Add(11, "Bob", "Second");
  HistoryForm form(doc_);
  HistoryDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("History"));
  EXPECT_EQ(dialog.month_box()->currentText(), QStringLiteral("March"));
  EXPECT_FALSE(dialog.tick(HistoryTick::kNextMonth)->accessibleName().isEmpty());
  QTest::keyClick(dialog.publisher_list(), Qt::Key_Down);
  EXPECT_EQ(form.record(), bob);

  // A regular pioneer's month: shared, hours with a fraction, late.
  QCheckBox* regular = dialog.tick(HistoryTick::kRegular);
  QTest::keyClick(regular, Qt::Key_Space);
  QTest::keyClick(dialog.tick(HistoryTick::kShared), Qt::Key_Space);
  ASSERT_TRUE(dialog.box(HistoryBox::kHours)->isVisibleTo(&dialog));
  dialog.box(HistoryBox::kHours)->selectAll();
  QTest::keyClicks(dialog.box(HistoryBox::kHours), "3.6");
  QTest::keyClick(dialog.tick(HistoryTick::kLate), Qt::Key_Space);
  QTest::keyClick(dialog.tick(HistoryTick::kNextMonth), Qt::Key_Space);
  EXPECT_FALSE(doc_.modified);
  QTest::keyClick(dialog.box(HistoryBox::kHours), Qt::Key_Return);
  EXPECT_EQ(dialog.year_box()->currentText(), QStringLiteral("2024"));  // walked on
  // April of 2024 is still offered: April 2026 was never initialized in this folder.
  EXPECT_EQ(dialog.month_box()->currentText(), QStringLiteral("April"));

  // Totals mode by keyboard, then Esc closes and writes both back.
  QTest::keyClick(dialog.totals_tick(), Qt::Key_Space);
  EXPECT_TRUE(dialog.note()->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.publisher_list()->count(), 4);
  QTest::keyClick(dialog.publisher_list(), Qt::Key_End);
  dialog.box(HistoryBox::kCredit)->selectAll();
  QTest::keyClicks(dialog.box(HistoryBox::kCredit), "42");
  QTest::keyClick(&dialog, Qt::Key_Escape);

  const int s = doc_.SlotOfMonth(2);
  EXPECT_EQ(doc_.records[bob].activity[kHours][2][s], 3);
  EXPECT_EQ(doc_.records[bob].activity[kBibleStudies][2][s] >> kQuarterShift, 2);
  EXPECT_EQ(doc_.records[bob].pioneer[2][s] & 3, kRegular);
  EXPECT_TRUE(IsInLateList(doc_, 11, 2));
  EXPECT_EQ(doc_.totals.value[3][kTotalsActiveField][0], 42);  // April 2024
}

}  // namespace
}  // namespace zarim

namespace zarim {
namespace {

// The Corrections window follows its filters from the keyboard and prints what it shows.
TEST(CorrectionsDialogTest, FiltersByKeyboardAndPrintsTheSelection) {
  TempDir dir;
  std::string log;
  for (auto [id, month] : {std::pair{11, 10}, {12, 10}, {12, 9}})
    log += FormatCorrectionLine({"2026-12-08 10:00", "History", id, "P" + std::to_string(id), month,
                                 2026, "hours", "1", "2"});
  ASSERT_TRUE(
      WriteFilePlain(JoinPath(dir.path(), kFileCorrections), Bytes(log.begin(), log.end())));
  CZarimDoc doc;
  doc.data_folder = dir.path();
  doc.working_month = 10;
  doc.working_year = 26;
  CorrectionsForm form(doc);
  int printed = -1;
  CorrectionsDialog dialog(form, [&](const CorrectionsForm& f) { printed = f.Selection(); });
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.table()->rowCount(), 3);
  dialog.month_box()->setFocus();
  QTest::keyClick(dialog.month_box(), Qt::Key_Down);  // October 2026
  EXPECT_EQ(dialog.table()->rowCount(), 2);
  QTest::keyClick(&dialog, Qt::Key_U, Qt::AltModifier);  // "P&ublisher:"
  ASSERT_TRUE(dialog.publisher_box()->hasFocus());
  QTest::keyClick(dialog.publisher_box(), Qt::Key_Down);  // P11
  ASSERT_EQ(dialog.table()->rowCount(), 1);
  EXPECT_EQ(dialog.table()->item(0, 2)->text(), "P11 (11)");
  QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
  for (int i = 0; i < 100 && printed < 0; ++i) QTest::qWait(10);  // an access key clicks late
  EXPECT_EQ(printed, form.Selection());
  EXPECT_EQ(SelectCorrections(ReadCorrections(dir.path()).entries, printed).size(), 1u);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace zarim
