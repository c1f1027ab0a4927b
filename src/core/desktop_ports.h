// Ports of the desktop services that the library asks for by name: the telephone, the
// desktop's "open" of a file or folder, the mail program and the default printer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarim {

class Prompter;

// Places a telephone call through the platform's telephony service.
class Dialer {
 public:
  enum class Result { kPlaced, kNoService, kNoEntry };
  virtual ~Dialer() = default;
  // number is already reduced to the characters a telephone number may hold.
  virtual Result Dial(std::string_view number, std::string_view app_name,
                      std::string_view called_name) = 0;
};

// Opens a file or a folder with the desktop's viewer for it.
class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  virtual bool Open(const std::string& path) = 0;
};

// Opens the folder in the file manager; where there is none, tells the user the folder
// instead, so the file can still be found.
void OpenFolderOrSay(DesktopShell& shell, Prompter& prompter, const std::string& folder);

// A message handed to the user's mail program, which shows it for sending.
struct MailMessage {
  std::vector<std::string> to;  // addresses, one each
  std::string subject;
  std::string text;
  std::string attachment;  // path of a file to attach, or empty
  // The name the message is sent under. A mail program reached through xdg-email sends
  // from the user's own account and cannot be given one; a mailer that can uses it.
  std::string sender_name;
};

// Hands messages to the user's mail program.
class Mailer {
 public:
  enum class Result { kHandedOver, kNoService, kFailed };
  virtual ~Mailer() = default;
  virtual Result Send(const MailMessage& message) = 0;
};

// The recipients of an address text: split at ';', blanks trimmed, empty parts left out.
std::vector<std::string> SplitRecipients(std::string_view addresses);

// Hands message to the mailer; tells the user when there is no mail program ("Unable to
// load mail system support.") or it failed ("Send Mail failed to send message.").
bool SendMail(Mailer& mailer, Prompter& prompter, const MailMessage& message);

// Asks the platform for its default printer; empty when there is none.
class PrinterQuery {
 public:
  virtual ~PrinterQuery() = default;
  virtual std::string DefaultPrinter() const = 0;
};

// The characters of a telephone number that are passed to the dialer: digits, '+', '*',
// '#', ',' and ';' (pauses). Everything else is left out, so no typed text can reach the
// dialer as an option or a second argument.
std::string DialableNumber(std::string_view typed);

// Dials number for the person called name; tells the user when the service is missing.
// True when the call was handed to the service.
bool DialNumber(Dialer& dialer, Prompter& prompter, std::string_view number, std::string_view name);

// The default printer's name, or the program's message that no printer is available.
std::string DefaultPrinterName(const PrinterQuery& printers);

}  // namespace zarim
