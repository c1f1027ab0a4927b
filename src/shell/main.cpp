// zarim: the desktop program. One copy per user and data folder; opens the folder through
// its owner (lock, settings, working month, password, data, start-up notice) and shows the
// main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/bytes.h"
#include "core/document.h"
#include "core/language.h"
#include "core/ports.h"
#include "core/settings.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "exchange/exports.h"
#include "exchange/xdg_mailer.h"
#include "shell/commands.h"
#include "shell/data_folder_choice.h"
#include "shell/dialogs/format_options_dialog.h"
#include "shell/focus_ring_style.h"
#include "shell/main_window.h"
#include "shell/qt_password_runner.h"
#include "shell/qt_ports.h"
#include "shell/settings_profile.h"
#include "shell/single_instance.h"
#include "shell/typed_number_search.h"
#include "shell/window_fit.h"

int main(int argc, char** argv) {
  using namespace zarim;
  // The version is answered before any window system is reached, so it works on a
  // console without a display (after installing the package, over ssh).
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
      std::printf("%s %s\n", std::string(Str(Sid::kAppName)).c_str(), ZARIM_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(Q(Str(Sid::kAppName)));
  QApplication::setApplicationVersion(QString::fromLatin1(ZARIM_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.zarim.Zarim"));
  InstallWindowFitter();
  InstallFocusRingStyle();
  InstallTypedNumberSearch();

  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption data_option(
      "data", "Data folder (default: the folder of the last run; asked for on the first start).",
      "DIR");
  QCommandLineOption today_option("today", "Date to work with instead of today.", "YYYY-MM-DD");
  QCommandLineOption lang_option("lang", "Interface language code.", "CODE");
  parser.addOptions({data_option, today_option, lang_option});
  parser.process(app);

  // The language: --lang, else the one chosen in Options, else the user's locale.
  std::string note;
  const LanguageChoice language = UseLanguage(
      parser.isSet(lang_option) ? parser.value(lang_option).toStdString() : RememberedLanguage(),
      &note);
  const std::string& lang = language.code;
  if (!note.empty()) std::fprintf(stderr, "zarim: %s\n", note.c_str());
  // Qt's own texts in the same language.
  InstallQtTexts(language.catalog);

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
  // Without --data the folder of the last run opens; the first start asks for one.
  QString folder;
  bool first_start = false;
  if (parser.isSet(data_option)) {
    folder = parser.value(data_option);
  } else if (std::optional<QString> remembered = RememberedFolder()) {
    folder = *remembered;
  } else if (std::optional<QString> chosen = AskForFirstFolder(nullptr)) {
    folder = *chosen;
    first_start = true;
  } else {
    return 0;
  }
  OpenOptions options;
  options.data_folder = folder.toStdString();
  options.language_code = lang;
  options.program = "zarim";

  // One window per user and data folder: a second start brings the first copy's window
  // to the front and ends. The first copy listens before it shows anything (the password
  // or the notice), so a start during those is sent to it too.
  SingleInstance instance(SingleInstance::NameFor(options.data_folder, lang));
  if (instance.AnotherIsRunning()) {
    std::fprintf(stderr, "%s\n",
                 Fill(Sid::kAlreadyRunning, QDir(folder).absolutePath().toStdString()).c_str());
    return 0;
  }
  CMainFrame* window = nullptr;
  instance.Listen([&window] {
    BringToFront(window);
    if (window) window->ShowStatusMessage(Str(Sid::kBroughtForward));
  });

  QtPrompter prompter;
  QtDialer dialer;
  XdgMailer mailer;
  QtDesktopShell desktop;
  QtClipboard clipboard;
  QtPrinterQuery printers;
  QtPasswordRunner passwords;
  Congregation congregation(&prompter);
  switch (congregation.Open(options, *clock, passwords)) {
    case Congregation::Opened::kOk:
      break;
    case Congregation::Opened::kPasswordRefused:
      return 1;
    default:
      // Another program (zarim-cli, or a copy of another user) holds the folder.
      prompter.Tell(congregation.failure());
      return 1;
  }
  CZarimDoc& doc = congregation.doc();
  // The reports and the window's title carry the congregation's name, so a congregation
  // begun on the first start is asked for it at once.
  if (first_start && TrimRight(doc.options.congregation_name).empty()) {
    EditScope edit = congregation.Edit();
    AskCongregationName(nullptr, edit.doc());
    edit.Commit();
  }
  // What an export cut off by a crash left half-written in the exports folder.
  TidyExportsFolder(doc.data_folder);
  SettingsFile& settings = congregation.settings();

  ShellServices services;
  services.prompter = &prompter;
  services.clock = clock;
  services.dialer = &dialer;
  services.mailer = &mailer;
  services.desktop = &desktop;
  services.clipboard = &clipboard;
  services.printers = &printers;
  services.settings = &settings;
  services.passwords = &passwords;
  services.congregation = &congregation;
  IniProfile profile(settings.ini());
  services.profile = &profile;
  CMainFrame frame(doc, services, BuildCommandTable());
  passwords.set_parent(&frame);
  window = &frame;
  RememberFolder(folder);
  frame.show();
  return app.exec();
}
