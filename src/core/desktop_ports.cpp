// Dialing and the default printer over the desktop ports.
#include "core/desktop_ports.h"

#include "core/ports.h"
#include "core/strings.h"

namespace zarim {

void OpenFolderOrSay(DesktopShell& shell, Prompter& prompter, const std::string& folder) {
  if (!shell.Open(folder)) prompter.Tell(Fill(Sid::kNoFileManager, folder));
}

std::vector<std::string> SplitRecipients(std::string_view addresses) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= addresses.size()) {
    size_t end = addresses.find(';', start);
    if (end == std::string_view::npos) end = addresses.size();
    std::string_view part = addresses.substr(start, end - start);
    while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) part.remove_prefix(1);
    while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) part.remove_suffix(1);
    if (!part.empty()) out.emplace_back(part);
    start = end + 1;
  }
  return out;
}

bool SendMail(Mailer& mailer, Prompter& prompter, const MailMessage& message) {
  switch (mailer.Send(message)) {
    case Mailer::Result::kHandedOver:
      return true;
    case Mailer::Result::kNoService:
      prompter.Tell(Str(Sid::kMailUnavailable));
      return false;
    case Mailer::Result::kFailed:
      prompter.Tell(Str(Sid::kMailSendFailed));
      return false;
  }
  return false;
}

std::string DialableNumber(std::string_view typed) {
  std::string out;
  for (char c : typed) {
    if ((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#' || c == ',' || c == ';')
      out += c;
  }
  return out;
}

bool DialNumber(Dialer& dialer, Prompter& prompter, std::string_view number,
                std::string_view name) {
  std::string dialable = DialableNumber(number);
  if (dialable.empty()) return false;
  switch (dialer.Dial(dialable, Str(Sid::kAppName), name)) {
    case Dialer::Result::kPlaced:
      return true;
    case Dialer::Result::kNoService:
      prompter.Tell(Str(Sid::kTelephoneUnavailable));
      return false;
    case Dialer::Result::kNoEntry:
      prompter.Tell(Str(Sid::kBadProcAddress));
      return false;
  }
  return false;
}

std::string DefaultPrinterName(const PrinterQuery& printers) {
  std::string name = printers.DefaultPrinter();
  return name.empty() ? std::string(Str(Sid::kNoPrinter)) : name;
}

}  // namespace zarim
