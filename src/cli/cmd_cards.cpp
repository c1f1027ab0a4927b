// zarim-cli report card / report cards: one publisher's record card, the congregation's
// totals card of a category, or every card of the active or the inactive file in the
// stored or the alphabetic order, as text, JSON or PDF.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "reports/record_card.h"
#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim::cli {

Outcome CardsReport(Context& ctx) {
  auto& args = ctx.args;
  const bool single = args[0] == "card";
  args.erase(args.begin());
  ReportSelection selection;
  selection.chosen = true;
  selection.previous_year = TakeFlag(args, "--previous");
  bool json = TakeFlag(args, "--json");
  TakeFlag(args, "--text");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  std::optional<std::string> totals = single ? TakeOption(args, "--totals") : std::nullopt;
  if (totals) {
    std::optional<std::string> period = TakeOption(args, "--period");
    selection.totals_from_branch = TakeFlag(args, "--branch");
    selection.totals_category = YtdCategoryArg(*totals);
    selection.totals_period = YtdPeriodArg(period);
    if (!args.empty() || selection.totals_category < 0 || selection.totals_period < 0) {
      ctx.err << "zarim-cli: usage: report card --totals (publishers|auxiliary|regular) "
                 "[--branch] [--period six|year|twelve] (--text|--json|--pdf FILE)\n";
      return Outcome::kUsage;
    }
  } else if (single) {
    if (args.size() != 1) {
      ctx.err << "zarim-cli: usage: report card ID [--previous] (--text|--json|--pdf FILE)\n";
      return Outcome::kUsage;
    }
    Outcome o = ParsePublisherIds(ctx, args[0], &selection.records);
    if (o != Outcome::kDone) return o;
  } else {
    bool active = TakeFlag(args, "--active");
    bool inactive = TakeFlag(args, "--inactive");
    std::optional<std::string> order = TakeOption(args, "--order");
    if (!args.empty() || active == inactive || (order && *order != "list" && *order != "alpha")) {
      ctx.err << "zarim-cli: usage: report cards (--active|--inactive) [--order list|alpha] "
                 "[--previous] (--text|--json|--pdf FILE)\n";
      return Outcome::kUsage;
    }
    selection.records =
        CardRecords(ctx.doc, active ? kActive : kInactive, order && *order == "alpha");
  }
  return EmitReport(ctx, report_kind::kRecordCards, 0, &selection, pdf, json);
}

}  // namespace zarim::cli
