// zarim-cli labels: the publisher labels as text, JSON or a PDF file, of every active
// publisher (by category) or of the publishers named by identifier, from any starting label.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "reports/labels.h"
#include "reports/report_kind.h"

namespace zarim::cli {
namespace {

constexpr const char* kUsage =
    "zarim-cli: usage: labels [--start N] [--ids ID,...] (--text | --json | --pdf FILE)\n";

Outcome Labels(Context& ctx) {
  auto& args = ctx.args;
  std::optional<std::string> start_text = TakeOption(args, "--start");
  std::optional<std::string> ids_text = TakeOption(args, "--ids");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  const bool json = TakeFlag(args, "--json");
  TakeFlag(args, "--text");
  if (!args.empty()) {
    ctx.err << kUsage;
    return Outcome::kUsage;
  }
  ReportSelection selection;
  if (start_text) {
    std::optional<int> start = ParseInt(*start_text, 1, kLabelsPerSheet, ctx.err, "starting label");
    if (!start) return Outcome::kUsage;
    selection.start_label = *start;
  }
  if (ids_text) {
    selection.chosen = true;
    Outcome o = ParsePublisherIds(ctx, *ids_text, &selection.records);
    if (o != Outcome::kDone) return o;
  }
  return EmitReport(ctx, report_kind::kLabels, 0, &selection, pdf, json);
}

ZARIM_CLI_COMMAND(
    "labels", Access::kReads,
    "labels [--start N] [--ids ID,...] (--text | --json | --pdf FILE)  publisher labels, two "
    "across and "
    "ten down",
    Labels);

}  // namespace
}  // namespace zarim::cli
