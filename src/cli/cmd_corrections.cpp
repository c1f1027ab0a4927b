// zarim-cli corrections: the corrections log, every change made to a month already
// reported to the branch; all of the running service year, or one month's.
#include <ostream>

#include "cli/cli.h"
#include "cli/corrections_json.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/corrections.h"

namespace zarim::cli {
namespace {

Outcome Corrections(Context& ctx) {
  const bool json = TakeFlag(ctx.args, "--json");
  auto month_text = TakeOption(ctx.args, "--month");
  auto year_text = TakeOption(ctx.args, "--year");
  if (!ctx.args.empty() || month_text.has_value() != year_text.has_value()) {
    ctx.err << "zarim-cli: corrections takes [--month M --year YYYY] [--json]\n";
    return Outcome::kUsage;
  }
  CorrectionsRead read;
  if (month_text) {
    auto month = ParseMonth(*month_text, ctx.err);
    auto year = ParseInt(*year_text, 2000, 2099, ctx.err, "year");
    if (!month || !year) return Outcome::kUsage;
    // A month's corrections may be logged in its own service year or the next.
    const int service_year = ServiceYear(*year, *month - 1);
    read = ReadCorrectionsWithYears(ctx.doc.data_folder, {service_year, service_year + 1});
    read.entries = CorrectionsOfMonth(read.entries, *month - 1, *year - 2000);
  } else {
    read = ReadCorrections(ctx.doc.data_folder);
  }
  if (json) {
    Json j(ctx.out);
    j.BeginObject().Field("unreadable", read.unreadable).Key("corrections").BeginArray();
    for (const CorrectionEntry& e : read.entries) CorrectionJson(j, e);
    j.EndArray().EndObject();
    return Outcome::kDone;
  }
  if (read.entries.empty()) ctx.out << Str(Sid::kNoCorrections) << "\n";
  for (const CorrectionEntry& e : read.entries) ctx.out << CorrectionText(e) << "\n";
  if (read.unreadable) ctx.err << Printf(Sid::kCorrectionsUnreadable, read.unreadable) << "\n";
  return Outcome::kDone;
}

}  // namespace

ZARIM_CLI_COMMAND("corrections", Access::kReads,
                  "corrections [--month M --year YYYY] [--json]  changes made to months already "
                  "reported to the branch",
                  Corrections);

}  // namespace zarim::cli
