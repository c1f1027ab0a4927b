// zarim-cli labels: the publisher labels as a PDF file, of every active publisher (by
// category) or of the publishers named by identifier, from any starting label.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "reports/labels.h"
#include "reports/report_kind.h"

namespace zarim::cli {
namespace {

constexpr const char* kUsage = "zarim-cli: usage: labels [--start N] [--ids ID,...] --pdf FILE\n";

int Labels(Context& ctx) {
  auto& args = ctx.args;
  std::optional<std::string> start_text = TakeOption(args, "--start");
  std::optional<std::string> ids_text = TakeOption(args, "--ids");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  if (!args.empty() || !pdf) {
    ctx.err << kUsage;
    return 2;
  }
  ReportSelection selection;
  if (start_text) {
    std::optional<int> start = ParseInt(*start_text, 1, kLabelsPerSheet, ctx.err, "starting label");
    if (!start) return 2;
    selection.start_label = *start;
  }
  if (ids_text) {
    selection.chosen = true;
    if (int code = ParsePublisherIds(ctx, *ids_text, &selection.records)) return code;
  }
  return EmitReport(ctx, report_kind::kLabels, 0, selection, pdf, false);
}

ZARIM_CLI_COMMAND("labels",
                  "labels [--start N] [--ids ID,...] --pdf FILE  publisher labels, two across and "
                  "ten down",
                  Labels);

}  // namespace
}  // namespace zarim::cli
