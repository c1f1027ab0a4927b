// zarim: the desktop program. One copy per language; creates the document from the data
// folder (settings, working month, data, password, start-up notice) and shows the main
// window.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "core/document.h"
#include "core/ports.h"
#include "core/settings.h"
#include "core/startup.h"
#include "core/strings.h"
#include "cycle/cycle_hooks.h"
#include "cycle/roll.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/qt_password_runner.h"
#include "shell/qt_ports.h"
#include "shell/settings_profile.h"
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
      std::fprintf(stderr, "zarim: --today takes a date YYYY-MM-DD\n");
      return 2;
    }
    fixed_clock.Set(d);
    clock = &fixed_clock;
  }
  StartupOptions options;
  options.data_folder = parser.value(data_option).toStdString();
  options.language_code = parser.value(lang_option).toStdString();
  options.after_load = [](CZarimDoc& doc) { doc.history_month_mask = ComputeHistoryMonthMask(doc); };

  // A second start brings the first copy's window to the front and ends.
  SingleInstance instance(SingleInstance::NameFor(options.language_code));
  if (instance.AnotherIsRunning()) return 0;

  QtPrompter prompter;
  QtDialer dialer;
  QtDesktopShell desktop;
  QtClipboard clipboard;
  QtPrinterQuery printers;
  QtPasswordRunner passwords;
  CZarimDoc doc(&prompter);
  InstallCycleHooks(doc);
  SettingsFile settings(options.data_folder);
  if (!CreateDocument(doc, options, *clock, settings, passwords)) return 1;

  ShellServices services;
  services.prompter = &prompter;
  services.clock = clock;
  services.dialer = &dialer;
  services.desktop = &desktop;
  services.clipboard = &clipboard;
  services.printers = &printers;
  services.settings = &settings;
  services.passwords = &passwords;
  IniProfile profile(settings.ini());
  services.profile = &profile;
  CMainFrame frame(doc, services, BuildCommandTable());
  passwords.set_parent(&frame);
  instance.Listen([&frame] { BringToFront(&frame); });
  frame.show();
  return app.exec();
}
