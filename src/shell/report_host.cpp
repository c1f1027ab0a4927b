// The report view of the main window: the report engine's ReportView, with its fonts
// loaded and Esc leading back to the action panel.
#include "shell/report_host.h"

#include <QPointer>

#include "core/document.h"
#include "core/ports.h"
#include "core/settings.h"
#include "reports/profile.h"
#include "shell/main_window.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {

// The settings file of the data folder; null when the window runs without one (tests),
// and the fonts then live for the run.
Profile* ReportProfile(CMainFrame& frame) { return frame.services().profile; }

QWidget* CreateReportView(CMainFrame& frame, QWidget* parent) {
  auto* view = new ReportView(frame.doc(), parent);
  const PrinterResolution printer = DefaultPrinterResolution();
  if (Profile* profile = ReportProfile(frame)) {
    if (view->fonts().Load(*profile, UseHighResolutionFonts(printer), frame.doc().language_code))
      view->fonts().Save(*profile);
  } else if (!UseHighResolutionFonts(printer)) {
    MemoryProfile empty;
    view->fonts().Load(empty, false, frame.doc().language_code);
  }
  // Every save writes the fonts back into the settings file.
  if (SettingsFile* settings = frame.services().settings; settings && ReportProfile(frame)) {
    QPointer<ReportView> alive(view);
    Profile* profile = ReportProfile(frame);
    settings->AddSaveWriter([alive, profile](IniFile&) {
      if (alive) alive->fonts().Save(*profile);
    });
  }
  if (const Clock* clock = frame.services().clock) view->set_today(clock->Today());
  QObject::connect(view, &ReportView::returnToPanelRequested, &frame,
                   [&frame] { frame.ShowActionPanel(); });
  return view;
}

void SetReportKind(QWidget* view, CMainFrame& /*frame*/, int kind) {
  if (auto* report = qobject_cast<ReportView*>(view)) {
    if (kind > 0)
      report->ShowReport(kind);
    else
      report->ReturnToPanel();
  }
}

}  // namespace zarim
