// zarim: the desktop program. One copy per language; creates the document from the data
// folder and shows the main window.
#include <QApplication>
#include <QCommandLineParser>

#include "core/data_files.h"
#include "core/document.h"
#include "core/strings.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/qt_ports.h"
#include "shell/single_instance.h"

int main(int argc, char** argv) {
  using namespace zarim;
  QApplication app(argc, argv);
  QApplication::setApplicationName(Q(Str(Sid::kAppName)));

  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption data_option("data", "Data folder (default: the current folder).", "DIR", ".");
  QCommandLineOption today_option("today", "Date to work with instead of today.", "YYYY-MM-DD");
  QCommandLineOption lang_option("lang", "Interface language code.", "CODE",
                                 Q(Str(Sid::kLanguageCode)));
  parser.addOptions({data_option, today_option, lang_option});
  parser.process(app);

  SystemClock system_clock;
  FixedClock fixed_clock(Date{});
  const Clock* clock = &system_clock;
  if (parser.isSet(today_option)) {
    Date d;
    if (!ParseIsoDate(parser.value(today_option).toStdString(), &d)) {
      fprintf(stderr, "zarim: --today takes a date YYYY-MM-DD\n");
      return 2;
    }
    fixed_clock.Set(d);
    clock = &fixed_clock;
  }
  const std::string language = parser.value(lang_option).toStdString();

  SingleInstance instance(SingleInstance::NameFor(language));
  if (instance.AnotherIsRunning()) return 0;

  QtPrompter prompter;
  QtDialer dialer;
  QtDesktopShell desktop;
  QtClipboard clipboard;
  QtPrinterQuery printers;
  CZarimDoc doc(&prompter);
  doc.data_folder = parser.value(data_option).toStdString();
  doc.language_code = language;
  if (!LoadAll(doc, *clock)) return 1;

  ShellServices services;
  services.prompter = &prompter;
  services.clock = clock;
  services.dialer = &dialer;
  services.desktop = &desktop;
  services.clipboard = &clipboard;
  services.printers = &printers;
  CMainFrame frame(doc, services, BuildCommandTable());
  instance.Listen([&frame] { BringToFront(&frame); });
  frame.show();
  return app.exec();
}
