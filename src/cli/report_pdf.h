// A report written as a PDF file by the command line. zarim-cli itself has no PDF writer:
// it hands a command that writes one to zarim-cli-pdf, the same program with the page
// writer of the rendering library linked in. Builds without Qt say so instead.
#pragma once

#include <optional>
#include <string>

#include "cli/cli.h"
#include "core/document.h"
#include "core/ports.h"
#include "reports/page_frame.h"

namespace zarim::cli {

// True when the command line asks for a PDF file (--pdf FILE or --pdf=FILE).
bool AsksForPdf(int argc, char** argv);
// Runs the PDF writer program with the same command line in place of this process;
// returns only when it is not installed (in the PDF writer itself, at once).
void HandOverToPdfWriter(char** argv);

// Writes report kind `kind` of doc (for field service group `group` where the report is
// drawn per group) to path with the default report fonts. False with a message in *error
// when the file could not be written or the PDF writer could not be loaded.
bool WriteReportPdfFile(const CZarimDoc& doc, int kind, const Date& today, const std::string& path,
                        std::string* error, int group = 0,
                        const ReportSelection* selection = nullptr);

// Reads the --group of a report drawn per group into *group: kDone, or after telling the
// user kUsage for no number and kRefused for a group that is not defined or has nobody.
Outcome ReadReportGroup(Context& ctx, const std::string& text, int* group);

// True when the command line asks for a PDF file (--pdf FILE or --pdf=FILE).
bool AsksForPdf(int argc, char** argv);
// Runs the PDF writer program with the same command line in place of this process;
// returns only when it is not installed (in the PDF writer itself, at once).
void HandOverToPdfWriter(char** argv);

// Writes report kind `kind` for `selection` (null: the report's own choice of people) to
// the file *pdf when one is given, else its model as text or, with json, as JSON to the
// output.
Outcome EmitReport(Context& ctx, int kind, int group, const ReportSelection* selection,
                   const std::optional<std::string>& pdf, bool json);

}  // namespace zarim::cli
