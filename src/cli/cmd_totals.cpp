// zarim-cli totals: the working report totals and the stored monthly totals.
#include <iomanip>
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "cli/totals_names.h"
#include "core/month.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"

namespace zarim::cli {
namespace {

void Rows(Json& j, const WorkingTotals& t) {
  j.BeginObject();
  for (int row = 0; row < kTotalsRows; ++row) {
    j.Key(kRowNames[row]).BeginObject();
    for (int f = 0; f < kTotalsFields; ++f)
      j.Field(kFieldNames[f], static_cast<int>(t.row[row][f]));
    j.EndObject();
  }
  j.EndObject();
}

bool Empty(const WorkingTotals& t) { return t == WorkingTotals{}; }

void Table(std::ostream& out, const WorkingTotals& t) {
  out << std::setw(12) << "";
  for (const char* f : kFieldNames) out << std::setw(9) << std::string(f).substr(0, 8);
  out << "\n";
  for (int row = 0; row < kTotalsRows; ++row) {
    out << std::setw(12) << std::left << kRowNames[row] << std::right;
    for (int f = 0; f < kTotalsFields; ++f) out << std::setw(9) << t.row[row][f];
    out << "\n";
  }
}

Outcome Totals(Context& ctx) {
  CZarimDoc& doc = ctx.doc;
  bool json = TakeFlag(ctx.args, "--json");
  if (!ctx.args.empty()) {
    ctx.err << "zarim-cli: totals takes only --json\n";
    return Outcome::kUsage;
  }
  // The open month's stored totals follow the records since the folder was opened.
  const WorkingTotals working = ComputeWorkingTotals(doc);
  if (json) {
    Json j(ctx.out);
    j.BeginObject();
    j.Field("working_month", doc.working_month + 1);
    j.Field("working_year", 2000 + doc.working_year);
    j.Field("open", WorkingMonthOpen(doc));
    j.Key("working");
    Rows(j, working);
    j.Field("total_reports", RowSum(working, kTotalsReportsField));
    j.Field("total_hours", RowSum(working, kHours));
    j.Field("total_studies", RowSum(working, kBibleStudies));
    j.Field("special_servants", CountSpecialServants(doc));
    j.Field("field_missionaries", CountFieldMissionaries(doc));
    j.Key("stored").BeginArray();
    for (int m = 0; m < 12; ++m)
      for (int s = 0; s < 2; ++s) {
        WorkingTotals t = StoredTotals(doc, m, s);
        if (Empty(t)) continue;
        j.BeginObject().Field("month", m + 1).Field("slot", s);
        j.Key("rows");
        Rows(j, t);
        j.EndObject();
      }
    j.EndArray();
    j.EndObject();
    return Outcome::kDone;
  }
  ctx.out << "Working totals, " << MonthName(doc.working_month) << " " << 2000 + doc.working_year
          << (WorkingMonthOpen(doc) ? " (open)" : " (not open: not stored)") << "\n";
  Table(ctx.out, working);
  ctx.out << "Totals: reports " << RowSum(working, kTotalsReportsField) << ", hours "
          << RowSum(working, kHours) << ", studies " << RowSum(working, kBibleStudies) << "\n";
  ctx.out << "Special servants " << CountSpecialServants(doc) << ", field missionaries "
          << CountFieldMissionaries(doc) << "\n";
  for (int m = 0; m < 12; ++m)
    for (int s = 0; s < 2; ++s) {
      WorkingTotals t = StoredTotals(doc, m, s);
      if (Empty(t)) continue;
      ctx.out << "\nStored " << MonthName(m) << ", slot " << s << "\n";
      Table(ctx.out, t);
    }
  return Outcome::kDone;
}

ZARIM_CLI_COMMAND(
    "totals", Access::kReads,
    "totals [--json]           the working report totals and the stored monthly totals", Totals);

}  // namespace
}  // namespace zarim::cli
