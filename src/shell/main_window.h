// CMainFrame: the main window with its menu bar, toolbar, status bar, the action panel
// and the report view. Commands come from the command table (commands.h).
#pragma once

#include <QMainWindow>
#include <map>
#include <string_view>

// moc cannot read the string table's .def includes; it needs none of these headers.
#ifndef Q_MOC_RUN
#include "core/command_catalog.h"
#include "shell/dialogs/dialog_kit.h"
#endif
#include "shell/commands.h"
#include "shell/services.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

namespace zarim {

class ActionPanel;
class CZarimDoc;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(CZarimDoc& doc, const ShellServices& services, CommandTable table,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  CZarimDoc& doc() { return doc_; }
  const CZarimDoc& doc() const { return doc_; }
  Prompter& prompter() { return *services_.prompter; }
  const ShellServices& services() const { return services_; }
  QWidget* dialog_parent() { return this; }

  // Runs a command's handler when it exists and is enabled; then refreshes the window.
  // The action panel's buttons pass check_rule false: they follow their own rule.
  bool RunCommand(int id, bool check_rule = true);
  // The menu/toolbar action of a command, null when the command is not in this build.
  QAction* ActionFor(int id) const;
  const CommandTable& commands() const { return table_; }

  // The report view shows report kind; the action panel goes away.
  void ShowReport(int kind);
  // Back to the action panel ("Return to Action Panel", Esc).
  void ShowActionPanel();
  bool report_shown() const { return view_state_.report_shown; }
  int report_kind() const { return report_kind_; }
  // The shown report's name as its command calls it ("Telephone List - Congregation"),
  // empty when no report is shown.
  QString ReportTitle() const;
  QWidget* report_view() const { return report_view_; }
  ActionPanel* action_panel() const { return panel_; }

  // Set by the print preview while it is on screen: a close request is refused then.
  void SetPrintPreview(bool on);
  const ViewState& view_state() const { return view_state_; }

  // Brings commands (enabled, checked, captions), the panel and the status bar up to
  // date with the document.
  void Refresh();
  // The message pane of the status bar.
  void ShowStatusMessage(std::string_view text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Gives every entry of the menu and its submenus an access key.
  void GiveAccessKeys(QMenu* menu);
  void BuildActions();
  void BuildMenus();
  void BuildToolbar();
  void BuildStatusBar();
  void RefreshMenu(QMenu* menu);
  void RefreshAction(int id, QAction* action);

  CZarimDoc& doc_;
  ShellServices services_;
  CommandTable table_;
  std::map<int, QAction*> actions_;
  std::map<Menu, QMenu*> menus_;
  QMenu* old_reports_menu_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QLabel* month_pane_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  ActionPanel* panel_ = nullptr;
  QWidget* panel_page_ = nullptr;  // the scroll area round the panel
  QWidget* report_view_ = nullptr;
  ViewState view_state_;
  int report_kind_ = 0;
  int running_command_ = 0;  // the command whose handler runs now
  int report_command_ = 0;   // the command that put the shown report up
  bool closed_ = false;      // the document has been closed; later close requests pass
};

}  // namespace zarim
