// Reports on paged devices.
#include "render/report_pdf.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "core/document.h"
#include "core/file_io.h"
#include "render/qt_canvas.h"
#include "reports/page_frame.h"
#include "reports/report_drawer.h"

namespace zarim {
namespace {

ReportContext PrintContext(const PrintJob& job, bool a4) {
  ReportContext ctx;
  ctx.screen_dpi_x = job.screen_dpi_x;
  ctx.screen_dpi_y = job.screen_dpi_y;
  ctx.page_height_tenths = a4 ? kPageHeightA4Tenths : kPageHeightLetterTenths;
  ctx.printing = true;
  ctx.today = job.today;
  ctx.fonts = job.fonts;
  ctx.selection = job.selection;
  return ctx;
}

}  // namespace

int PrintedPageCount(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y,
                     bool a4) {
  QtCanvas measure(nullptr, &device, dpi_x, dpi_y);
  ReportContext ctx = PrintContext(job, a4);
  ctx.wanted_page = kPageCountOnly;
  DrawReport(*job.doc, measure, ctx, job.kind, job.group);
  return ctx.page_count;
}

int RenderReportPages(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y, bool a4,
                      int from, int to, int copies, PageProgress* progress) {
  const int pages = PrintedPageCount(job, device, dpi_x, dpi_y, a4);
  from = std::clamp(from, 1, pages);
  to = std::clamp(to < from ? pages : to, from, pages);
  copies = std::max(copies, 1);
  const int total = (to - from + 1) * copies;

  QPainter painter;
  if (!painter.begin(&device)) return -1;
  if (total < kProgressFromPages) progress = nullptr;
  if (progress) progress->Start(total);
  int drawn = 0;
  const int band = PageBandHeight(a4 ? kPageHeightA4Tenths : kPageHeightLetterTenths, dpi_y);
  for (int copy = 0; copy < copies; ++copy) {
    for (int page = from; page <= to; ++page) {
      if (progress && !progress->Step(drawn, page, pages)) {
        painter.end();
        return drawn;
      }
      if (drawn > 0) device.newPage();
      painter.save();
      QtCanvas canvas(&painter, &device, dpi_x, dpi_y);
      SelectPrintedPage(canvas, page, band, dpi_x);
      ReportContext ctx = PrintContext(job, a4);
      ctx.wanted_page = page;
      DrawReport(*job.doc, canvas, ctx, job.kind, job.group);
      painter.restore();
      ++drawn;
    }
  }
  if (progress) progress->Finish(total);
  painter.end();
  return drawn;
}

namespace {

// Passes a job's progress on and remembers whether it stopped the job.
class StopWatch : public PageProgress {
 public:
  explicit StopWatch(PageProgress* inner) : inner_(inner) {}
  void Start(int total) override {
    if (inner_) inner_->Start(total);
  }
  bool Step(int drawn, int page, int pages) override {
    if (!inner_ || inner_->Step(drawn, page, pages)) return true;
    stopped_ = true;
    return false;
  }
  void Finish(int total) override {
    if (inner_) inner_->Finish(total);
  }
  bool stopped() const { return stopped_; }

 private:
  PageProgress* inner_;
  bool stopped_ = false;
};

}  // namespace

bool RenderReportPdf(const PrintJob& job, const QString& path, int dpi, PageProgress* progress,
                     bool* canceled) {
  if (canceled) *canceled = false;
  if (!job.doc) return false;
  // Only the save writes into the data folder; a PDF there could replace a data file.
  if (IsInsideDataFolder(job.doc->data_folder, path.toStdString())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  StopWatch watch(progress);
  int drawn = 0;
  {
    QPdfWriter writer(&file);
    // The writer's own defaults (1200 dpi, A4, margins) would move every line.
    writer.setResolution(dpi);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    writer.setCreator(QStringLiteral("ZARIM"));
    drawn = RenderReportPages(job, writer, dpi, dpi, false, 1, 0, 1, progress ? &watch : nullptr);
  }
  if (watch.stopped() || drawn <= 0) {
    file.cancelWriting();
    if (canceled) *canceled = watch.stopped();
    return false;
  }
  return file.commit();
}

}  // namespace zarim
