// The report view widget.
#include "shell/report_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "core/document.h"
#include "core/strings.h"
#include "render/qt_canvas.h"
#include "reports/report_drawer.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

ReportView::ReportView(const CZarimDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc) {
  fonts_.ResetDefaults(doc.language_code);
  screen_dpi_x_ = std::max(logicalDpiX(), 1);
  screen_dpi_y_ = std::max(logicalDpiY(), 1);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(Q(Sid::kReportViewName));
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  today_ = Date{doc.today_year, doc.today_month, doc.today_day};
}

void ReportView::ShowReport(int kind, int group) {
  mode_ = kReport;
  kind_ = kind;
  if (group > 0) group_ = group;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  Relayout();
}

void ReportView::ReturnToPanel() {
  mode_ = kActionPanel;
  page_count_ = 1;
  UpdateScrollArea();
  viewport()->update();
}

void ReportView::Relayout() {
  if (mode_ == kReport) {
    // Only the page count is kept between paints; measure without painting.
    QtCanvas measure(nullptr, viewport(), screen_dpi_x_, screen_dpi_y_);
    ReportContext ctx;
    ctx.screen_dpi_x = screen_dpi_x_;
    ctx.screen_dpi_y = screen_dpi_y_;
    ctx.fonts = &fonts_;
    ctx.today = today_;
    ctx.selection = &selection_;
    ctx.wanted_page = kPageCountOnly;
    DrawReport(doc_, measure, ctx, kind_, group_);
    page_count_ = ctx.page_count;
  }
  UpdateScrollArea();
  viewport()->update();
}

void ReportView::UpdateScrollArea() {
  // Eight inches wide and eleven inches per page; a page step is four inches, a line
  // step a quarter inch.
  const double x = screen_dpi_x_ * zoom_, y = screen_dpi_y_ * zoom_;
  int width = mode_ == kReport ? static_cast<int>(8 * x) : 0;
  int height = mode_ == kReport ? static_cast<int>(11 * y * page_count_) : 0;
  QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
  horizontalScrollBar()->setPageStep(static_cast<int>(4 * x));
  verticalScrollBar()->setPageStep(static_cast<int>(4 * y));
  horizontalScrollBar()->setSingleStep(std::max(1, static_cast<int>(x / 4)));
  verticalScrollBar()->setSingleStep(std::max(1, static_cast<int>(y / 4)));
}

void ReportView::SetZoom(double zoom) {
  // From a quarter of the natural size (a whole page on a small screen) to four times.
  zoom_ = std::clamp(zoom, 0.25, 4.0);
  UpdateScrollArea();
  viewport()->update();
}

void ReportView::FitWidth() {
  fit_width_ = true;
  // The page's eight inches across the view, less a little room at either side and the
  // room of the vertical scroll bar even while it is hidden, so the fit stays the same
  // when the bar comes and goes with the zoom.
  int room = viewport()->width() - 4;
  if (!verticalScrollBar()->isVisible())
    room -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  SetZoom(room / (8.0 * screen_dpi_x_));
}

void ReportView::ZoomIn() {
  fit_width_ = false;
  SetZoom(zoom_ * 1.25);
}

void ReportView::ZoomOut() {
  fit_width_ = false;
  SetZoom(zoom_ / 1.25);
}

void ReportView::paintEvent(QPaintEvent* /*event*/) {
  if (mode_ != kReport) return;
  QPainter painter(viewport());
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter.scale(zoom_, zoom_);
  QtCanvas canvas(&painter, viewport(), screen_dpi_x_, screen_dpi_y_);
  ReportContext ctx;
  ctx.screen_dpi_x = screen_dpi_x_;
  ctx.screen_dpi_y = screen_dpi_y_;
  ctx.fonts = &fonts_;
  ctx.today = today_;
  ctx.selection = &selection_;
  DrawReport(doc_, canvas, ctx, kind_, group_);
  if (ctx.page_count != page_count_) {
    page_count_ = ctx.page_count;
    UpdateScrollArea();
  }
}

void ReportView::keyPressEvent(QKeyEvent* event) {
  QScrollBar* v = verticalScrollBar();
  QScrollBar* h = horizontalScrollBar();
  switch (event->key()) {
    case Qt::Key_Escape:
      emit returnToPanelRequested();
      return;
    case Qt::Key_PageUp:
      v->triggerAction(QAbstractSlider::SliderPageStepSub);
      return;
    case Qt::Key_PageDown:
      v->triggerAction(QAbstractSlider::SliderPageStepAdd);
      return;
    case Qt::Key_Up:
      v->triggerAction(QAbstractSlider::SliderSingleStepSub);
      return;
    case Qt::Key_Down:
      v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      return;
    case Qt::Key_Left:
      h->triggerAction(QAbstractSlider::SliderSingleStepSub);
      return;
    case Qt::Key_Right:
      h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      return;
    case Qt::Key_Home:
      v->setValue(v->minimum());
      h->setValue(h->minimum());
      return;
    case Qt::Key_End:
      v->setValue(v->maximum());
      h->setValue(h->maximum());
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void ReportView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (fit_width_) {
    FitWidth();
    return;
  }
  UpdateScrollArea();
}

}  // namespace zarim
