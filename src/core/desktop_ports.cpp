// Dialing and the default printer over the desktop ports.
#include "core/desktop_ports.h"

#include "core/ports.h"
#include "core/strings.h"

namespace zarim {

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
