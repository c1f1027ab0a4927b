// zarim-cli branch-check: each of the last twelve months' reports to the branch as sent,
// against the same figures counted from the records now.
#include <ostream>

#include "cli/cli.h"
#include "cli/corrections_json.h"
#include "cli/json.h"
#include "cli/totals_names.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_check.h"
#include "cycle/corrections.h"

namespace zarim::cli {
namespace {

Outcome BranchCheck(Context& ctx) {
  bool json = TakeFlag(ctx.args, "--json");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: branch-check takes only --json\n";
    return Outcome::kUsage;
  }
  std::vector<BranchCheckMonth> months = CheckBranchReports(ctx.doc);
  // The log entries that explain a month's differences: the changes made to it since.
  const std::vector<CorrectionEntry> log = RecentCorrections(ctx.doc);
  auto explaining = [&](const BranchCheckMonth& m) {
    return m.differences.empty() ? std::vector<CorrectionEntry>{}
                                 : CorrectionsOfMonth(log, m.month, m.year);
  };
  if (json) {
    Json j(ctx.out);
    j.BeginObject().Key("months").BeginArray();
    for (const BranchCheckMonth& m : months) {
      j.BeginObject().Field("month", m.month + 1).Field("year", 2000 + m.year);
      j.Field("differs", !m.differences.empty());
      j.Key("differences").BeginArray();
      for (auto [row, f] : m.differences)
        j.BeginObject()
            .Field("row", kRowNames[row])
            .Field("field", kFieldNames[f])
            .Field("sent", static_cast<int>(m.sent.row[row][f]))
            .Field("now", static_cast<int>(m.now.row[row][f]))
            .EndObject();
      j.EndArray().Key("corrections").BeginArray();
      for (const CorrectionEntry& e : explaining(m)) CorrectionJson(j, e);
      j.EndArray().EndObject();
    }
    j.EndArray().EndObject();
    return Outcome::kDone;
  }
  for (const BranchCheckMonth& m : months) {
    const std::string name = MonthYearName(m.month, m.year);
    if (m.differences.empty()) {
      ctx.out << Fill(Sid::kBranchCheckSame, name) << "\n";
      continue;
    }
    ctx.out << Fill(Sid::kBranchCheckDiffers, name) << "\n";
    for (auto [row, f] : m.differences)
      ctx.out << Printf(Sid::kBranchCheckLine, kRowNames[row], kFieldNames[f],
                        static_cast<int>(m.sent.row[row][f]), static_cast<int>(m.now.row[row][f]))
              << "\n";
    const std::vector<CorrectionEntry> entries = explaining(m);
    ctx.out << Str(entries.empty() ? Sid::kBranchCheckNotLogged : Sid::kBranchCheckExplainedBy)
            << "\n";
    for (const CorrectionEntry& e : entries) ctx.out << "    " << CorrectionText(e) << "\n";
  }
  return Outcome::kDone;
}

}  // namespace

ZARIM_CLI_COMMAND("branch-check", Access::kReads,
                  "branch-check [--json]   the last twelve branch reports as sent and as now",
                  BranchCheck);

}  // namespace zarim::cli
