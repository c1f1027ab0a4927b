// The commands of publisher statuses and meeting attendance: "&Inactive", "Deleted",
// "&MoveOuts" and "&Meeting Attendance".
#include "core/command_ids.h"
#include "shell/commands.h"
#include "shell/dialogs/attendance_dialog.h"
#include "shell/dialogs/delete_dialog.h"
#include "shell/dialogs/inactive_dialog.h"
#include "shell/dialogs/moveouts_dialog.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

// "&Edit" of the inactive and deleted lists opens publisher editing on the record.
std::function<void(QWidget*, CZarimDoc&, int)> EditHook(CMainFrame& frame) {
  Clipboard* clipboard = frame.services().clipboard;
  return [clipboard](QWidget* parent, CZarimDoc& doc, int rec) {
    EditPublisher(parent, doc, clipboard, PublisherKind::kPublisher, rec);
  };
}

}  // namespace

void RegisterStatusCommands(CommandTable& table) {
  table.Add(kCmdEditInactive, [](CMainFrame& frame) {
    RunInactiveDialog(frame.dialog_parent(), frame.doc(), InactiveForm::Mode::kInactive, EditHook(frame),
                      [](QWidget* parent, CZarimDoc& doc, int rec) { RunDeleteDialog(parent, doc, rec); });
  });
  table.Add(kCmdDeleted, [](CMainFrame& frame) {
    RunInactiveDialog(frame.dialog_parent(), frame.doc(), InactiveForm::Mode::kDeleted, EditHook(frame));
  });
  table.Add(kCmdMoveOuts, [](CMainFrame& frame) { RunMoveOutsDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdPostAttendance, [](CMainFrame& frame) { RunAttendanceDialog(frame.dialog_parent(), frame.doc()); });
}

}  // namespace zarim
