// The platform services a running main window hands to the commands: the adapters of the
// library's ports, and the settings file of the data folder.
#pragma once

namespace zarim {

class Prompter;
class Clock;
class Dialer;
class Mailer;
class DesktopShell;
class Clipboard;
class PrinterQuery;
class SettingsFile;
class PasswordRunner;
class Profile;
class Congregation;

struct ShellServices {
  Prompter* prompter = nullptr;
  const Clock* clock = nullptr;
  Dialer* dialer = nullptr;
  // The user's mail program (collection files, reminders); null where there is none.
  Mailer* mailer = nullptr;
  DesktopShell* desktop = nullptr;
  Clipboard* clipboard = nullptr;
  PrinterQuery* printers = nullptr;
  SettingsFile* settings = nullptr;  // null when the program runs without one (tests)
  PasswordRunner* passwords = nullptr;
  // The settings file as the report fonts read and write it; null without a settings file.
  Profile* profile = nullptr;
  // The owner of the open data folder: saving and closing go through it. Null only in
  // widget tests that hand the window a bare document.
  Congregation* congregation = nullptr;
};

}  // namespace zarim
