// The commands of the main window itself: Save, Exit, Return to Action Panel, help and
// About, the password, the start-up options and the language.
#include <QApplication>
#include <QMessageBox>
#include <QWhatsThis>

#include "core/app_options.h"
#include "core/command_ids.h"
#include "core/desktop_ports.h"
#include "core/document.h"
#include "core/language.h"
#include "core/password_form.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "shell/commands.h"
#include "shell/data_folder_choice.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/guide_window.h"
#include "shell/help.h"
#include "shell/main_window.h"

namespace zarim {

namespace {

void ShowAbout(CMainFrame& frame) {
  QString title = Plain(Sid::kMenuAbout);
  if (title.endsWith("...")) title.chop(3);
  QMessageBox::about(frame.dialog_parent(), title,
                     Q(AboutText(frame.doc(), QApplication::applicationVersion().toStdString())));
}

// "&Summary" and "&Index" both open the guide in the program's own window; its first
// page carries the index.
void OpenHelp(CMainFrame& frame) {
  const std::string path = HelpFilePath();
  if (path.empty()) {
    frame.prompter().Tell(Fill(Sid::kHelpMissing, HelpFileName()));
    return;
  }
  ShowGuide(frame.dialog_parent(), QString::fromStdString(path));
}

// "Language": kept in the user's configuration; the texts are read once at start, so
// the choice applies from the next start.
void ChooseLanguageCommand(CMainFrame& frame) {
  LanguageForm form(InstalledLanguages(LocaleDir()), RememberedLanguage());
  int i =
      ChooseFromList(frame.dialog_parent(), Q(form.Title()), form.Items(), {}, form.selection());
  if (i < 0 || !RememberLanguage(form.WishAt(i))) return;
  frame.prompter().Tell(form.Confirmation(i));
}

}  // namespace

void RegisterFrameCommands(CommandTable& table) {
  // A window over a bare document (no owner) has no folder to save to.
  table.Add(kCmdSave, [](CMainFrame& frame) {
    Congregation* owner = frame.services().congregation;
    if (!owner || !owner->Save()) return;  // a failed save has told the user why
    frame.ShowStatusMessage(Fill(Sid::kStatusSaved, AbsoluteFolder(frame.doc().data_folder)));
  });
  table.Add(kCmdExit, [](CMainFrame& frame) { frame.close(); });
  table.Add(kCmdReturnToPanel, [](CMainFrame& frame) { frame.ShowActionPanel(); });
  table.Add(kCmdAbout, ShowAbout);
  table.Add(kCmdHelpSummary, [](CMainFrame& frame) { OpenHelp(frame); });
  table.Add(kCmdHelpIndex, [](CMainFrame& frame) { OpenHelp(frame); });
  table.Add(kCmdContextHelp, [](CMainFrame&) { QWhatsThis::enterWhatsThisMode(); });
  table.Add(kCmdPassword, [](CMainFrame& frame) {
    if (frame.services().passwords) ChangePassword(frame.doc(), *frame.services().passwords);
  });
  table.Add(kCmdNoStartupNotice, [](CMainFrame& frame) { ToggleNoStartupNotice(frame.doc()); });
  table.Add(kCmdLanguage, ChooseLanguageCommand);
  table.Add(kCmdSortFirstName, [](CMainFrame& frame) { ToggleSortOrder(frame.doc()); });
}

}  // namespace zarim
