// The record card dialogs from the keyboard: the publisher list drives the card shown,
// "Inactive" switches files, "Select Records to Print" ticks with Space and takes the
// order chosen, the preferences write the options of one record; a file PDF holds every
// card of its file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "core/document.h"
#include "core/store.h"
#include "reports/record_card.h"
#include "reports/report_kind.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/record_card_dialog.h"
#include "shell/report_view.h"
#include "shell/window_fit.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

class RecordCardDialogsTest : public ::testing::Test {
 protected:
  RecordCardDialogsTest() {
    StartEmpty(doc_, Date{2026, 12, 8}, dir_.path());
    // Stored order: Young, Able, Best, then the inactive Cole.
    AddRecord(doc_, MakePublisher(10, "Zed", "Young"));
    AddRecord(doc_, MakePublisher(11, "Ann", "Able"));
    AddRecord(doc_, MakePublisher(12, "Bo", "Best"));
    AddRecord(doc_, MakePublisher(13, "Cy", "Cole", kInactive));
    RefreshDerivedState(doc_);
  }
  int Rec(int id) { return doc_.RecordNumberById(id); }
  TempDir dir_;
  TempDir out_;  // PDF files are never written into the data folder
  CZarimDoc doc_;
  ScriptedPrompter prompter_;
};

// On a 1366x768 screen the card's whole width is in view; the zoom keys change its size
// and Fit to Width brings it back.
TEST_F(RecordCardDialogsTest, CardFitsTheWidthOfASmallScreenAndZoomsByKeyboard) {
  RecordCardForm form(doc_);
  RecordCardDialog dialog(form, doc_, prompter_);
  dialog.resize(1300, 700);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  ReportView* view = dialog.card_view();
  auto page_width = [view] { return 8 * view->screen_dpi_x() * view->zoom(); };
  EXPECT_LE(page_width(), view->viewport()->width()) << "the whole width of the card";
  EXPECT_GT(page_width(), view->viewport()->width() * 0.9) << "and no smaller than needed";
  const double fitted = view->zoom();
  QTest::keyClick(&dialog, Qt::Key_Z, Qt::AltModifier);  // "&Zoom In"
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->zoom() > fitted; }));
  QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);  // "Fit to &Width"
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->fits_width(); }));
  EXPECT_DOUBLE_EQ(view->zoom(), fitted);
}

// The tick boxes get access keys when the dialog is shown.
TEST_F(RecordCardDialogsTest, TheInactiveBoxIsTickedWithItsAccessKey) {
  InstallWindowFitter();
  RecordCardForm form(doc_);
  RecordCardDialog dialog(form, doc_, prompter_);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const QString caption = dialog.inactive_box()->text();
  const qsizetype key = caption.indexOf(QLatin1Char('&')) + 1;
  ASSERT_GT(key, 0) << caption.toStdString();
  QTest::keyClick(&dialog, caption.at(key).toLower().toLatin1(), Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.inactive(); }));  // a click, animated
}

TEST_F(RecordCardDialogsTest, ListAndInactiveBoxDriveTheCardShown) {
  RecordCardForm form(doc_);
  RecordCardDialog dialog(form, doc_, prompter_);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Congregation's Publisher Record"));
  ASSERT_EQ(dialog.publisher_list()->count(), 3);
  dialog.publisher_list()->setFocus();
  QTest::keyClick(dialog.publisher_list(), Qt::Key_Down);
  EXPECT_EQ(dialog.card_view()->selection().records, (std::vector<int>{Rec(11)}));
  QTest::keyClick(dialog.inactive_box(), Qt::Key_Space);
  EXPECT_TRUE(form.inactive());
  ASSERT_EQ(dialog.publisher_list()->count(), 1);
  EXPECT_EQ(dialog.card_view()->selection().records, (std::vector<int>{Rec(13)}));
  // History and Edit follow the shown publisher; the totals have none.
  EXPECT_TRUE(dialog.history_button()->isEnabled());
  QTest::keyClick(dialog.totals_box(), Qt::Key_Space);
  EXPECT_FALSE(dialog.history_button()->isEnabled());
  // The totals are a card of their own in the card's place, printable like a publisher's.
  EXPECT_TRUE(dialog.print_button()->isEnabled());
  EXPECT_EQ(dialog.card_view()->kind(), report_kind::kRecordCards);
  EXPECT_EQ(dialog.card_view()->selection().totals_category, YtdSummaryForm::kPublishers);
  EXPECT_EQ(dialog.card_view()->selection().totals_period, YtdSummaryForm::kServiceYear);
  QTest::keyClick(dialog.branch_choice(), Qt::Key_Space);
  EXPECT_TRUE(form.totals_from_branch());
  EXPECT_TRUE(dialog.card_view()->selection().totals_from_branch);
  dialog.totals_period()->setFocus();
  QTest::keyClick(dialog.totals_period(), Qt::Key_Down);
  EXPECT_EQ(dialog.card_view()->selection().totals_period, YtdSummaryForm::kLastTwelve);
  QTest::keyClick(dialog.totals_category(), Qt::Key_Down);
  EXPECT_EQ(dialog.card_view()->selection().totals_category, YtdSummaryForm::kAuxiliary);
  QTest::keyClick(dialog.done_button(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Active File (PDF) says where the file went, and refuses a place in the data folder.
TEST_F(RecordCardDialogsTest, ActiveFilePdfSaysWhereTheFileWent) {
  RecordCardForm form(doc_);
  RecordCardDialog dialog(form, doc_, prompter_);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (const std::string& path : {dir_.File("cards.pdf"), out_.File("cards.pdf")}) {
    prompter_.messages.clear();
    const std::string before = dialog.where_label()->text().toStdString();
    QTimer::singleShot(300, [&path] {  // typed into the file dialog's name box, then Enter
      QWidget* files = QApplication::activeModalWidget();
      ASSERT_NE(files, nullptr);
      QTest::keyClicks(files->focusWidget(), QString::fromStdString(path));
      QTest::keyClick(files->focusWidget(), Qt::Key_Return);
    });
    dialog.active_pdf_button()->setFocus();
    QTest::keyClick(dialog.active_pdf_button(), Qt::Key_Space);
    const bool inside = path.starts_with(dir_.path());
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), !inside) << path;
    EXPECT_EQ(prompter_.messages.size(), inside ? 1u : 0u);
    EXPECT_EQ(dialog.where_label()->text().toStdString(), inside ? "" : "Saved as PDF: " + path);
  }
}

TEST_F(RecordCardDialogsTest, FilePdfHoldsEveryCardOfTheFile) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  RecordCardForm form(doc_);
  RecordCardDialog dialog(form, doc_, prompter_);
  const QString path = QString::fromStdString(out_.File("active.pdf"));
  ASSERT_TRUE(dialog.WriteFilePdf(false, path));
  EXPECT_TRUE(prompter_.messages.empty());
  QProcess p;
  p.start(pdftotext, {path, QStringLiteral("-")});
  ASSERT_TRUE(p.waitForFinished(30000));
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  // Three cards of two service years each, a sheet each, in the stored order.
  EXPECT_EQ(text.count(QLatin1Char('\f')), 3);
  EXPECT_EQ(text.count(Q(Sid::kCardTitle)), 3);
  const qsizetype young = text.indexOf(QStringLiteral("Young")),
                  able = text.indexOf(QStringLiteral("Able"));
  EXPECT_GE(young, 0);
  EXPECT_LT(young, able);
  EXPECT_LT(able, text.indexOf(QStringLiteral("Best")));
  EXPECT_EQ(text.indexOf(QStringLiteral("Cole")), -1);  // inactive
}

TEST_F(RecordCardDialogsTest, SelectRecordsTicksWithSpaceInTheOrderChosen) {
  SelectRecordsForm form(doc_, false);
  SelectRecordsDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Records to Print"));
  QListWidget* list = dialog.list();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Space);  // Young
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Space);  // Best
  QTest::keyClick(dialog.alphabetic_choice(), Qt::Key_Space);
  dialog.accept();
  EXPECT_EQ(form.Selection(false).records, (std::vector<int>{Rec(12), Rec(10)}));
}

TEST_F(RecordCardDialogsTest, PreferencesForThisRecordLeaveTheOthersAlone) {
  doc_.options.hide_averages = kCardHideTotalCurrent;
  CardPreferencesForm form(doc_, Rec(11));
  CardPreferencesDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Publisher Record Preferences"));
  EXPECT_TRUE(dialog.hide_box(2)->isChecked());  // all records: the current year's totals
  QTest::keyClick(dialog.this_record_choice(), Qt::Key_Space);
  EXPECT_FALSE(dialog.hide_box(2)->isChecked());  // this record: nothing of its own yet
  QTest::keyClick(dialog.hide_box(1), Qt::Key_Space);
  QTest::keyClick(dialog.one_per_page_box(), Qt::Key_Space);
  dialog.accept();
  ASSERT_TRUE(form.Accept(doc_));
  EXPECT_EQ(doc_.options.hide_averages, kCardHideTotalCurrent);
  EXPECT_EQ(CardHideFlags(doc_, Rec(11)), kCardHideTotalCurrent | kCardHideAveragePrevious);
  EXPECT_EQ(CardHideFlags(doc_, Rec(12)), kCardHideTotalCurrent);
  EXPECT_EQ(doc_.options.one_per_page, 1);
}

}  // namespace
}  // namespace zarim
