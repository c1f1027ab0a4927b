// zarim-cli check-figures: the figures of the working month's report to the branch that
// stand far from the publisher's own or outside the slip's limits.
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/plausible_figures.h"

namespace zarim::cli {
namespace {

const char* KindName(FigureWarningKind kind) {
  switch (kind) {
    case FigureWarningKind::kHoursFarAboveUsual:
      return "hours_far_above_usual";
    case FigureWarningKind::kStudiesWithoutSharing:
      return "studies_without_sharing";
    case FigureWarningKind::kCreditAboveLimit:
      return "credit_above_limit";
    case FigureWarningKind::kPioneerFarBelowRequired:
      return "pioneer_far_below_required";
  }
  return "";
}

Outcome CheckFigures(Context& ctx) {
  bool json = TakeFlag(ctx.args, "--json");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: check-figures takes only --json\n";
    return Outcome::kUsage;
  }
  const CZarimDoc& doc = ctx.doc;
  std::vector<FigureWarning> warnings = CheckWorkingMonth(doc);
  if (json) {
    Json j(ctx.out);
    j.BeginObject();
    j.Field("working_month", doc.working_month + 1);
    j.Field("working_year", 2000 + doc.working_year);
    j.Key("warnings").BeginArray();
    for (const FigureWarning& w : warnings) {
      j.BeginObject()
          .Field("kind", KindName(w.kind))
          .Field("id", w.id)
          .Field("month", w.month + 1)
          .Field("year", 2000 + w.year)
          .Field("value", w.value)
          .Field("usual", w.usual)
          .Field("text", w.text);
      j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    return Outcome::kDone;
  }
  const std::string month = MonthYearName(doc.working_month, doc.working_year);
  if (warnings.empty()) {
    ctx.out << Fill(Sid::kFigNone, month) << "\n";
    return Outcome::kDone;
  }
  ctx.out << Fill(Sid::kFigAccepted, month, WarningLines(warnings)) << "\n";
  return Outcome::kDone;
}

}  // namespace

ZARIM_CLI_COMMAND("check-figures", Access::kReads,
                  "check-figures [--json]  figures of the working month far from the usual",
                  CheckFigures);

}  // namespace zarim::cli
