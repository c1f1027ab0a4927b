// Drawing a report onto paged Qt devices (a printer or a PDF file) with the Qt canvas.
// Qt Gui only: the desktop adds its print dialogs and progress window on top, and
// zarim-cli writes PDF files with it without any widget.
#pragma once

#include <QString>

#include "core/ports.h"
#include "reports/fonts.h"
#include "reports/page_frame.h"

class QPagedPaintDevice;

namespace zarim {

class CZarimDoc;

// Everything needed to lay a report out on paper.
struct PrintJob {
  const CZarimDoc* doc = nullptr;
  const ReportFonts* fonts = nullptr;
  int kind = 0;
  int group = 0;
  Date today;
  int screen_dpi_x = 96;
  int screen_dpi_y = 96;
  const ReportSelection* selection = nullptr;  // the chosen people, where a report has them
};

// Follows a long job page by page. Start is called once before the first page of a job
// of kProgressFromPages pages or more, Step before each page, Finish after the last.
class PageProgress {
 public:
  virtual ~PageProgress() = default;
  virtual void Start(int total) = 0;
  // Before drawing page `page` of `pages`, `drawn` pages being done; false stops the job.
  virtual bool Step(int drawn, int page, int pages) = 0;
  virtual void Finish(int total) = 0;
};

// Jobs of this many pages (copies included) or more report their progress.
inline constexpr int kProgressFromPages = 4;

// The page count of a job on a paged device of the given resolution.
int PrintedPageCount(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y, bool a4);

// Draws pages from..to (1-based, to < from meaning the last page) of a job onto a paged
// device, copies times (collated). Returns the number of pages drawn (fewer when the
// progress stops the job), or -1 when the device could not be opened.
int RenderReportPages(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y, bool a4,
                      int from, int to, int copies, PageProgress* progress);

// Writes the whole report to a PDF file at the given resolution on Letter paper; no
// printer is involved. The file is written under a temporary name and put in place only
// when every page is drawn: a job stopped by its progress (canceled set) or a failure
// leaves no file and no half file behind. False when no file was written.
bool RenderReportPdf(const PrintJob& job, const QString& path, int dpi, PageProgress* progress,
                     bool* canceled = nullptr);

}  // namespace zarim
