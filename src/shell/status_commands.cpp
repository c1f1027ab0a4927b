// The commands of publisher statuses and meeting attendance: "&Inactive", "Deleted",
// "&MoveOuts" and "&Meeting Attendance".
#include "core/command_ids.h"
#include "shell/commands.h"
#include "shell/dialogs/attendance_dialog.h"
#include "shell/dialogs/inactive_dialog.h"
#include "shell/dialogs/moveouts_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

void RegisterStatusCommands(CommandTable& table) {
  table.Add(kCmdEditInactive, [](CMainFrame& frame) {
    RunInactiveDialog(frame.dialog_parent(), frame.doc(), InactiveForm::Mode::kInactive,
                      frame.services().clipboard);
  });
  table.Add(kCmdDeleted, [](CMainFrame& frame) {
    RunInactiveDialog(frame.dialog_parent(), frame.doc(), InactiveForm::Mode::kDeleted,
                      frame.services().clipboard);
  });
  table.Add(kCmdMoveOuts,
            [](CMainFrame& frame) { RunMoveOutsDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdPostAttendance,
            [](CMainFrame& frame) { RunAttendanceDialog(frame.dialog_parent(), frame.doc()); });
}

}  // namespace zarim
