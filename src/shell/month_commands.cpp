// The commands of the working month and of backups: "&Report Slips", the six "View Old
// Reports" items with the action panel's return button, "Backup" and "Restore".
#include <map>
#include <memory>

#include "core/command_ids.h"
#include "cycle/old_reports.h"
#include "shell/commands.h"
#include "shell/dialogs/backup_dialog.h"
#include "shell/dialogs/posting_decision_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

// The viewer remembers the live working month while an old report is shown; one per
// document for the whole run.
OldReportsViewer& ViewerFor(CMainFrame& frame) {
  static std::map<const CZarimDoc*, std::unique_ptr<OldReportsViewer>> viewers;
  auto& v = viewers[&frame.doc()];
  if (!v) {
    static SystemClock system_clock;
    const Clock& clock = frame.services().clock ? *frame.services().clock : system_clock;
    v = std::make_unique<OldReportsViewer>(frame.doc(), clock);
  }
  return *v;
}

void ViewOldReport(CMainFrame& frame, int k) {
  OldReportsViewer& viewer = ViewerFor(frame);
  if (viewer.View(k)) frame.ShowActionPanel();
}

}  // namespace

void RegisterMonthCommands(CommandTable& table) {
  table.Add(kCmdReportSlips, [](CMainFrame& frame) {
    std::string status = RunReportCollection(frame.dialog_parent(), frame.doc(), frame.prompter());
    frame.ShowStatusMessage(status);
  });
  const int items[] = {kCmdOldReport1, kCmdOldReport2, kCmdOldReport3,
                       kCmdOldReport4, kCmdOldReport5, kCmdOldReport6};
  for (int k = 1; k <= 6; ++k)
    table.Add(items[k - 1], [k](CMainFrame& frame) { ViewOldReport(frame, k); });
  table.Add(kCmdHistoryReturn, [](CMainFrame& frame) {
    ViewerFor(frame).Return();
    frame.ShowActionPanel();
  });
  table.Add(kCmdBackup, [](CMainFrame& frame) { RunBackupDialog(frame, false); });
  table.Add(kCmdRestore, [](CMainFrame& frame) { RunBackupDialog(frame, true); });
}

}  // namespace zarim
