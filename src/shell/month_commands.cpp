// The commands of the working month and of backups: "&Report Slips", the six "View Old
// Reports" items with the action panel's return button, "Backup" and "Restore".
#include <QObject>

#include "core/command_ids.h"
#include "cycle/congregation.h"
#include "cycle/old_reports.h"
#include "shell/commands.h"
#include "shell/dialogs/backup_dialog.h"
#include "shell/dialogs/posting_decision_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

// The viewer remembers the live working month while an old report is shown; it lives as
// long as the main window, as a child object found by its name.
class ViewerHolder : public QObject {
 public:
  ViewerHolder(CMainFrame& frame, DocumentStore& store)
      : QObject(&frame), viewer(frame.doc(), store) {
    setObjectName(QStringLiteral("zarim-old-reports-viewer"));
  }
  OldReportsViewer viewer;
};

// Null without an owner of the folder (a window over a bare document reads no snapshot).
OldReportsViewer* ViewerFor(CMainFrame& frame) {
  auto* holder = static_cast<ViewerHolder*>(frame.findChild<QObject*>(
      QStringLiteral("zarim-old-reports-viewer"), Qt::FindDirectChildrenOnly));
  if (!holder) {
    if (!frame.services().congregation) return nullptr;
    holder = new ViewerHolder(frame, *frame.services().congregation);
  }
  return &holder->viewer;
}

void ViewOldReport(CMainFrame& frame, int k) {
  OldReportsViewer* viewer = ViewerFor(frame);
  if (viewer && viewer->View(k)) frame.ShowActionPanel();
}

}  // namespace

void RegisterMonthCommands(CommandTable& table) {
  table.Add(kCmdReportSlips, [](CMainFrame& frame) {
    std::string status =
        RunPostingDecisionDialog(frame.dialog_parent(), frame.doc(), frame.prompter(),
                                 frame.services().mailer, frame.services().desktop);
    frame.ShowStatusMessage(status);
  });
  const int items[] = {kCmdOldReport1, kCmdOldReport2, kCmdOldReport3,
                       kCmdOldReport4, kCmdOldReport5, kCmdOldReport6};
  for (int k = 1; k <= 6; ++k)
    table.Add(items[k - 1], [k](CMainFrame& frame) { ViewOldReport(frame, k); });
  table.Add(kCmdHistoryReturn, [](CMainFrame& frame) {
    if (OldReportsViewer* viewer = ViewerFor(frame)) viewer->Return();
    frame.ShowActionPanel();
  });
  table.Add(kCmdBackup, [](CMainFrame& frame) { RunBackupDialog(frame, false); });
  table.Add(kCmdRestore, [](CMainFrame& frame) { RunBackupDialog(frame, true); });
}

}  // namespace zarim
