// Ports of the desktop services that the library asks for by name: the telephone, the
// desktop's "open" of a file or folder, and the default printer.
#pragma once

#include <string>
#include <string_view>

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
