// Which data folder the desktop opens when no --data is given: the folder of the last
// run, remembered in the user's configuration folder (XDG_CONFIG_HOME, else ~/.config),
// or on the first start one the user creates or chooses.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace zarim {

// The file that remembers the last data folder: zarim/zarim.conf in the configuration
// folder.
QString LastFolderFile();
// The remembered folder when it still exists as a folder.
std::optional<QString> RememberedFolder();
// Remembers the folder (as an absolute path) for the next start; false when the file
// could not be written.
bool RememberFolder(const QString& folder);
// The language chosen in Options, Language (a wish for ChooseLanguage; empty: the
// language of the system), kept in the same file.
std::string RememberedLanguage();
bool RememberLanguage(const std::string& wish);
// Qt's own texts (standard buttons, the file and print dialogs) in the language of a
// catalog ("fr"), where the system has Qt's translations; for the rest of the process.
void InstallQtTexts(const std::string& catalog);
// The user's documents folder, where a new congregation's folder goes (the home folder
// where there is none).
QString DocumentsFolder();

// First start: asks whether to create a new folder (the question names it) or to choose
// an existing one. The folder, or nothing when the user cancels.
std::optional<QString> AskForFirstFolder(QWidget* parent);

}  // namespace zarim
