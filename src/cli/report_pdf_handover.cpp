// zarim-cli without the PDF writer: a command that writes a PDF file is handed whole to
// the PDF writer program, zarim-cli-pdf, which is this program with the page writer and
// Qt Gui linked in. It lies beside the program in a build folder, else in the program's
// library folder of an installation. Every other command starts without Qt.
#include <unistd.h>

#include <string_view>

#include "cli/report_pdf.h"
#include "core/file_io.h"

namespace zarim::cli {

bool AsksForPdf(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view a(argv[i]);
    if (a == "--pdf" || a.starts_with("--pdf=")) return true;
  }
  return false;
}

void HandOverToPdfWriter(char** argv) {
  std::string folder = ProgramFolder();
  if (folder.empty()) folder = ".";
  for (const std::string& path : {folder + "/" ZARIM_PDF_WRITER,
                                  folder + "/" ZARIM_PDF_WRITER_FROM_BIN "/" ZARIM_PDF_WRITER}) {
    if (!FileExists(path)) continue;
    ::execv(path.c_str(), argv);  // returns only when the program could not be started
  }
}

bool WriteReportPdfFile(const CZarimDoc&, int, const Date&, const std::string&, std::string* error,
                        int, const ReportSelection*) {
  *error =
      "the PDF writer " ZARIM_PDF_WRITER " is not installed; use the desktop program's Save as PDF";
  return false;
}

}  // namespace zarim::cli
