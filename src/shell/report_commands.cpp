// The commands of the report engine: the telephone lists, print, print preview, print
// setup, "Save as PDF", the font commands and the formatting options.
#include <QApplication>

#include "core/command_ids.h"
#include "core/document.h"
#include "core/settings.h"
#include "core/strings.h"
#include "records/group_picker_form.h"
#include "reports/report_kind.h"
#include "shell/commands.h"
#include "shell/dialogs/format_options_dialog.h"
#include "shell/dialogs/group_picker_dialog.h"
#include "shell/feature_commands.h"
#include "shell/main_window.h"
#include "shell/report_host.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {
namespace {

ReportView* ViewOf(CMainFrame& frame) { return qobject_cast<ReportView*>(frame.report_view()); }

// The font commands write the settings file at once, with the other fonts; not while an
// old month is viewed, when nothing is written.
void SaveFonts(CMainFrame& frame) {
  SettingsFile* settings = frame.services().settings;
  if (!settings || frame.doc().history_view) return;
  if (!settings->WriteNow())
    frame.prompter().Tell(Fill(Sid::kUnableToCreateFile, settings->path()));
}

void FontCommand(CMainFrame& frame, FontRole role, Sid caption) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  QString title = Plain(caption);
  if (RunFontCommand(frame.dialog_parent(), role, title, view->fonts(), ReportProfile(frame),
                     view->screen_dpi_y())) {
    SaveFonts(frame);
    view->Relayout();
  }
}

}  // namespace

// A per-group report: the picker first; nothing happens when it is cancelled or the
// chosen group has no members.
void ShowGroupReport(CMainFrame& frame, int kind) {
  ReportView* view = ViewOf(frame);
  if (!view) return;
  int proposed = view->group() > 0 ? view->group() : 1;
  int group = RunGroupPickerDialog(frame.dialog_parent(), frame.doc(),
                                   GroupPickerForm::Purpose::kMembersNeeded, proposed);
  if (group <= 0) return;
  view->set_group(group);
  frame.ShowReport(kind);
}

void RegisterReportCommands(CommandTable& table) {
  table.AddReport(kCmdTelephoneCongregation, report_kind::kTelephoneCongregation);
  table.Add(kCmdTelephoneGroup,
            [](CMainFrame& frame) { ShowGroupReport(frame, report_kind::kTelephoneGroup); });

  table.Add(kCmdPrint, [](CMainFrame& frame) {
    if (ReportView* view = ViewOf(frame); view && frame.report_shown())
      frame.ShowStatusMessage(PrintReport(frame.dialog_parent(), JobFromView(*view),
                                          frame.prompter(), frame.ReportTitle())
                                  .toStdString());
  });
  table.Add(kCmdPrintPreview, [](CMainFrame& frame) {
    if (ReportView* view = ViewOf(frame); view && frame.report_shown())
      PreviewReport(frame.dialog_parent(), JobFromView(*view),
                    [&frame](bool on) { frame.SetPrintPreview(on); });
  });
  table.Add(kCmdPrintSetup, [](CMainFrame& frame) { RunPrintSetup(frame.dialog_parent()); });
  table.Add(kCmdSaveAsPdf, [](CMainFrame& frame) {
    if (ReportView* view = ViewOf(frame); view && frame.report_shown())
      frame.ShowStatusMessage(SaveReportAsPdf(frame.dialog_parent(), JobFromView(*view),
                                              frame.prompter(), frame.ReportTitle())
                                  .toStdString());
  });

  table.Add(kCmdFontTitles,
            [](CMainFrame& f) { FontCommand(f, FontRole::kTitle, Sid::kMenuFontTitles); });
  table.Add(kCmdFontSubtitles,
            [](CMainFrame& f) { FontCommand(f, FontRole::kSubtitle, Sid::kMenuFontSubtitles); });
  table.Add(kCmdFontHeadings,
            [](CMainFrame& f) { FontCommand(f, FontRole::kHeading, Sid::kMenuFontHeadings); });
  table.Add(kCmdFontText,
            [](CMainFrame& f) { FontCommand(f, FontRole::kText, Sid::kMenuFontText); });
  table.Add(kCmdFontSmall,
            [](CMainFrame& f) { FontCommand(f, FontRole::kSmall, Sid::kMenuFontSmall); });
  table.Add(kCmdFontDefaults, [](CMainFrame& frame) {
    if (ReportView* view = ViewOf(frame)) {
      ResetFonts(view->fonts(), ReportProfile(frame), frame.doc().language_code);
      SaveFonts(frame);
      view->Relayout();
    }
  });

  table.Add(kCmdReportFormat, [](CMainFrame& frame) {
    if (RunFormatOptionsDialog(frame.dialog_parent(), frame.doc())) {
      if (ReportView* view = ViewOf(frame)) view->Relayout();
    }
  });
}

}  // namespace zarim
