// How the dialogs look when shown: the columns of every table and tree show their heading
// and their widest cell whole, without scrolling sideways, and a tick box or radio button
// that holds the focus carries a ring that can be seen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "dialog_registry.h"
#include "shell/focus_ring_style.h"
#include "shell/window_fit.h"

namespace zarim {
namespace {

using testing::AllDialogs;
using testing::DialogWorld;

// The columns of one table or tree: none narrower than its heading's text or than the
// text of any of its cells, and all of them inside the visible area.
void CheckColumns(QAbstractItemView* view, QHeaderView* header, const std::string& where) {
  QAbstractItemModel* model = view->model();
  if (!model || !header) return;
  const QFontMetrics header_metrics(header->font());
  const QFontMetrics cell_metrics(view->font());
  int right = 0;
  for (int c = 0; c < header->count(); ++c) {
    if (header->isSectionHidden(c)) continue;
    const int width = header->sectionSize(c);
    right = std::max(right, header->sectionViewportPosition(c) + width);
    const QString heading = model->headerData(c, Qt::Horizontal).toString();
    if (!header->isHidden()) {
      EXPECT_GE(width, header_metrics.horizontalAdvance(heading))
          << where << ": the heading \"" << heading.toStdString() << "\" is cut";
    }
    for (int r = 0; r < model->rowCount(); ++r) {
      const QString text = model->index(r, c).data().toString();
      EXPECT_GE(width, cell_metrics.horizontalAdvance(text))
          << where << ": the cell \"" << text.toStdString() << "\" is cut";
    }
  }
  EXPECT_LE(right, view->viewport()->width()) << where << ": the columns need sideways scrolling";
}

TEST(DialogLook, EveryTableAndTreeShowsItsColumnsWhole) {
  InstallWindowFitter();
  int views = 0;
  for (const auto& entry : AllDialogs()) {
    DialogWorld world;
    testing::BuiltDialog built = entry.build(world);
    QDialog* dialog = built.dialog.get();
    ASSERT_NE(dialog, nullptr) << entry.class_name;
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog)) << entry.class_name;
    QApplication::processEvents();
    for (QTableView* table : dialog->findChildren<QTableView*>()) {
      CheckColumns(table, table->horizontalHeader(), entry.class_name);
      ++views;
    }
    for (QTreeView* tree : dialog->findChildren<QTreeView*>()) {
      CheckColumns(tree, tree->header(), entry.class_name);
      ++views;
    }
    dialog->hide();
  }
  EXPECT_GE(views, 1);  // the walk did meet a table
}

// The number of pixels whose colour moved far between two pictures of the same size.
int ChangedPixels(const QImage& a, const QImage& b) {
  int changed = 0;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                           std::abs(p.blue() - q.blue());
      if (distance > 120) ++changed;
    }
  }
  return changed;
}

TEST(DialogLook, ATickBoxAndARadioButtonWithTheFocusShowARing) {
  InstallFocusRingStyle();
  QWidget window;
  auto* layout = new QHBoxLayout(&window);
  auto* before = new QCheckBox(QStringLiteral("&First"), &window);
  auto* tick = new QCheckBox(QStringLiteral("&Include Header"), &window);
  auto* radio = new QRadioButton(QStringLiteral("&Comma Delimited"), &window);
  layout->addWidget(before);
  layout->addWidget(tick);
  layout->addWidget(radio);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (QAbstractButton* button :
       {static_cast<QAbstractButton*>(tick), static_cast<QAbstractButton*>(radio)}) {
    SCOPED_TRACE(button->text().toStdString());
    // The focus arrives as the user gives it first: when the dialog opens, not by Tab.
    before->setFocus(Qt::ActiveWindowFocusReason);
    QApplication::processEvents();
    const QImage without = button->grab().toImage();
    button->setFocus(Qt::ActiveWindowFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(button->hasFocus());
    const QImage with = button->grab().toImage();
    // A ring round the caption: at least its outline's length in clearly changed pixels.
    const QFontMetrics metrics(button->font());
    const int outline = metrics.horizontalAdvance(button->text().remove('&')) + metrics.height();
    EXPECT_GE(ChangedPixels(without, with), outline);
  }
}

}  // namespace
}  // namespace zarim
