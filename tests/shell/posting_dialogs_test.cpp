// The posting list and slip dialogs bound to their forms: three slips posted with the
// keyboard alone through the real dialogs, then the records and the branch page checked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "core/document.h"
#include "core/store.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "cycle/posting_list_form.h"
#include "cycle/slip_form.h"
#include "cycle/slip_queries.h"
#include "reports/branch_report.h"
#include "reports/recording_canvas.h"
#include "shell/dialogs/posting_list_dialog.h"
#include "shell/dialogs/slip_dialog.h"
#include "shell/report_printing.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kFeb = 1;
constexpr int kSlot = 0;

// One keystroke for the control that has the focus in the open slip dialog.
struct Stroke {
  Qt::Key key;
  QString text;
};

// Types the strokes into the modal slip dialog as soon as it is open, one at a time into
// whichever control holds the focus, as a user would.
void TypeIntoSlip(const std::vector<Stroke>& strokes, QString* seen_warning = nullptr) {
  QTimer::singleShot(0, [strokes, seen_warning] {
    auto* dialog = qobject_cast<SlipDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    if (seen_warning) *seen_warning = dialog->warning_label()->text();
    for (const Stroke& s : strokes) {
      if (!dialog->isVisible()) break;
      QWidget* target = dialog->focusWidget();
      ASSERT_NE(target, nullptr);
      QTest::keyClick(target, s.key, Qt::NoModifier);
    }
    // A slip that did not close would block the test: say so and close it.
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the slip dialog is still open";
      dialog->reject();
    }
  });
}

std::vector<Stroke> Digits(const char* text) {
  std::vector<Stroke> out;
  for (const char* p = text; *p; ++p)
    out.push_back({static_cast<Qt::Key>(Qt::Key_0 + (*p - '0')), QString(*p)});
  return out;
}

std::vector<Stroke> Join(std::initializer_list<std::vector<Stroke>> parts) {
  std::vector<Stroke> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Stroke kSpace{Qt::Key_Space, " "};
const Stroke kEnter{Qt::Key_Return, "\r"};

class PostingDialogsTest : public ::testing::Test {
 protected:
  PostingDialogsTest() : doc_(&prompter_) {
    StartEmpty(doc_, Date{2026, 3, 10}, dir_.path());
    doc_.remark_count = 1;
    SetCollectionStateOf(doc_, kFeb, MonthCollection::kOpen);
    AddRecord(doc_, MakePublisher(100, "Ann", "Able"));
    PubRecord aux = MakePublisher(101, "Ben", "Baker");
    aux.pioneer[kFeb][kSlot] = kAuxiliary;
    AddRecord(doc_, aux);
    PubRecord reg = MakePublisher(102, "Cora", "Cole");
    reg.pioneer[kFeb][kSlot] = kRegular;
    AddRecord(doc_, reg);
    doc_.SortRecords();
    RefreshDerivedState(doc_);
  }
  PubRecord& R(int id) { return *doc_.FindById(id); }

  TempDir dir_;
  TempDir out_;  // PDF files are never written into the data folder
  ScriptedPrompter prompter_;
  CZarimDoc doc_;
};

TEST_F(PostingDialogsTest, ThreeSlipsPostedByKeyboardAlone) {
  PostingListForm form(doc_);
  PostingListDialog list(form, doc_);
  list.show();
  ASSERT_EQ(list.list()->count(), 3);
  EXPECT_EQ(list.windowTitle(), "February 2026 Report Collection - 3 Active publishers");
  EXPECT_EQ(list.list()->currentRow(), 0);

  // A publisher: tick "Shared in ministry", Enter to the Bible studies, 2, Enter saves.
  TypeIntoSlip(Join({{kSpace, kEnter}, Digits("2"), {kEnter}}));
  QTest::keyClick(list.list(), Qt::Key_Return);
  // An auxiliary pioneer: the hours box comes first.
  QTest::keyClick(list.list(), Qt::Key_Down);
  TypeIntoSlip(Join({{kSpace, kEnter}, Digits("20"), {kEnter}, Digits("1"), {kEnter}}));
  QTest::keyClick(list.list(), Qt::Key_Return);
  // A regular pioneer: hours and Bible studies.
  QTest::keyClick(list.list(), Qt::Key_Down);
  TypeIntoSlip(Join({{kSpace, kEnter}, Digits("50"), {kEnter}, Digits("3"), {kEnter}}));
  QTest::keyClick(list.list(), Qt::Key_Return);

  const PubRecord& ann = R(100);
  EXPECT_EQ(ann.activity[kBibleStudies][kFeb][kSlot], kSharedBit | 2);
  EXPECT_EQ(ann.activity[kHours][kFeb][kSlot], 0);
  const PubRecord& ben = R(101);
  EXPECT_EQ(ben.activity[kHours][kFeb][kSlot], 20);
  EXPECT_EQ(ben.activity[kBibleStudies][kFeb][kSlot], kSharedBit | 1);
  EXPECT_EQ(ben.pioneer[kFeb][kSlot], kAuxiliary);
  const PubRecord& cora = R(102);
  EXPECT_EQ(cora.activity[kHours][kFeb][kSlot], 50);
  EXPECT_EQ(StudiesInMonth(cora, kFeb, kSlot), 3);
  EXPECT_EQ(doc_.resume_id, 102);
  EXPECT_EQ(list.last_person()->text(), "Cora Cole");

  // The branch page shows the three reports.
  auto lines = BranchReportLines(ComputeWorkingTotals(doc_));
  EXPECT_EQ(lines[0].shared, "   1");
  EXPECT_EQ(lines[0].hours, "");
  EXPECT_EQ(lines[0].studies, "     2");
  EXPECT_EQ(lines[1].hours, "    20");
  EXPECT_EQ(lines[2].hours, "    50");
  EXPECT_EQ(lines[3].shared, "   3");
  EXPECT_EQ(lines[3].hours, "    70");
  EXPECT_EQ(lines[3].studies, "     6");
  RecordingCanvas canvas(96, 96);
  ReportContext context;
  DrawBranchReport(doc_, canvas, context);
  EXPECT_NE(canvas.FindText("February Report to the Branch Office - 3 Active publishers"), nullptr);
  for (const char* text : {"Shared", "Hours", "Bi.St.", "Pubs", "AuxP", "Pios", "Totals", "    70"})
    EXPECT_NE(canvas.FindText(text), nullptr) << text;
  EXPECT_EQ(context.page_count, 1);
}

TEST_F(PostingDialogsTest, BranchPageSavesAsPdf) {
  const QString exe = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (exe.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  R(101).activity[kHours][kFeb][kSlot] = 24;
  R(101).activity[kBibleStudies][kFeb][kSlot] = kSharedBit | 2;
  ReportFonts fonts;
  PrintJob job;
  job.doc = &doc_;
  job.fonts = &fonts;
  job.kind = kBranchReportKind;
  job.today = Date{2026, 3, 10};
  const QString path = QString::fromStdString(out_.File("branch.pdf"));
  ASSERT_TRUE(WriteReportPdf(job, path));
  QProcess p;
  p.start(exe, {QStringLiteral("-layout"), path, QStringLiteral("-")});
  p.waitForFinished(30000);
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  EXPECT_TRUE(
      text.contains(QStringLiteral("February Report to the Branch Office - 3 Active publishers")))
      << text.toStdString();
  for (const char* word : {"Shared", "Hours", "Bi.St.", "Pubs", "AuxP", "Pios", "Totals", "24"})
    EXPECT_TRUE(text.contains(QString::fromLatin1(word))) << word;
}

TEST_F(PostingDialogsTest, RemarkByKeyboardGivesThePioneerCredit) {
  const Stroke tab{Qt::Key_Tab, "\t"};
  // Hours, Tab past the studies, OK and Cancel to "&Remarks", Space opens the remark,
  // "10", Enter leaves it for OK, Enter returns to the hours, Enter and Enter save.
  TypeIntoSlip(Join({{kSpace, kEnter},
                     Digits("50"),
                     {tab, tab, tab, tab, kSpace},
                     Digits("10"),
                     {kEnter, kEnter, kEnter, kEnter}}));
  EXPECT_TRUE(RunSlipDialog(nullptr, doc_, doc_.RecordNumberById(102)));
  const PubRecord& cora = R(102);
  EXPECT_EQ(cora.activity[kHours][kFeb][kSlot], 50);
  EXPECT_EQ(cora.credit[kFeb][kSlot], 5);
  EXPECT_EQ(RemarkText(doc_, cora, kFeb, kSlot), "10");
}

TEST_F(PostingDialogsTest, MissingFilterMovesTheSelectionToTheNextName) {
  PostingListForm form(doc_);
  PostingListDialog list(form, doc_);
  list.show();
  list.missing_box()->setChecked(true);
  TypeIntoSlip({kSpace, kEnter, {Qt::Key_0, "0"}, kEnter});
  QTest::keyClick(list.list(), Qt::Key_Return);
  ASSERT_EQ(list.list()->count(), 2);
  EXPECT_EQ(list.list()->currentItem()->text(), "Ben Baker");
}

TEST_F(PostingDialogsTest, SlipLabelsInWordsAndAFractionOfAnHourIsRefusedByKeyboard) {
  SlipForm form(doc_, doc_.RecordNumberById(101));
  SlipDialog dialog(form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.studies_edit()->accessibleName(), "Bible Studies");
  // The head's labels are said with their values, not as bare captions.
  QStringList said;
  for (QLabel* l : dialog.findChildren<QLabel*>()) said << l->accessibleName();
  EXPECT_TRUE(said.contains("Name: Ben Baker")) << said.join('|').toStdString();
  EXPECT_FALSE(said.contains("Name"));
  QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);  // "&Shared in ministry"
  ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.hours_edit()->isVisible(); }));
  QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);  // "&Hours"
  ASSERT_EQ(QApplication::focusWidget(), dialog.hours_edit());
  QTest::keyClicks(dialog.hours_edit(), "30.5");
  QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);  // "&Bible Studies"
  ASSERT_EQ(QApplication::focusWidget(), dialog.studies_edit());
  QTest::keyClick(dialog.studies_edit(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), dialog.hours_edit());
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_TRUE(QString::fromStdString(prompter_.messages.back()).startsWith("The hours \"30.5\""));
}

TEST_F(PostingDialogsTest, SlipBoxesFollowTheForm) {
  SlipForm form(doc_, doc_.RecordNumberById(101));
  SlipDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Ben Baker");
  EXPECT_TRUE(dialog.aux_box()->isVisible());
  EXPECT_TRUE(dialog.aux_box()->isChecked());
  EXPECT_FALSE(dialog.hours_edit()->isVisible());
  EXPECT_EQ(dialog.shared_box()->toolTip(), "Shared in any form of the ministry during the month");
  QTest::keyClick(dialog.shared_box(), Qt::Key_Space);
  EXPECT_TRUE(dialog.hours_edit()->isVisible());
  EXPECT_TRUE(dialog.studies_edit()->isVisible());
  // Letters are refused, Space gives "0", Right in the studies box goes to the tick.
  QTest::keyClicks(dialog.hours_edit(), "1a2");
  EXPECT_EQ(dialog.hours_edit()->text(), "012");
  QTest::keyClick(dialog.hours_edit(), Qt::Key_Space);
  EXPECT_EQ(dialog.hours_edit()->text(), "0");
  EXPECT_EQ(form.hours_text(), "0");
  dialog.studies_edit()->setFocus();
  QTest::keyClick(dialog.studies_edit(), Qt::Key_Right);
  EXPECT_EQ(dialog.focusWidget(), dialog.shared_box());
  // The month list replaces the buttons while a late month is chosen.
  QTest::keyClick(dialog.month_button(), Qt::Key_Space);
  EXPECT_TRUE(dialog.month_list()->isVisible());
  EXPECT_FALSE(dialog.ok_button()->isVisible());
  dialog.month_list()->setCurrentRow(0);
  EXPECT_EQ(form.posting_month(), 0);
  QTest::keyClick(dialog.month_list(), Qt::Key_Return);
  EXPECT_FALSE(dialog.month_list()->isVisible());
  EXPECT_TRUE(dialog.ok_button()->isVisible());
  EXPECT_EQ(dialog.warning_label()->text(),
            "Any changes WILL BE INCLUDED in the February 2026 report to the branch office.");
  // Studies out of range keep the slip open with the message.
  QTest::keyClick(dialog.shared_box(), Qt::Key_Space);
  if (!dialog.shared_box()->isChecked()) QTest::keyClick(dialog.shared_box(), Qt::Key_Space);
  dialog.studies_edit()->setFocus();
  QTest::keyClick(dialog.studies_edit(), Qt::Key_Delete);
  QTest::keyClicks(dialog.studies_edit(), "99");
  QTest::keyClick(dialog.studies_edit(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_FALSE(prompter_.messages.empty());
  EXPECT_EQ(prompter_.messages.back(), "Please enter an integer between 0 and 63.");
}

}  // namespace
}  // namespace zarim
