// The report view as the main window holds it: created once, told which report to draw.
#pragma once

class QWidget;

namespace zarim {

class CMainFrame;

QWidget* CreateReportView(CMainFrame& frame, QWidget* parent);
void SetReportKind(QWidget* view, CMainFrame& frame, int kind);
// Where the report fonts are stored; null while the program has no settings file.
class Profile;
Profile* ReportProfile(CMainFrame& frame);

}  // namespace zarim
