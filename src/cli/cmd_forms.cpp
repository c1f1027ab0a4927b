// zarim-cli report attendance-record / emergency-forms: the meeting attendance record of
// a service year (alone or with the year before it beside it), and the emergency contact
// forms of the congregation or a group, of every household or of the households of the
// publishers named by identifier; as text, JSON or PDF.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "records/groups.h"
#include "reports/attendance_record.h"
#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim::cli {

Outcome FormsReport(Context& ctx) {
  auto& args = ctx.args;
  const bool attendance = args[0] == "attendance-record";
  const ReportEntry* entry = FindReportByName(args[0]);
  args.erase(args.begin());
  ReportSelection selection;
  std::optional<std::string> year_text = TakeOption(args, "--year");
  selection.two_years = TakeFlag(args, "--two");
  std::optional<std::string> ids_text = TakeOption(args, "--ids");
  std::optional<std::string> group_text = TakeOption(args, "--group");
  bool json = TakeFlag(args, "--json");
  TakeFlag(args, "--text");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  const bool misplaced = attendance ? (ids_text || group_text) : (year_text || selection.two_years);
  if (!entry || !args.empty() || misplaced || entry->per_group != group_text.has_value()) {
    ctx.err << "zarim-cli: usage: report attendance-record [--year YYYY] [--two] "
               "(--text|--json|--pdf FILE)\n"
               "       report emergency-forms [--ids ID,...] (--text|--json|--pdf FILE)\n"
               "       report emergency-forms-group --group N [--ids ID,...] "
               "(--text|--json|--pdf FILE)\n";
    return Outcome::kUsage;
  }
  int group = 0;
  if (group_text) {
    if (Outcome o = ReadReportGroup(ctx, *group_text, &group); o != Outcome::kDone) return o;
  }
  if (year_text) {
    std::vector<int> years = AttendanceRecordYears(ctx.doc);
    std::optional<int> y = ParseInt(*year_text, years.empty() ? 2000 : years.back(),
                                    years.empty() ? 2000 : years.front(), ctx.err, "service year");
    if (!y) return Outcome::kUsage;
    selection.service_year = *y;
  }
  if (ids_text) {
    selection.chosen = true;
    Outcome o = ParsePublisherIds(ctx, *ids_text, &selection.records);
    if (o != Outcome::kDone) return o;
  }
  return EmitReport(ctx, entry->kind, group, &selection, pdf, json);
}

}  // namespace zarim::cli
