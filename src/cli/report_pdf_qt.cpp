// The PDF of a report for zarim-cli, drawn by the page writer of the rendering library on
// the offscreen platform: Qt Gui only, no widgets.
#include <QByteArray>
#include <QGuiApplication>

#include "cli/report_pdf.h"
#include "core/file_io.h"
#include "core/strings.h"
#include "render/report_pdf.h"

namespace zarim::cli {

bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error, int group, const ReportSelection* selection) {
  // A read command never writes into the data folder, not even when told to.
  if (IsInsideDataFolder(doc.data_folder, path)) {
    *error = Fill(Sid::kOutputInsideDataFolder, path, doc.data_folder);
    return false;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "zarim-cli";
  static char* argv[] = {name, nullptr};
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
