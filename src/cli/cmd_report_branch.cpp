// zarim-cli report branch: the report to the branch office as text, or as a PDF file
// written by the page writer of the rendering library.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "reports/branch_report.h"

namespace zarim::cli {
namespace {

int Report(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty() || args[0] != "branch") {
    ctx.err << "zarim-cli: report branch (--text | --pdf FILE)\n";
    return 2;
  }
  args.erase(args.begin());
  TakeFlag(args, "--text");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  if (!args.empty()) {
    ctx.err << "zarim-cli: unknown argument " << args[0] << "\n";
    return 2;
  }
  if (pdf) {
    std::string error;
    if (!WriteReportPdfFile(ctx.doc, kBranchReportKind, ctx.clock.Today(), *pdf, &error)) {
      ctx.err << "zarim-cli: " << error << "\n";
      return 1;
    }
    return 0;
  }
  ctx.out << BranchReportText(ctx.doc);
  return 0;
}

ZARIM_CLI_COMMAND("report", "report branch (--text | --pdf FILE)  the report to the branch office",
                  Report);

}  // namespace
}  // namespace zarim::cli
