// The commands of report slip posting: "Erase Late Reports" (offered after F11 in the
// main view) and the report to the branch office in the report view. "&Report Slips"
// belongs to the working-month feature, which opens RunPostingListDialog once the month
// is open.
#include "core/command_ids.h"
#include "core/document.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "reports/branch_check_report.h"
#include "reports/branch_report.h"
#include "shell/commands.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

void RegisterPostingCommands(CommandTable& table) {
  table.Add(kCmdAllowEraseLate, [](CMainFrame& frame) { AllowEraseLateReports(frame.doc()); });
  table.Add(kCmdEraseLate, [](CMainFrame& frame) { EraseLateReports(frame.doc()); });
  table.Add(kCmdBranchReport, [](CMainFrame& frame) { frame.ShowReport(kBranchReportKind); });
  table.AddReport(kCmdCheckBranchReports, kBranchCheckReportKind);
}

}  // namespace zarim
