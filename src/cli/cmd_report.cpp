// zarim-cli report: any report of the registry, by name or kind number, as text, as
// JSON (its model), or as a PDF file written by the page writer of the rendering library.
// The report to the branch office keeps its own text form.
#include <ostream>

#include "cli/cli.h"
#include "cli/report_pdf.h"
#include "core/file_io.h"
#include "core/strings.h"
#include "records/group_picker_form.h"
#include "records/groups.h"
#include "reports/branch_report.h"
#include "reports/report_registry.h"
#include "reports/view_list_report.h"

namespace zarim::cli {

// The record cards (cmd_cards.cpp): "report card ID" and "report cards --active".
Outcome CardsReport(Context& ctx);
// The attendance record and the emergency contact forms (cmd_forms.cpp).
Outcome FormsReport(Context& ctx);
// A View list with its selections (cmd_view.cpp): "report view-list TYPE ...".
Outcome ViewList(Context& ctx);

Outcome ReadReportGroup(Context& ctx, const std::string& text, int* group) {
  std::optional<int> g = ParseInt(text, 1, kMaxGroups, ctx.err, "group");
  if (!g) return Outcome::kUsage;
  if (std::string refusal = GroupPickerForm::GroupRefusal(ctx.doc, *g); !refusal.empty()) {
    ctx.err << "zarim-cli: " << refusal << "\n";
    return Outcome::kRefused;
  }
  *group = *g;
  return Outcome::kDone;
}

Outcome EmitReport(Context& ctx, int kind, int group, const ReportSelection* selection,
                   const std::optional<std::string>& pdf, bool json) {
  if (pdf) {
    // A read command never writes into the data folder, not even when told to.
    if (IsInsideDataFolder(ctx.doc.data_folder, *pdf)) {
      ctx.err << "zarim-cli: " << Fill(Sid::kOutputInsideDataFolder, *pdf, ctx.doc.data_folder)
              << "\n";
      return Outcome::kNotWritten;
    }
    std::string error;
    if (!WriteReportPdfFile(ctx.doc, kind, ctx.clock.Today(), *pdf, &error, group, selection)) {
      ctx.err << "zarim-cli: " << error << "\n";
      return Outcome::kNotWritten;
    }
    return Outcome::kDone;
  }
  // The report to the branch office keeps the text form of its own.
  if (kind == kBranchReportKind && !json) {
    ctx.out << BranchReportText(ctx.doc);
    return Outcome::kDone;
  }
  const ReportEntry* entry = FindReport(kind);
  if (!entry->model) {
    ctx.err << "zarim-cli: report " << entry->name << " is written only as --pdf FILE\n";
    return Outcome::kUsage;
  }
  ReportContext context;
  context.today = ctx.clock.Today();
  context.selection = selection;
  ReportModel model = entry->model(ctx.doc, context, group);
  ctx.out << (json ? ReportModelJson(model) + "\n" : ReportModelText(model));
  return Outcome::kDone;
}

namespace {

constexpr const char* kUsage =
    "zarim-cli: report NAME|KIND [--group N] (--text | --json | --pdf FILE)\n";

Outcome ListReports(Context& ctx) {
  for (const ReportEntry& entry : AllReports()) {
    const char* arguments = entry.kind == kViewListReportKind ? "\tTYPE [view options]"
                            : entry.per_group                 ? "\t--group N"
                                                              : "";
    ctx.out << entry.kind << '\t' << entry.name << arguments << '\n';
  }
  return Outcome::kDone;
}

Outcome Report(Context& ctx) {
  auto& args = ctx.args;
  if (args.empty()) {
    ctx.err << kUsage;
    return Outcome::kUsage;
  }
  if (args[0] == "list") return ListReports(ctx);
  if (args[0] == "card" || args[0] == "cards") return CardsReport(ctx);
  if (args[0] == "attendance-record" || args[0] == "emergency-forms" ||
      args[0] == "emergency-forms-group")
    return FormsReport(ctx);
  const ReportEntry* entry = FindReportByName(args[0]);
  if (!entry) {
    ctx.err << "zarim-cli: no report " << args[0] << " (zarim-cli report list names them)\n";
    return Outcome::kUnknown;
  }
  args.erase(args.begin());
  if (entry->kind == kViewListReportKind) return ViewList(ctx);
  std::optional<std::string> group_text = TakeOption(args, "--group");
  bool json = TakeFlag(args, "--json");
  TakeFlag(args, "--text");
  std::optional<std::string> pdf = TakeOption(args, "--pdf");
  if (!args.empty()) {
    ctx.err << "zarim-cli: unknown argument " << args[0] << "\n";
    return Outcome::kUsage;
  }
  int group = 0;
  if (entry->per_group) {
    if (!group_text) {
      ctx.err << "zarim-cli: report " << entry->name << " needs --group N\n";
      return Outcome::kUsage;
    }
    if (Outcome o = ReadReportGroup(ctx, *group_text, &group); o != Outcome::kDone) return o;
  } else if (group_text) {
    ctx.err << "zarim-cli: report " << entry->name << " is not drawn per group\n";
    return Outcome::kUsage;
  }
  return EmitReport(ctx, entry->kind, group, nullptr, pdf, json);
}

ZARIM_CLI_COMMAND("report", Access::kReads,
                  "report NAME|KIND [--group N] (--text | --json | --pdf FILE)  a report; "
                  "'report list' names them",
                  Report);

}  // namespace
}  // namespace zarim::cli
