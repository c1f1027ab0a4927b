// The print flow, print preview, PDF writing and the font commands.
#include "shell/report_printing.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <algorithm>
#include <memory>

#include "core/document.h"
#include "core/file_io.h"
#include "core/strings.h"
#include "exchange/exports_folder.h"
#include "exchange/report_file_name.h"
#include "render/qt_canvas.h"
#include "reports/profile.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/report_view.h"

namespace zarim {
namespace {

// The progress window of a long print job; Cancel stops it before the next page.
class DialogProgress : public PageProgress {
 public:
  explicit DialogProgress(QWidget* parent) : parent_(parent) {}
  void Start(int total) override {
    // The Cancel button stops the job before its next page.
    dialog_ =
        std::make_unique<QProgressDialog>(QString(), Q(Sid::kCancelButton), 0, total, parent_);
    dialog_->setObjectName(QStringLiteral("print_progress"));
    dialog_->setWindowTitle(Q(Sid::kAppName));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(300);
    dialog_->setAccessibleName(dialog_->windowTitle());
  }
  bool Step(int drawn, int page, int pages) override {
    if (dialog_->wasCanceled()) return false;
    dialog_->setLabelText(Q(Fill(Sid::kPrintingPage, std::to_string(page), std::to_string(pages))));
    dialog_->setValue(drawn);
    QApplication::processEvents();
    return true;
  }
  void Finish(int total) override { dialog_->setValue(total); }

 private:
  QWidget* parent_;
  std::unique_ptr<QProgressDialog> dialog_;
};

bool IsA4(const QPagedPaintDevice& device) {
  return device.pageLayout().pageSize().id() == QPageSize::A4;
}

// The report is laid out from the paper's top-left corner: no printer margins.
void UseWholePage(QPrinter& printer) {
  printer.setFullPage(true);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

}  // namespace

PrintJob JobFromView(const ReportView& view) {
  PrintJob job;
  job.doc = &view.doc();
  job.fonts = &view.fonts();
  job.kind = view.kind();
  job.group = view.group();
  job.today = view.today();
  job.screen_dpi_x = view.screen_dpi_x();
  job.screen_dpi_y = view.screen_dpi_y();
  job.selection = &view.selection();
  return job;
}

PrinterResolution DefaultPrinterResolution() {
  PrinterResolution res;
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return res;  // no printer: 300 x 300
  QPrinter printer(info, QPrinter::HighResolution);
  res.available = true;
  res.x = printer.logicalDpiX();
  res.y = printer.logicalDpiY();
  if (res.x <= 0 || res.y <= 0) res = PrinterResolution{300, 300, true};
  return res;
}

bool UseHighResolutionFonts(const PrinterResolution& printer) {
  return !printer.available || printer.x >= 300;
}

int RenderPages(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y, bool a4,
                int from, int to, int copies, QWidget* progress_parent) {
  DialogProgress progress(progress_parent);
  return RenderReportPages(job, device, dpi_x, dpi_y, a4, from, to, copies, &progress);
}

bool WriteReportPdf(const PrintJob& job, const QString& path, int dpi, QWidget* progress_parent,
                    bool* canceled) {
  DialogProgress progress(progress_parent);
  return RenderReportPdf(job, path, dpi, &progress, canceled);
}

QString PrintReport(QWidget* parent, const PrintJob& job, Prompter& prompter,
                    const QString& title) {
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // Without a printer the report can still leave the program, as a PDF file.
    if (prompter.Ask(Str(Sid::kNoPrinterSavePdf), Buttons::kYesNo, Answer::kYes) != Answer::kYes)
      return {};
    return SaveReportAsPdf(parent, job, prompter, title);
  }
  QPrinter printer(QPrinter::HighResolution);
  UseWholePage(printer);
  const bool a4 = IsA4(printer);
  const int pages =
      PrintedPageCount(job, printer, printer.logicalDpiX(), printer.logicalDpiY(), a4);
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, pages);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  printer.setCollateCopies(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  const bool a4_now = IsA4(printer);
  int from = 1, to = pages;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    from = printer.fromPage();
    to = printer.toPage() > 0 ? printer.toPage() : pages;
  }
  // When the driver cannot make copies, the view prints the range again for each copy.
  int copies = 1;
  if (!printer.supportsMultipleCopies()) {
    copies = printer.copyCount();
    printer.setCopyCount(1);
  }
  const int drawn = RenderPages(job, printer, printer.logicalDpiX(), printer.logicalDpiY(), a4_now,
                                from, to, copies, parent);
  return PrintedStatus(drawn, printer.printerName());
}

QString PrintedStatus(int pages, const QString& printer) {
  if (pages <= 0) return {};
  return Q(Fill(Sid::kStatusPrinted, std::to_string(pages), printer.toStdString()));
}

int PrintOnPrinter(const PrintJob& job, const QString& printer_name, QWidget* progress_parent,
                   const QString& job_name) {
  const QPrinterInfo info = printer_name.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                   : QPrinterInfo::printerInfo(printer_name);
  if (info.isNull()) return 0;
  QPrinter printer(info, QPrinter::HighResolution);
  UseWholePage(printer);
  printer.setDocName(job_name.isEmpty() ? Q(Sid::kAppName) : job_name);
  return RenderPages(job, printer, printer.logicalDpiX(), printer.logicalDpiY(), IsA4(printer), 1,
                     0, 1, progress_parent);
}

void PreviewReport(QWidget* parent, const PrintJob& job,
                   const std::function<void(bool)>& previewing) {
  QPrinter printer(QPrinter::HighResolution);
  UseWholePage(printer);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // No printer: lay the pages out at 300 x 300.
    printer.setResolution(300);
  }
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&job](QPrinter* p) {
    RenderPages(job, *p, p->logicalDpiX(), p->logicalDpiY(), IsA4(*p), 1, 0, 1, nullptr);
  });
  if (previewing) previewing(true);
  preview.exec();
  if (previewing) previewing(false);
}

QString ProposedPdfPath(const PrintJob& job, const QString& title) {
  const QString name = QString::fromStdString(ReportPdfFileName(title.toStdString(), job.today));
  if (!job.doc) return name;
  std::string folder = EnsureExportsFolder(job.doc->data_folder);
  if (folder.empty()) folder = QDir::homePath().toStdString();
  return QDir(QString::fromStdString(folder)).filePath(name);
}

QString AskPdfPath(QWidget* parent, const PrintJob& job, Prompter& prompter, const QString& title) {
  QString path = QFileDialog::getSaveFileName(parent, Plain(Sid::kSaveAsPdf),
                                              ProposedPdfPath(job, title), Q(Str(Sid::kPdfFilter)));
  if (path.isEmpty()) return {};
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  if (job.doc && IsInsideDataFolder(job.doc->data_folder, path.toStdString())) {
    prompter.Tell(Fill(Sid::kOutputInsideDataFolder, path.toStdString(), job.doc->data_folder));
    return {};
  }
  return path;
}

QString SaveReportAsPdf(QWidget* parent, const PrintJob& job, Prompter& prompter,
                        const QString& title) {
  const QString path = AskPdfPath(parent, job, prompter, title);
  if (path.isEmpty()) return {};
  bool canceled = false;
  if (WriteReportPdf(job, path, 300, parent, &canceled))
    return Q(Fill(Sid::kStatusSavedPdf, path.toStdString()));
  if (!canceled) prompter.Tell(Fill(Sid::kUnableToCreateFile, path.toStdString()));
  return {};
}

void RunPrintSetup(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

bool RunFontCommand(QWidget* parent, FontRole role, const QString& caption, ReportFonts& fonts,
                    Profile* profile, int screen_dpi_y) {
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, ToQFont(fonts.Get(role)), parent, caption,
                                      QFontDialog::ScalableFonts);
  if (!ok) return false;
  FontSpec font_spec = FromQFont(chosen, screen_dpi_y);
  font_spec.charset = fonts.Get(role).charset;
  if (font_spec == fonts.Get(role)) return false;
  fonts.Set(role, font_spec);
  if (profile) fonts.Save(*profile);
  return true;
}

void ResetFonts(ReportFonts& fonts, Profile* profile, std::string_view language_code) {
  fonts.ResetDefaults(language_code);
  if (profile) fonts.Save(*profile);
}

}  // namespace zarim
