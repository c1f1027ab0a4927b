// The selection-and-posting dialog of incoming reports driven by the keyboard alone:
// Space ticks a report, the preview follows the current one on the colours of new and
// replaced data, Tab and Space reach "Import Selected Data", which posts only the ticked.
#include "shell/dialogs/report_import_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/document.h"
#include "cycle/collection.h"
#include "exchange/report_import.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

constexpr int kJune = 5;

QColor Background(const QLabel* label) {
  return label->autoFillBackground() ? label->palette().color(QPalette::Window) : QColor();
}

TEST(ReportImportDialog, TicksPreviewsAndPostsByKeyboard) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2026, 7, 10}, dir.path());
  OpenOnlyMonth(doc, kJune);
  AddRecord(doc, MakePublisher(100, "Adam", "Able"));
  PubRecord bea = MakePublisher(101, "Bea", "Baker");
  bea.activity[kHours][kJune][0] = 7;
  AddRecord(doc, bea);

  IncomingReport adam{};
  adam.id = 100;
  adam.month = kJune;
  adam.activity[kBibleStudies] = 2 | kSharedBit;
  IncomingReport baker{};
  baker.id = 101;
  baker.month = kJune;
  baker.activity[kHours] = 9;
  ReportImportForm form(doc, {adam, baker});
  ReportImportDialog dialog(form);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QListWidget* list = dialog.list();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(dialog.preview_name()->text(), "Adam Able");
  EXPECT_EQ(Background(dialog.preview_cells()[0]), QColor(128, 255, 128));  // Shared: new

  list->setFocus();
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(dialog.selected_label()->text(), "Selected Reports = 1");
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(dialog.preview_name()->text(), "Bea Baker");
  EXPECT_EQ(Background(dialog.preview_cells()[2]), QColor(255, 255, 128));  // Hours: replacing

  for (int i = 0; i < 10 && QApplication::focusWidget() != dialog.import_button(); ++i)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), dialog.import_button());
  QTest::keyClick(dialog.import_button(), Qt::Key_Space);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(doc.FindById(100)->activity[kBibleStudies][kJune][0], 2 | kSharedBit);
  EXPECT_EQ(doc.FindById(101)->activity[kHours][kJune][0], 7);  // not ticked: unchanged
}

}  // namespace
}  // namespace zarim
