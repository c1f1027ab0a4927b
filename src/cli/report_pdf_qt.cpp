// The PDF of a report for zarim-cli, drawn by the desktop's page writer on the offscreen
// platform.
#include <QApplication>
#include <QByteArray>

#include "cli/report_pdf.h"
#include "shell/report_printing.h"

namespace zarim::cli {

bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "zarim-cli";
  static char* argv[] = {name, nullptr};
  static QApplication* app = QApplication::instance() ? nullptr : new QApplication(argc, argv);
  (void)app;
  ReportFonts fonts;
  fonts.ResetDefaults(doc.language_code);
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = kind;
  job.today = today;
  if (!WriteReportPdf(job, QString::fromStdString(path))) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace zarim::cli
