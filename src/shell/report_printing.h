// Printing the shown report: the print dialog (page range, copies, collation when the
// driver cannot), print preview, print setup, "Save as PDF" written straight with the PDF
// writer, and the font commands.
#pragma once

#include <QString>
#include <functional>

#include "core/ports.h"
#include "render/report_pdf.h"
#include "reports/fonts.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zarim {

class CZarimDoc;
class Profile;
class Prompter;
class ReportView;

// The job of the report shown in a view (PrintJob and PrintedPageCount are the page
// writer's, render/report_pdf.h).
PrintJob JobFromView(const ReportView& view);

struct PrinterResolution {
  int x = 300;
  int y = 300;
  bool available = false;  // a printer is installed
};
// The default printer's resolution; 300 x 300 when there is no printer.
PrinterResolution DefaultPrinterResolution();
// The font defaults follow the printer: 300 dpi and more, or no printer, is the
// high-resolution set.
bool UseHighResolutionFonts(const PrinterResolution& printer);

// Draws pages from..to (1-based) of a job onto a paged device, copies times (collated)
// when the device cannot make copies itself. Shows progress for long jobs and stops when
// the user cancels. Returns the number of pages drawn, or -1 when the device could not
// be opened.
int RenderPages(const PrintJob& job, QPagedPaintDevice& device, int dpi_x, int dpi_y, bool a4,
                int from, int to, int copies, QWidget* progress_parent);

// Writes the whole report to a PDF file at the given resolution on Letter paper; no
// printer is involved. False when the file could not be written or the user canceled
// (canceled set); either way no file is left behind.
bool WriteReportPdf(const PrintJob& job, const QString& path, int dpi = 300,
                    QWidget* progress_parent = nullptr, bool* canceled = nullptr);

// The print flow: without a printer, the offer to save a PDF file instead (title names
// the file); otherwise the print dialog with pages 1 to the page count, then the chosen
// pages and copies. Returns what happened, for the status bar (empty when nothing did).
QString PrintReport(QWidget* parent, const PrintJob& job, Prompter& prompter,
                    const QString& title = {});
// "Sent N page(s) to the printer P." (empty when nothing was drawn).
QString PrintedStatus(int pages, const QString& printer);
// Prints the whole job on the named printer of the system (the default printer when the
// name is empty) without asking, with the progress window; the print queue shows the
// job under job_name (the program's name when empty). Returns the pages drawn, 0 when
// there is no such printer, -1 when the printer could not be opened.
int PrintOnPrinter(const PrintJob& job, const QString& printer_name, QWidget* progress_parent,
                   const QString& job_name = {});
// Print preview; previewing(true/false) is called when it opens and closes.
void PreviewReport(QWidget* parent, const PrintJob& job,
                   const std::function<void(bool)>& previewing = {});
// Asks for a file name and writes the PDF; tells the user when it cannot be written.
// The file dialog proposes "TITLE YYYY-MM-DD.pdf" in the data folder's exports folder.
// Returns "Saved as PDF: PATH" for the status bar, empty when nothing was written.
QString SaveReportAsPdf(QWidget* parent, const PrintJob& job, Prompter& prompter,
                        const QString& title = {});
// The path SaveReportAsPdf proposes.
QString ProposedPdfPath(const PrintJob& job, const QString& title);
// The file dialog of SaveReportAsPdf: the chosen path ending in ".pdf", empty when the user
// cancels or chooses a place inside the data folder (the user is told why).
QString AskPdfPath(QWidget* parent, const PrintJob& job, Prompter& prompter, const QString& title);
// The printer setup dialog of the default printer.
void RunPrintSetup(QWidget* parent);

// A font command: the font chooser on the role's font, with the command's caption.
// When the choice differs, the font is replaced and saved (profile may be null).
// Returns whether the font changed.
bool RunFontCommand(QWidget* parent, FontRole role, const QString& caption, ReportFonts& fonts,
                    Profile* profile, int screen_dpi_y);
// "&Defaults": the high-resolution defaults for all five roles, saved.
void ResetFonts(ReportFonts& fonts, Profile* profile, std::string_view language_code);

}  // namespace zarim
