// A report written as a PDF file by the command line, through the PDF writer of the
// rendering library (offscreen, no window and no printer). Builds without Qt say so
// instead.
#pragma once

#include <string>

#include "core/document.h"
#include "core/ports.h"
#include "reports/page_frame.h"

namespace zarim::cli {

// Writes report kind `kind` of doc (for field service group `group` where the report is
// drawn per group) to path with the default report fonts. False with a message in *error
// when the file could not be written or no PDF writer is built in.
bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error, int group = 0,
                        const ReportSelection* selection = nullptr);

}  // namespace zarim::cli
