// The View menu's lists and the action panel's list buttons, each opening the View lists
// dialog on its list type, and "History" (editing past months).
#include <utility>

#include "core/command_ids.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "reports/corrections_report.h"
#include "reports/view_list_report.h"
#include "shell/commands.h"
#include "shell/dialogs/corrections_dialog.h"
#include "shell/dialogs/history_dialog.h"
#include "shell/dialogs/view_list_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {

namespace {

// "Print" of the dialog: the list on the report pages, with the report view's fonts.
void PrintList(CMainFrame& frame, const ViewListForm& form) {
  auto* view = qobject_cast<ReportView*>(frame.report_view());
  if (!view) return;
  PrintJob job = JobFromView(*view);
  job.kind = kViewListReportKind;
  job.group = EncodeViewListSelection({form.type(), form.second(), form.third()});
  frame.ShowStatusMessage(PrintReport(frame.dialog_parent(), job, frame.prompter()).toStdString());
}

// "Print" of the Corrections window: the list as shown, on the report pages.
void PrintCorrections(CMainFrame& frame, const CorrectionsForm& form) {
  auto* view = qobject_cast<ReportView*>(frame.report_view());
  if (!view) return;
  PrintJob job = JobFromView(*view);
  job.kind = kCorrectionsReportKind;
  job.group = form.Selection();
  frame.ShowStatusMessage(PrintReport(frame.dialog_parent(), job, frame.prompter()).toStdString());
}

void OpenCorrections(CMainFrame& frame) {
  const Congregation* owner = frame.services().congregation;
  CorrectionsForm form(frame.doc(),
                       owner ? owner->pending_corrections() : std::vector<CorrectionEntry>{});
  RunCorrectionsDialog(frame.dialog_parent(), form,
                       [&frame](const CorrectionsForm& f) { PrintCorrections(frame, f); });
}

void OpenList(CMainFrame& frame, ViewType type) {
  RunViewListDialog(frame.dialog_parent(), frame.doc(), type, frame.services().mailer,
                    frame.services().clipboard,
                    [&frame](const ViewListForm& form) { PrintList(frame, form); });
}

}  // namespace

void RegisterViewCommands(CommandTable& table) {
  const std::pair<int, ViewType> kLists[] = {
      {kCmdNoReport, ViewType::kNoReport},
      {kCmdIrregular, ViewType::kIrregular},
      {kCmdNewPublishers, ViewType::kNewPublishers},
      {kCmdReactivated, ViewType::kReactivated},
      {kCmdViewInactive, ViewType::kInactive},
      {kCmdViewMoveouts, ViewType::kMoveouts},
      {kCmdRecentlyBaptized, ViewType::kYearsBaptized},
      {kCmdViewAuxPioneers, ViewType::kAuxPioneers},
      {kCmdStudyConductors, ViewType::kStudyConductors},
      {kCmdUnbaptized, ViewType::kUnbaptized},
      {kCmdViewNonPublishers, ViewType::kNonPublishers},
      {kCmdCollectionForm, ViewType::kCollectionForm},
      {kCmdPrivileges, ViewType::kPrivileges},
      {kCmdGdprConsent, ViewType::kConsent},
      {kCmdNoGdprConsent, ViewType::kNoConsent},
      {kCmdViewRuntime, ViewType::kCircumstances},
      {kCmdViewCustom, ViewType::kCustom},
  };
  table.Add(kCmdHistory,
            [](CMainFrame& frame) { RunHistoryDialog(frame.dialog_parent(), frame.doc()); });
  table.Add(kCmdCorrections, OpenCorrections);
  for (auto [id, type] : kLists)
    table.Add(id, [type = type](CMainFrame& frame) { OpenList(frame, type); });
  // The special-circumstances item has no caption of its own: it shows the list's text
  // while a record has a circumstance, and is hidden otherwise.
  table.SetCaption(kCmdViewRuntime, [](const CZarimDoc& doc) {
    return doc.special_circumstances_present ? std::string(Str(Sid::kViewCircumstances))
                                             : std::string();
  });
}

}  // namespace zarim
