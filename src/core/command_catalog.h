// Every command of the main window with its menu place, caption, status text, shortcut
// and enabling rule; the toolbar's slots and the action panel's buttons. The desktop
// program shows a command only once a feature has registered a handler for it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/command_ids.h"
#include "core/strings.h"

namespace zarim {

class CZarimDoc;

inline constexpr Sid kNoSid = static_cast<Sid>(0);

enum class Menu { kNone, kFile, kEdit, kPost, kView, kReports, kFonts, kOptions, kHelp };

// When a command is enabled.
enum class Rule {
  kAlways,
  kNotHistory,      // changes data: off while an old report is viewed
  kSave,            // unsaved changes and no old report viewed
  kPublishersLive,  // at least one publisher and no old report viewed
  kPublishers,      // at least one publisher, also while an old report is viewed
  kReportShown,     // a report is on display in the view
  kCustomCategory,  // a custom category is defined
  kEraseLate,       // the late-report list may be erased
  kOldReport,       // the snapshot of the item's month exists
  kDeletedList,     // the list of temporarily deleted publishers has entries
};

struct CommandInfo {
  int id;
  Menu menu;
  Sid submenu;  // kNoSid when the command sits in the menu itself
  Sid caption;
  Sid status_text;  // kNoSid when the command has none
  Rule rule;
  const char* shortcut;  // key sequence in portable text form, "" for none
};

// The commands in menu order.
std::span<const CommandInfo> CommandCatalog();
const CommandInfo* FindCommand(int id);

// The state of the window that the rules need beside the document.
struct ViewState {
  bool report_shown = false;
  bool print_preview = false;
};

// At least one publisher: a record count of 2 or more (record 0 is the header record).
bool HasPublishers(const CZarimDoc& doc);
// A custom category is switched on and has a name.
bool CustomCategoryDefined(const CZarimDoc& doc);

bool CommandEnabled(int id, const CZarimDoc& doc, const ViewState& view);
// Check mark of the option commands; false for every other command.
bool CommandChecked(int id, const CZarimDoc& doc);
// The caption (UTF-8) as the menu shows it now: captions set at run time (custom
// category, "View Old Reports" items) come from the document.
std::string CommandCaption(int id, const CZarimDoc& doc);

// The caption as plain text, as the corrections log names the command ("History"): without
// the access key's "&" and a closing "...".
std::string CommandPlainCaption(int id, const CZarimDoc& doc);

// "View Old Reports" item k (1 .. 6) and the month it shows (named with its year): k months
// before the live working month.
int OldReportItem(int id);  // 0 for other commands
int OldReportMonth(const CZarimDoc& doc, int k);
// The submenu is shown only when some snapshot exists.
bool AnyOldReport(const CZarimDoc& doc);

// The toolbar's slots in order; 0 is a separator.
std::span<const int> ToolbarSlots();

// One large button of the action panel.
struct PanelButton {
  Sid caption;
  int command;
  bool off_in_history;  // disabled while an old report is viewed
};
std::span<const PanelButton> PanelButtons();
bool PanelButtonEnabled(const PanelButton& button, const CZarimDoc& doc);

// The panel's extra button: shown while an old report is viewed, captioned with the live
// working month's name and year and " ->".
bool HistoryReturnShown(const CZarimDoc& doc);
std::string HistoryReturnCaption(const CZarimDoc& doc);

// The second status pane: "  Working Month = %1" with the working month's name and year.
std::string WorkingMonthPaneText(const CZarimDoc& doc);

// The main window's title: the program's name and the open congregation's name, or the
// data folder's own name while the congregation has none, so two open copies are told
// apart.
std::string MainWindowTitle(const CZarimDoc& doc);

}  // namespace zarim
