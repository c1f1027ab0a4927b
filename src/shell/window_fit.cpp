// The window fitter.
#include "shell/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "shell/caption_check.h"
#include "shell/control_access_keys.h"

namespace zarim {

namespace {
// Room in the title bar besides the text: the window's icon and its buttons.
constexpr int kTitleBarExtra = 140;

// The width a column needs to show its heading and every cell whole.
int ColumnNeed(QAbstractItemView* view, QHeaderView* header, int column) {
  const int heading = header->isHidden() ? 0 : header->sectionSizeHint(column);
  return std::max(heading, view->sizeHintForColumn(column));
}

// Sizes every column of a table or tree to its contents and returns how much wider the
// view must be to show all of them without scrolling sideways.
int FitColumns(QAbstractItemView* view, QHeaderView* header) {
  if (!header || !view->model()) return 0;
  int total = 0;
  for (int c = 0; c < header->count(); ++c) {
    if (header->isSectionHidden(c)) continue;
    const int need = ColumnNeed(view, header, c);
    if (header->sectionResizeMode(c) == QHeaderView::Interactive) header->resizeSection(c, need);
    total += std::max(need, header->minimumSectionSize());
  }
  int chrome = 2 * view->frameWidth();
  if (auto* table = qobject_cast<QTableView*>(view); table && table->verticalHeader()->isVisible())
    chrome += table->verticalHeader()->width();
  if (view->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
    chrome += view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
  return std::max(0, total + chrome - view->width());
}

// Widens the window by what its widest-lacking table or tree needs.
int TableShortfall(QWidget* window) {
  int shortfall = 0;
  for (QTableView* table : window->findChildren<QTableView*>())
    shortfall = std::max(shortfall, FitColumns(table, table->horizontalHeader()));
  for (QTreeView* tree : window->findChildren<QTreeView*>())
    shortfall = std::max(shortfall, FitColumns(tree, tree->header()));
  return shortfall;
}
}  // namespace

QSize FreeArea(const QWidget* window) {
  QScreen* screen = window->screen();
  if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  // The window manager's frame, once the window has one; before that the style's title
  // bar and borders stand in, so the frame cannot push the bottom rows off the screen.
  QMargins frame;
  if (const QWindow* handle = window->windowHandle()) frame = handle->frameMargins();
  if (frame.isNull()) {
    const QStyle* style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    frame =
        QMargins(border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + border,
                 border, border);
  }
  return screen->availableGeometry().size().shrunkBy(frame);
}

void FitWindow(QWidget* window) {
  if (!window || !window->isWindow()) return;
  QSize size = window->size();
  size.setWidth(size.width() + TableShortfall(window));
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  const int title = metrics.horizontalAdvance(window->windowTitle()) + kTitleBarExtra;
  size.setWidth(std::max(size.width(), title));
  size = size.boundedTo(FreeArea(window));
  size = size.expandedTo(window->minimumSize()).boundedTo(window->maximumSize());
  if (size != window->size()) window->resize(size);
}

bool WindowFitter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    if (auto* dialog = qobject_cast<QDialog*>(watched)) {
      GiveControlAccessKeys(dialog);
      FitWindow(dialog);
      // Once laid out, the dialog's cut captions for whoever checks a translation.
      if (CheckingLayout()) {
        QTimer::singleShot(0, dialog, [dialog] {
          for (const std::string& line : CutCaptions(dialog))
            std::fprintf(stderr, "zarim: %s: %s\n", dialog->metaObject()->className(),
                         line.c_str());
        });
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void InstallWindowFitter() {
  static WindowFitter* fitter = nullptr;
  if (fitter || !qApp) return;
  fitter = new WindowFitter(qApp);
  qApp->installEventFilter(fitter);
}

}  // namespace zarim
