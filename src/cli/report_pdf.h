// A report written as a PDF file by the command line, through the PDF writer of the
// rendering library (offscreen, no window and no printer). Builds without Qt say so
// instead.
#pragma once

#include <optional>
#include <string>

#include "cli/cli.h"
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

// Reads the --group of a report drawn per group into *group: 0, or the exit code after
// telling the user (2 for no number, 1 for a group that is not defined or has nobody).
int ReadReportGroup(Context& ctx, const std::string& text, int* group);

// Writes report kind `kind` for `selection` to the file *pdf when one is given, else its
// model as text or, with json, as JSON to the output; the command's exit code.
int EmitReport(Context& ctx, int kind, int group, const ReportSelection& selection,
               const std::optional<std::string>& pdf, bool json);

}  // namespace zarim::cli
