// The commands of the analyses, averages and statistics: each draws its report in the
// report view, where print, preview and "Save as PDF" take it; the group reports ask
// for the group first.
#include "core/command_ids.h"
#include "core/document.h"
#include "records/group_picker_form.h"
#include "reports/report_kind.h"
#include "shell/commands.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/dialogs/quick_overview_dialog.h"
#include "shell/dialogs/year_to_date_dialogs.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {
namespace {

ReportView* ViewOf(CMainFrame& frame) { return qobject_cast<ReportView*>(frame.report_view()); }

// The group picker of a group report; nothing happens when it is cancelled. For the
// group analysis its print buttons print one group or every group in turn.
void ShowGroupReport(CMainFrame& frame, int kind, GroupPickerForm::Purpose purpose) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  GroupPickerForm form(frame.doc(), purpose, view->group() > 0 ? view->group() : 1);
  GroupPickerDialog dialog(form, frame.dialog_parent());
  dialog.exec();
  auto show = [&](int group) {
    view->set_group(group);
    frame.ShowReport(kind);
  };
  switch (form.result()) {
    case GroupPickerForm::Result::kOk:
      show(form.group());
      break;
    case GroupPickerForm::Result::kPrintSelected:
      show(form.group());
      frame.ShowStatusMessage(
          PrintReport(frame.dialog_parent(), JobFromView(*view), frame.prompter()).toStdString());
      break;
    case GroupPickerForm::Result::kPrintAll:
      for (int g = 1; g <= static_cast<int>(form.Items().size()); ++g) {
        if (!GroupPickerForm::GroupHasMembers(frame.doc(), g)) continue;
        show(g);
        PrintReport(frame.dialog_parent(), JobFromView(*view), frame.prompter());
      }
      frame.ShowActionPanel();
      break;
    default:
      break;
  }
}

// A year-to-date dialog; its "&Print" prints the form's choice as a report of the kind
// through the print dialog, with the fonts and date of the report view.
template <typename Form, typename Dialog>
void RunYearToDateDialog(CMainFrame& frame, int kind) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  Form form(frame.doc());
  QWidget* owner = frame.dialog_parent();
  Dialog dialog(
      form,
      [&frame, &owner, view, kind](int code) {
        PrintJob job = JobFromView(*view);
        job.kind = kind;
        job.group = code;
        job.selection = nullptr;
        frame.ShowStatusMessage(PrintReport(owner, job, frame.prompter()).toStdString());
      },
      frame.dialog_parent());
  owner = &dialog;
  dialog.exec();
}

}  // namespace

void RegisterAnalysisCommands(CommandTable& table) {
  using namespace report_kind;
  table.AddReport(kCmdAnalysisPioneersGroups, kCongregationAnalysis);
  table.AddReport(kCmdAnalysisAtoZ, kCongregationAnalysisAlpha);
  table.AddReport(kCmdCongSummary, kCongregationSummary);
  table.AddReport(kCmdMeetingReport, kMeetingReport);
  table.Add(kCmdGroupAnalysis, [](CMainFrame& frame) {
    ShowGroupReport(frame, kGroupAnalysis, GroupPickerForm::Purpose::kAnalysis);
  });

  table.Add(kCmdQuickOverview,
            [](CMainFrame& frame) { RunQuickOverviewDialog(frame.dialog_parent(), frame.doc()); });

  table.AddReport(kCmdAvgCongregation, kAveragesCongregation);
  table.Add(kCmdAvgGroup, [](CMainFrame& frame) {
    ShowGroupReport(frame, kAveragesGroup, GroupPickerForm::Purpose::kMembersNeeded);
  });
  table.AddReport(kCmdAvgRegular, kAveragesRegular);
  table.AddReport(kCmdAvgElders, kAveragesElders);
  table.AddReport(kCmdAvgServants, kAveragesServants);
  table.AddReport(kCmdAvgBrothers, kAveragesBrothers);
  table.AddReport(kCmdAvgCustom, kAveragesCustom);
  table.AddReport(kCmdStatistics, kStatistics);
  table.AddReport(kCmdHoursCongregation, kHoursCongregation);
  table.Add(kCmdHoursGroup, [](CMainFrame& frame) {
    ShowGroupReport(frame, kHoursGroup, GroupPickerForm::Purpose::kMembersNeeded);
  });
  table.AddReport(kCmdHoursRegular, kHoursRegular);
  table.AddReport(kCmdHoursAux, kHoursAuxiliary);
  table.AddReport(kCmdHoursEldersMs, kHoursEldersServants);
  table.AddReport(kCmdHoursBrothers, kHoursBrothers);
  table.AddReport(kCmdHoursCustom, kHoursCustom);
  table.AddReport(kCmdPioneerHoursReport, kPioneerHours);
  table.AddReport(kCmdTotalsCongregation, kServiceYearCongregation);
  table.AddReport(kCmdTotalsPioneers, kServiceYearRegular);
  table.AddReport(kCmdTotalsEldersMs, kServiceYearEldersServants);
  table.Add(kCmdPioneerHours, [](CMainFrame& frame) {
    RunYearToDateDialog<PioneerYtdForm, PioneerYtdDialog>(frame, kPioneerYtd);
  });
  table.Add(kCmdYtdSummary, [](CMainFrame& frame) {
    RunYearToDateDialog<YtdSummaryForm, YtdSummaryDialog>(frame, kYtdSummary);
  });
}

}  // namespace zarim
