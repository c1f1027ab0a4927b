// The desktop adapters of the library's ports: message boxes and the waiting window,
// the telephone through xdg-open, the desktop's "open", the clipboard and the printers.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/clipboard.h"
#include "core/desktop_ports.h"
#include "core/ports.h"

class QLabel;
class QProgressBar;

namespace zarim {

// Questions and messages as message boxes over the active window. BeginBusy shows a
// small window with a caption and a line of text until EndBusy.
class QtPrompter : public Prompter {
 public:
  Answer Ask(std::string_view text, Buttons buttons, Answer default_answer) override;
  void BeginBusy(std::string_view caption, std::string_view text) override;
  void EndBusy() override;
  void Progress(int done, int total) override;

  // The window shown by BeginBusy, null when none is shown; for tests.
  QWidget* busy_window() const { return busy_; }

 private:
  QPointer<QWidget> busy_;
  QLabel* busy_text_ = nullptr;
  QProgressBar* busy_bar_ = nullptr;
};

// Hands "tel:NUMBER" to the desktop (xdg-open); no xdg-open means no telephone service.
class QtDialer : public Dialer {
 public:
  Result Dial(std::string_view number, std::string_view app_name,
              std::string_view called_name) override;
};

class QtDesktopShell : public DesktopShell {
 public:
  bool Open(const std::string& path) override;
};

class QtClipboard : public Clipboard {
 public:
  void SetText(std::string_view utf8) override;
  std::string Text() const override;
};

class QtPrinterQuery : public PrinterQuery {
 public:
  std::string DefaultPrinter() const override;
};

}  // namespace zarim
