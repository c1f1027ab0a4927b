// The main window: menus, toolbar and status bar built from the command table, the
// action panel and the report view in one stack, and the close path.
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <optional>

#include "core/access_keys.h"
#include "core/command_catalog.h"
#include "core/data_files.h"
#include "core/document.h"
#include "core/ports.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "shell/action_panel.h"
#include "shell/report_host.h"
#include "shell/window_fit.h"

// The icons are compiled into the desktop library; a static library's resources must be
// registered by name before the first use.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace zarim {

namespace {

constexpr std::pair<Menu, Sid> kMenuBar[] = {
    {Menu::kFile, Sid::kMenuBarFile},       {Menu::kEdit, Sid::kMenuBarEdit},
    {Menu::kPost, Sid::kMenuBarPost},       {Menu::kView, Sid::kMenuBarView},
    {Menu::kReports, Sid::kMenuBarReports}, {Menu::kFonts, Sid::kMenuBarFonts},
    {Menu::kOptions, Sid::kMenuBarOptions}, {Menu::kHelp, Sid::kMenuBarHelp},
};

bool IsOption(int id) {
  return id == kCmdNoStartupNotice || id == kCmdAutoCaps || id == kCmdCustomCategory ||
         id == kCmdSortFirstName;
}

// The icon of each toolbar slot: the desktop theme's icon where the freedesktop naming
// has one that fits, else (and for the congregation's own commands always) the program's
// drawing.
struct ToolbarIconName {
  int id;
  const char* theme;  // freedesktop icon name, or null
  const char* own;    // the program's SVG under :/icons
};
constexpr ToolbarIconName kToolbarIcons[] = {
    {kCmdReturnToPanel, "go-home", "panel.svg"},
    {kCmdSave, "document-save", "save.svg"},
    {kCmdPrint, "document-print", "print.svg"},
    {kCmdPrintPreview, "document-print-preview", "preview.svg"},
    {kCmdAuxPioneers, nullptr, "aux_pioneers.svg"},
    {kCmdReportSlips, nullptr, "report_slips.svg"},
    {kCmdPostAttendance, nullptr, "attendance.svg"},
    {kCmdPublishers, nullptr, "publishers.svg"},
    {kCmdGroups, nullptr, "groups.svg"},
    {kCmdNoReport, nullptr, "no_report.svg"},
    {kCmdIrregular, nullptr, "irregular.svg"},
    {kCmdEditInactive, nullptr, "inactive.svg"},
    {kCmdAbout, "help-about", "about.svg"},
    {kCmdContextHelp, "help-contextual", "context_help.svg"},
};

QIcon ToolbarIcon(int id) {
  for (const ToolbarIconName& icon : kToolbarIcons) {
    if (icon.id != id) continue;
    const QIcon own(QStringLiteral(":/icons/") + QLatin1String(icon.own));
    return icon.theme ? QIcon::fromTheme(QLatin1String(icon.theme), own) : own;
  }
  return {};
}

}  // namespace

CMainFrame::CMainFrame(CZarimDoc& doc, const ShellServices& services, CommandTable table,
                       QWidget* parent)
    : QMainWindow(parent), doc_(doc), services_(services), table_(std::move(table)) {
  RegisterIconResources();
  setWindowIcon(QIcon::fromTheme(QStringLiteral("org.zarim.Zarim"),
                                 QIcon(QStringLiteral(":/icons/zarim.svg"))));
  setObjectName(Q("ZARIM_9_") + Q(doc_.language_code));
  BuildActions();
  BuildMenus();
  BuildToolbar();
  BuildStatusBar();

  stack_ = new QStackedWidget(this);
  // The panel scrolls when the screen is too small for all its buttons (a small screen or
  // a large scale factor), so the window itself always fits the screen.
  auto* panel_page = new QScrollArea(stack_);
  panel_page->setFrameShape(QFrame::NoFrame);
  panel_page->setWidgetResizable(true);
  panel_page->setFocusPolicy(Qt::NoFocus);
  panel_ = new ActionPanel(*this, panel_page);
  panel_page->setWidget(panel_);
  panel_page_ = panel_page;
  // However the focus reaches a button (Tab, an access key, a command), it is scrolled
  // into view.
  connect(qApp, &QApplication::focusChanged, panel_page, [panel_page](QWidget*, QWidget* now) {
    if (now && panel_page->widget()->isAncestorOf(now)) panel_page->ensureWidgetVisible(now);
  });
  report_view_ = CreateReportView(*this, stack_);
  report_view_->setAccessibleName(Q(Str(Sid::kAccReportView)));
  stack_->addWidget(panel_page);
  stack_->addWidget(report_view_);
  setCentralWidget(stack_);
  // F6 and Shift+F6 move between panes; the window has one, the page shown in the
  // centre, so both bring the keyboard back to it from the toolbar or anywhere else.
  for (const QKeySequence& key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this] {
      QWidget* page = stack_->currentWidget();
      if (page == panel_page_) page = panel_;
      if (!page) return;
      page->setFocus(Qt::ShortcutFocusReason);
      if (QWidget* first = page->focusWidget() ? page->focusWidget() : page->nextInFocusChain();
          first && page->isAncestorOf(first))
        first->setFocus(Qt::ShortcutFocusReason);
    });
  }
  // The window's usual size, but never larger than the screen's free area with the title
  // bar (a small screen, or a large scale factor).
  resize(QSize(900, 700).boundedTo(FreeArea(this)));
  Refresh();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildActions() {
  for (const CommandInfo& info : CommandCatalog()) {
    if (!table_.Has(info.id)) continue;
    auto* action = new QAction(Q(Str(info.caption)), this);
    QString status = Q(Str(info.status_text));
    if (status.isEmpty()) status = Plain(action->text());
    action->setStatusTip(status);
    action->setToolTip(status);
    action->setWhatsThis(status);  // what Context Help shows for the command
    if (*info.shortcut) {
      action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
      action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(IsOption(info.id));
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    // Every action belongs to the window, so its shortcut works also without a menu entry.
    addAction(action);
    actions_[id] = action;
  }
}

void CMainFrame::BuildMenus() {
  for (const auto& [place, title] : kMenuBar) {
    QMenu* menu = nullptr;
    std::map<Sid, QMenu*> submenus;
    for (const CommandInfo& info : CommandCatalog()) {
      if (info.menu != place) continue;
      QAction* action = ActionFor(info.id);
      if (!action) continue;
      if (!menu) {
        menu = menuBar()->addMenu(Q(Str(title)));
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshMenu(menu); });
        menus_[place] = menu;
      }
      QMenu* target = menu;
      if (info.submenu != kNoSid) {
        QMenu*& sub = submenus[info.submenu];
        if (!sub) {
          sub = menu->addMenu(Q(Str(info.submenu)));
          connect(sub, &QMenu::aboutToShow, this, [this, sub] { RefreshMenu(sub); });
          if (info.rule == Rule::kOldReport) old_reports_menu_ = sub;
        }
        target = sub;
      }
      target->addAction(action);
    }
    if (menu) GiveAccessKeys(menu);
  }
}

void CMainFrame::GiveAccessKeys(QMenu* menu) {
  QList<QAction*> entries;
  std::vector<std::string> captions;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    entries << a;
    captions.push_back(a->text().toStdString());
    if (a->menu()) GiveAccessKeys(a->menu());
  }
  captions = WithAccessKeys(std::move(captions));
  for (qsizetype i = 0; i < entries.size(); ++i)
    entries[i]->setText(Q(captions[static_cast<size_t>(i)]));
}

void CMainFrame::BuildToolbar() {
  toolbar_ = addToolBar(Q(Str(Sid::kAccToolbar)));
  toolbar_->setObjectName("toolbar");
  toolbar_->setAccessibleName(Q(Str(Sid::kAccToolbar)));
  toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bool pending_separator = false;
  for (int id : ToolbarSlots()) {
    if (id == 0) {
      pending_separator = !toolbar_->actions().isEmpty();
      continue;
    }
    QAction* action = ActionFor(id);
    if (!action) continue;
    if (pending_separator) toolbar_->addSeparator();
    pending_separator = false;
    // The toolbar shows the icon; the tool tip is the command's status text (its caption
    // when it has none) and a screen reader says the caption.
    action->setIcon(ToolbarIcon(id));
    toolbar_->addAction(action);
  }
}

void CMainFrame::BuildStatusBar() {
  statusBar()->setAccessibleName(Q(Str(Sid::kAccStatusMessage)));
  month_pane_ = new QLabel(this);
  month_pane_->setAccessibleName(Q(Str(Sid::kAccWorkingMonth)));
  statusBar()->addPermanentWidget(month_pane_);
}

QAction* CMainFrame::ActionFor(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::RunCommand(int id, bool check_rule) {
  const CommandHandler* run = table_.Find(id);
  if (!run || (check_rule && !CommandEnabled(id, doc_, view_state_))) return false;
  const int outer = running_command_;
  running_command_ = id;
  // A command runs inside one edit of the folder's owner (a command it starts runs in the
  // same edit): what its dialogs changed comes with every piece of derived state brought
  // up to date before the window shows it, and what it changes in the months already
  // reported to the branch goes into the corrections log under its caption ("History",
  // "Late Report"). A dialog left with Cancel has changed nothing of the document, so the
  // edit is always committed; the commit marks the document modified only when it
  // differs from what the folder held.
  std::optional<EditScope> edit;
  Congregation* owner = outer == 0 ? services_.congregation : nullptr;
  if (owner && owner->is_open()) edit.emplace(owner->Edit(CommandPlainCaption(id, doc_)));
  (*run)(*this);
  if (edit) {
    edit->Commit();
    owner->SetCommand({});
  }
  running_command_ = outer;
  Refresh();
  return true;
}

void CMainFrame::RefreshAction(int id, QAction* action) {
  action->setEnabled(CommandEnabled(id, doc_, view_state_));
  if (action->isCheckable()) action->setChecked(CommandChecked(id, doc_));
  const CommandInfo* info = FindCommand(id);
  std::string caption;
  bool runtime = false;
  if (const CaptionProvider* provider = table_.FindCaption(id)) {
    caption = (*provider)(doc_);
    runtime = true;
  } else if (info && (info->rule == Rule::kCustomCategory || info->rule == Rule::kOldReport)) {
    caption = CommandCaption(id, doc_);
    runtime = true;
  }
  if (runtime) {
    action->setText(Q(caption));
    // An item whose caption is empty has nothing to offer.
    action->setVisible(!caption.empty());
  }
}

void CMainFrame::RefreshMenu(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    for (const auto& [id, a] : actions_)
      if (a == action) RefreshAction(id, a);
  }
  // A caption renewed at run time gets its access key again.
  GiveAccessKeys(menu);
}

void CMainFrame::Refresh() {
  setWindowTitle(Q(MainWindowTitle(doc_)));
  for (const auto& [id, action] : actions_) RefreshAction(id, action);
  if (old_reports_menu_) old_reports_menu_->menuAction()->setVisible(AnyOldReport(doc_));
  if (panel_) panel_->Refresh();
  QString pane = Q(WorkingMonthPaneText(doc_));
  month_pane_->setText(pane);
  month_pane_->setMinimumWidth(month_pane_->fontMetrics().horizontalAdvance(pane) + 4);
}

void CMainFrame::ShowStatusMessage(std::string_view text) {
  // The working month has its own pane; the message pane never says it a second time.
  if (text == WorkingMonthPaneText(doc_)) {
    statusBar()->clearMessage();
    return;
  }
  statusBar()->showMessage(Q(text));
}

void CMainFrame::ShowReport(int kind) {
  report_kind_ = kind;
  report_command_ = running_command_;
  view_state_.report_shown = true;
  SetReportKind(report_view_, *this, kind);
  stack_->setCurrentWidget(report_view_);
  report_view_->setFocus();
  Refresh();
}

QString CMainFrame::ReportTitle() const {
  if (!view_state_.report_shown) return {};
  const CommandInfo* info = FindCommand(report_command_);
  if (!info) return {};
  QString caption = Plain(Str(info->caption));
  if (info->submenu == kNoSid || caption.isEmpty()) return caption;
  return Plain(Str(info->submenu)) + QStringLiteral(" - ") + caption;
}

void CMainFrame::ShowActionPanel() {
  view_state_.report_shown = false;
  report_kind_ = 0;
  report_command_ = 0;
  stack_->setCurrentWidget(panel_page_);
  panel_->setFocus();
  Refresh();
}

void CMainFrame::SetPrintPreview(bool on) { view_state_.print_preview = on; }

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  if (view_state_.print_preview) {
    prompter().Tell(Str(Sid::kUseCloseButton));
    event->ignore();
    return;
  }
  const bool closed =
      services_.congregation ? services_.congregation->Close() : CloseDocument(doc_);
  if (!closed) {
    event->ignore();
    Refresh();
    return;
  }
  closed_ = true;
  event->accept();
}

}  // namespace zarim
