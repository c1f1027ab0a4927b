// The commands of the lists: address, contact, telephone (elders and ministerial
// servants, pioneers), telephone & e-mail, emergency contact data, special needs, the
// field service group lists and the labels. A per-group list asks for the group first.
#include <utility>

#include "core/command_ids.h"
#include "reports/report_kind.h"
#include "shell/commands.h"
#include "shell/dialogs/attendance_forms_dialogs.h"
#include "shell/dialogs/labels_dialog.h"
#include "shell/dialogs/record_card_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/report_view.h"

namespace zarim {
namespace {

ReportView* ViewOf(CMainFrame& frame) { return qobject_cast<ReportView*>(frame.report_view()); }

void AddGroupReport(CommandTable& table, int id, int kind) {
  table.Add(id, [kind](CMainFrame& frame) { ShowGroupReport(frame, kind); });
}

// The labels: "Select Labels" (with the names to tick for the selected publishers) and
// the starting label; nothing is shown when it is cancelled.
void ShowLabels(CMainFrame& frame, bool choose_people) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  ReportSelection selection;
  if (!RunLabelsDialog(frame.dialog_parent(), frame.doc(), choose_people, &selection)) return;
  view->set_selection(std::move(selection));
  frame.ShowReport(report_kind::kLabels);
}

// "Select Emergency Contact Forms": the households ticked, of the congregation or of the
// group picked in the dialog; an empty choice prints nothing, so nothing is shown.
void ShowEmergencyForms(CMainFrame& frame) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  int kind = 0, group = 0;
  ReportSelection selection;
  if (!RunEmergencyFormsDialog(frame.dialog_parent(), frame.doc(), &kind, &group, &selection))
    return;
  if (selection.records.empty()) return;
  view->set_selection(std::move(selection));
  view->set_group(group);
  frame.ShowReport(kind);
}

// The meeting attendance record of the service year chosen in its dialog.
void ShowAttendanceRecord(CMainFrame& frame) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  ReportSelection selection;
  if (!RunAttendanceRecordDialog(frame.dialog_parent(), frame.doc(), &selection)) return;
  view->set_selection(std::move(selection));
  frame.ShowReport(kAttendanceRecordKind);
}

}  // namespace

void RegisterListCommands(CommandTable& table) {
  namespace k = report_kind;
  table.AddReport(kCmdTelephoneEldersMs, k::kTelephoneEldersServants);
  table.AddReport(kCmdTelephonePioneers, k::kTelephonePioneers);

  table.AddReport(kCmdAddressCongregation, k::kAddressCongregation);
  AddGroupReport(table, kCmdAddressGroup, k::kAddressGroup);
  table.AddReport(kCmdAddressInactive, k::kAddressInactive);
  table.AddReport(kCmdAddressEldersMs, k::kAddressEldersServants);
  table.AddReport(kCmdAddressPioneers, k::kAddressPioneers);

  table.AddReport(kCmdContactCongregation, k::kContactCongregation);
  AddGroupReport(table, kCmdContactGroup, k::kContactGroup);
  table.AddReport(kCmdContactEldersMs, k::kContactEldersServants);
  table.AddReport(kCmdContactPioneers, k::kContactPioneers);
  // The inactive contact list of the whole congregation is the by-group list without a
  // group.
  table.Add(kCmdContactInactive, [](CMainFrame& frame) {
    if (ReportView* view = ViewOf(frame)) {
      view->set_group(0);
      frame.ShowReport(k::kContactInactiveByGroup);
    }
  });
  AddGroupReport(table, kCmdContactInactiveGroup, k::kContactInactiveByGroup);

  table.AddReport(kCmdTelEmailCongregation, k::kTelEmailCongregation);
  AddGroupReport(table, kCmdTelEmailGroup, k::kTelEmailGroup);
  table.AddReport(kCmdTelEmailEldersMs, k::kTelEmailEldersServants);
  table.AddReport(kCmdTelEmailPioneers, k::kTelEmailPioneers);

  table.AddReport(kCmdEmergencyCongregation, k::kEmergencyCongregation);
  AddGroupReport(table, kCmdEmergencyGroup, k::kEmergencyGroup);
  table.Add(kCmdEmergencyForms, ShowEmergencyForms);
  table.Add(kCmdAttendanceRecord, ShowAttendanceRecord);

  table.AddReport(kCmdNeedsCongregation, k::kSpecialNeedsCongregation);
  AddGroupReport(table, kCmdNeedsGroup, k::kSpecialNeedsGroup);

  table.AddReport(kCmdGroupListActive, k::kGroupListActive);
  table.AddReport(kCmdGroupListStudents, k::kGroupListStudents);
  table.AddReport(kCmdGroupListInactive, k::kGroupListInactive);
  table.AddReport(kCmdGroupListAll, k::kGroupListAll);
  table.AddReport(kCmdGroupListGdpr, k::kGroupListConsent);

  table.Add(kCmdPublisherRecords, [](CMainFrame& frame) {
    RunRecordCardDialog(frame.dialog_parent(), frame.doc(), frame.prompter(),
                        frame.services().clipboard);
  });
  // Options > "Publisher Records": the card preferences for all records.
  table.Add(kCmdCardOptions, [](CMainFrame& frame) {
    if (RunCardPreferencesDialog(frame.dialog_parent(), frame.doc(), 0)) {
      if (ReportView* view = ViewOf(frame)) view->Relayout();
    }
  });

  table.Add(kCmdLabelsAll, [](CMainFrame& frame) { ShowLabels(frame, false); });
  table.Add(kCmdLabelsSelected, [](CMainFrame& frame) { ShowLabels(frame, true); });
}

}  // namespace zarim
