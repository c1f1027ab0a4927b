// The PDF writer of zarim-cli-pdf: the page writer of the rendering library on the
// offscreen platform (Qt Gui, no widgets, no window and no printer).
#include <QByteArray>
#include <QGuiApplication>

#include "cli/report_pdf.h"
#include "render/report_pdf.h"

namespace zarim::cli {

bool AsksForPdf(int, char**) { return false; }

void HandOverToPdfWriter(char**) {}

bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error, int group, const ReportSelection* selection) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "zarim-cli";
  static char* argv[] = {name, nullptr};
  // Made once and kept: Qt keeps state that outlives a call.
  static QGuiApplication* app =
      QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
  ReportFonts fonts;
  fonts.ResetDefaults(doc.language_code);
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = kind;
  job.group = group;
  job.today = today;
  job.selection = selection;
  if (!RenderReportPdf(job, QString::fromStdString(path), 300, nullptr)) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace zarim::cli
