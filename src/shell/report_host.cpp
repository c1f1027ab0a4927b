// The report view of the main window: the report engine's ReportView, with its fonts
// loaded and Esc leading back to the action panel.
#include "shell/report_host.h"

#include "core/document.h"
#include "core/ports.h"
#include "reports/profile.h"
#include "shell/main_window.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"

namespace zarim {

Profile* ReportProfile(CMainFrame& /*frame*/) {
  // The settings file joins here once the program has one; until then the fonts live
  // for the run.
  return nullptr;
}

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
