// The Edit-menu commands of the publisher records: publishers, Bible students, pioneer
// lists, field service groups, the circuit overseer, the custom category and AutoCaps.
#include "core/command_ids.h"
#include "core/document.h"
#include "shell/commands.h"
#include "shell/dialogs/groups_dialog.h"
#include "shell/dialogs/records_option_dialogs.h"
#include "shell/dialogs/select_publisher_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/services.h"

namespace zarim {
namespace {

void RunSelect(CMainFrame& frame, uint8_t status) {
  RunSelectPublisherDialog(frame.dialog_parent(), frame.doc(), frame.services().clipboard, status);
}

void RunPioneers(CMainFrame& frame, PioneerListForm::Mode mode) {
  RunPioneerListDialog(frame.dialog_parent(), frame.doc(), mode);
}

}  // namespace

void RegisterRecordsCommands(CommandTable& table) {
  table.Add(kCmdPublishers, [](CMainFrame& frame) { RunSelect(frame, kActive); });
  table.Add(kCmdEditNonPublishers, [](CMainFrame& frame) { RunSelect(frame, kNonPublisher); });
  table.Add(kCmdAuxPioneers,
            [](CMainFrame& frame) { RunPioneers(frame, PioneerListForm::Mode::kAuxiliary); });
  table.Add(kCmdRegularPioneers,
            [](CMainFrame& frame) { RunPioneers(frame, PioneerListForm::Mode::kRegular); });
  table.Add(kCmdGroups,
            [](CMainFrame& frame) { RunGroupsDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdCircuitOverseer, [](CMainFrame& frame) {
    RunCircuitOverseerDialog(frame.dialog_parent(), frame.doc());
  });
  table.Add(kCmdCustomCategory,
            [](CMainFrame& frame) { RunCustomCategoryDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdAutoCaps, [](CMainFrame& frame) { ToggleAutoCaps(frame.doc()); });
}

}  // namespace zarim
