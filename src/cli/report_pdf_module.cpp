// The PDF writer of zarim-cli, built as a module that the program loads only when a
// command writes a PDF file, so that every other command starts without Qt Gui. The
// report drawers and the document come from the program itself; this module adds the
// page writer of the rendering library on the offscreen platform (Qt Gui, no widgets).
#include <QByteArray>
#include <QGuiApplication>

#include "cli/report_pdf.h"
#include "render/report_pdf.h"

extern "C" __attribute__((visibility("default"))) bool zarim_cli_write_report_pdf(
    const zarim::cli::PdfRequest* request, std::string* error) {
  using namespace zarim;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "zarim-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app =
      QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
  ReportFonts fonts;
  fonts.ResetDefaults(request->doc->language_code);
  PrintJob job;
  job.doc = request->doc;
  job.fonts = &fonts;
  job.kind = request->kind;
  job.group = request->group;
  job.today = request->today;
  job.selection = request->selection;
  if (!RenderReportPdf(job, QString::fromStdString(request->path), 300, nullptr)) {
    *error = "cannot write " + request->path;
    return false;
  }
  return true;
}
