// The command table of the main window: which commands exist in this build and what
// each one does. Captions, menus, shortcuts, status texts and enabling rules come from
// the library's catalog (core/command_catalog.h); this table adds the handlers.
//
// How a feature adds its commands
// --------------------------------
// 1. Write a registration function in a file of your own, src/shell/<feature>_commands.cpp,
//    declared in feature_commands.h, for example
//        void RegisterPostingCommands(CommandTable& table) {
//          table.Add(kCmdReportSlips, [](CMainFrame& frame) { RunPostingListDialog(frame); });
//        }
//    The command numbers are the constants of core/command_ids.h. A report command that
//    only draws a report says so with table.AddReport(kCmdTelephoneCongregation, kind).
// 2. Add one line calling it to RegisterFeatureCommands() in feature_commands.cpp.
// 3. That is all: the command now appears in its menu (and on the toolbar and the action
//    panel where it has a slot), with the catalog's caption, access key, shortcut, status
//    text and tool tip, and is enabled by the catalog's rule. A command without a handler
//    appears nowhere, so no menu item is ever dead.
// A handler gets the main window: frame.doc() is the document, frame.prompter() tells and
// asks, frame.dialog_parent() is the parent of a dialog, frame.ShowReport(kind) puts a
// report in the view, frame.Refresh() updates menus and the status bar after a change
// (the table calls it after every handler anyway).
//
// How a feature adds a dialog
// ---------------------------
// The logic lives in a Qt-free form class in the feature's library folder (for example
// cycle/slip_form.h): state, captions, shown and enabled controls, validation, and what
// OK, Cancel and each button do to the document, working on a private copy. The dialog
// is src/shell/dialogs/<name>_dialog.h/.cpp: a QDialog that lays out widgets, copies the
// form's state into them and the user's input back into the form, and calls the form's
// OK/Cancel/button functions. Give every control an accessible name, a caption with an
// access key ("&") or a buddy label, a sensible tab order, and let Enter and Esc act as
// OK and Cancel. Both folders are globbed: new files need no CMake change. moc cannot read
// the string table's .def includes: in a header with Q_OBJECT, put library includes that
// reach core/strings.h inside #ifndef Q_MOC_RUN ... #endif (see main_window.h).
#pragma once

#include <functional>
#include <map>
#include <string>

namespace zarim {

class CMainFrame;
class CZarimDoc;

using CommandHandler = std::function<void(CMainFrame&)>;
// A caption computed from the document each time the menu opens (UTF-8, with "&").
using CaptionProvider = std::function<std::string(const CZarimDoc&)>;

class CommandTable {
 public:
  // Registers the handler of a command of the catalog; a later registration of the same
  // number replaces the earlier one. Returns false for a number the catalog lacks.
  bool Add(int id, CommandHandler run);
  // A command that draws report kind in the report view.
  bool AddReport(int id, int report_kind);

  // For a command whose caption is set at run time; the catalog's caption otherwise.
  void SetCaption(int id, CaptionProvider caption) { captions_[id] = std::move(caption); }
  const CaptionProvider* FindCaption(int id) const;

  bool Has(int id) const { return handlers_.count(id) != 0; }
  const CommandHandler* Find(int id) const;
  const std::map<int, CommandHandler>& handlers() const { return handlers_; }

 private:
  std::map<int, CommandHandler> handlers_;
  std::map<int, CaptionProvider> captions_;
};

// The commands of the frame itself: save, exit, the action panel, help, about, the
// password and the start-up options.
void RegisterFrameCommands(CommandTable& table);

// Every command of this build: the frame's and every feature's.
CommandTable BuildCommandTable();

}  // namespace zarim
