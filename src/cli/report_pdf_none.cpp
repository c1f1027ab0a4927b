// Without the desktop program there is no PDF writer.
#include "cli/report_pdf.h"

namespace zarim::cli {

bool WriteReportPdfFile(const CZarimDoc&, int, const Date&, const std::string&, std::string* error,
                        int, const ReportSelection*) {
  *error = "this build has no PDF writer; use the desktop program's Save as PDF";
  return false;
}

}  // namespace zarim::cli
