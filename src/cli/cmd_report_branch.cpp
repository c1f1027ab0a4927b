// zarim-cli report branch: the report to the branch office as text. Its PDF comes from
// the desktop program's "Save as PDF": the library draws through the Canvas interface
// and has no PDF writer of its own.
#include <ostream>

#include "cli/cli.h"
#include "reports/branch_report.h"

namespace zarim::cli {
namespace {

int Report(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty() || args[0] != "branch") {
    ctx.err << "zarim-cli: report branch --text\n";
    return 2;
  }
  args.erase(args.begin());
  TakeFlag(args, "--text");
  if (TakeOption(args, "--pdf")) {
    ctx.err << "zarim-cli: a PDF of this page is written by the desktop program (Save as PDF)\n";
    return 2;
  }
  if (!args.empty()) {
    ctx.err << "zarim-cli: unknown argument " << args[0] << "\n";
    return 2;
  }
  ctx.out << BranchReportText(ctx.doc);
  return 0;
}

ZARIM_CLI_COMMAND("report", "report branch --text      the report to the branch office", Report);

}  // namespace
}  // namespace zarim::cli
