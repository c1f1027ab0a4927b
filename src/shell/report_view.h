// The report view: shows one report as a tall scrollable sheet of pages, or nothing while
// the action panel is up. Scroll keys follow the page model; Esc asks to return to the
// action panel.
#pragma once

#include <QAbstractScrollArea>
#include <utility>

#include "core/ports.h"
#include "reports/fonts.h"
#include "reports/page_frame.h"

namespace zarim {

class CZarimDoc;

class ReportView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  enum DisplayMode { kActionPanel = 1, kReport = 2 };

  // The fonts start as the high-resolution defaults; the owner loads the stored ones.
  explicit ReportView(const CZarimDoc& doc, QWidget* parent = nullptr);

  // Shows report kind (for a group report, of the group); display mode 2.
  void ShowReport(int kind, int group = 0);
  // Display mode 1: the view draws nothing of its own.
  void ReturnToPanel();

  int display_mode() const { return mode_; }
  int kind() const { return kind_; }
  int group() const { return group_; }
  void set_group(int group) { group_ = group; }
  // The people of a report of chosen publishers (labels).
  void set_selection(ReportSelection selection) { selection_ = std::move(selection); }
  const ReportSelection& selection() const { return selection_; }
  int page_count() const { return page_count_; }
  const CZarimDoc& doc() const { return doc_; }
  ReportFonts& fonts() { return fonts_; }
  const ReportFonts& fonts() const { return fonts_; }
  // The date the "Printed" stamp carries when the report is printed.
  void set_today(const Date& today) { today_ = today; }
  const Date& today() const { return today_; }
  int screen_dpi_x() const { return screen_dpi_x_; }
  int screen_dpi_y() const { return screen_dpi_y_; }

  // Lays the report out again (after a change of fonts or data) and repaints.
  void Relayout();

  // The sheet's scale on screen: 1 is its natural size. Fitting to the width keeps the
  // whole width of a page in view as the view is resized; zooming ends the fitting.
  double zoom() const { return zoom_; }
  bool fits_width() const { return fit_width_; }
  void FitWidth();
  void ZoomIn();
  void ZoomOut();

 signals:
  void returnToPanelRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollArea();
  void SetZoom(double zoom);

  const CZarimDoc& doc_;
  ReportFonts fonts_;
  int mode_ = kActionPanel;
  int kind_ = 1;
  int group_ = 0;
  ReportSelection selection_;
  int page_count_ = 1;
  Date today_;
  int screen_dpi_x_ = 96;
  int screen_dpi_y_ = 96;
  double zoom_ = 1.0;
  bool fit_width_ = false;
};

}  // namespace zarim
