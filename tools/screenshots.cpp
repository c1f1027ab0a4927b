// zarim-screenshots: pictures of the program's own windows, for the user guide and for
// checking the layout at a scale factor (`make screenshots` renews the guide's pictures). Run under
// an X server (QT_QPA_PLATFORM=xcb) on a demo congregation folder; writes PNG files into the output
// folder. Nothing is saved. A language code as third argument takes the pictures in that
// language (the folder must be kept in its code page), and the names after it choose which.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <utility>

#include "core/clipboard.h"
#include "core/command_ids.h"
#include "core/document.h"
#include "core/language.h"
#include "core/ports.h"
#include "cycle/congregation.h"
#include "cycle/slip_form.h"
#include "records/emergency.h"
#include "records/publisher_form.h"
#include "reports/format_options_form.h"
#include "shell/commands.h"
#include "shell/data_folder_choice.h"
#include "shell/dialogs/emergency_dialog.h"
#include "shell/dialogs/format_options_dialog.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/dialogs/slip_dialog.h"
#include "shell/guide_window.h"
#include "shell/main_window.h"
#include "shell/qt_password_runner.h"
#include "shell/qt_ports.h"
#include "shell/typed_number_search.h"
#include "shell/window_fit.h"

namespace {

QString out_dir;
QStringList wanted;  // the pictures to take; empty for all

// Takes the window with its frame and title bar as the window manager draws them (the
// screen's pixels inside the frame); the window alone when there is no window manager.
void Grab(QWidget* window, const char* name) {
  if (!wanted.isEmpty() && !wanted.contains(QString::fromLatin1(name))) {
    QApplication::processEvents();
    return;
  }
  // The window manager frames a window a moment after it is shown (longer on a busy
  // machine), then draws the frame. A window whose frame Qt has not learnt by then is
  // taken with the frame margins of the windows before it (one window manager draws them
  // all alike).
  static QMargins margins;
  const auto framed = [window] {
    const QWindow* handle = window->windowHandle();
    const QRect frame = window->frameGeometry();
    return handle && handle->isExposed() && frame != window->geometry() &&
           frame.contains(window->geometry());
  };
  QElapsedTimer waited;
  waited.start();
  while ((!framed() || waited.elapsed() < 300) && waited.elapsed() < 3000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  QRect frame = window->geometry().marginsAdded(margins);
  if (framed()) {
    frame = window->frameGeometry();
    margins = QMargins(
        window->geometry().left() - frame.left(), window->geometry().top() - frame.top(),
        frame.right() - window->geometry().right(), frame.bottom() - window->geometry().bottom());
  }
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const QString file = QDir(out_dir).filePath(QString::fromLatin1(name) + ".png");
  if (!shot.save(file)) std::fprintf(stderr, "could not write %s\n", qPrintable(file));
}

// Grabs the modal window the program shows next, then answers it: its default button
// when answer is set (the question's "Yes"), else Esc.
void GrabNextModal(const char* name, bool answer, std::function<void()> then = {}) {
  QTimer::singleShot(1000, [name, answer, then] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    Grab(modal, name);
    if (then) then();
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (answer && box && box->defaultButton())
      box->defaultButton()->click();
    else if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
  });
}

void Show(QWidget& window, const char* name) {
  window.show();
  window.activateWindow();
  QTimer pause;
  pause.setSingleShot(true);
  pause.start(1000);
  while (pause.isActive()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  Grab(&window, name);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zarim;
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: zarim-screenshots DATA_FOLDER OUTPUT_FOLDER [LANG [NAME...]]\n");
    return 2;
  }
  out_dir = QString::fromLocal8Bit(argv[2]);
  // The language as the program chooses it at start, Qt's own texts with it.
  std::string note;
  const LanguageChoice language = UseLanguage(argc > 3 ? argv[3] : "eng", &note);
  if (!note.empty()) std::fprintf(stderr, "zarim-screenshots: %s\n", note.c_str());
  InstallQtTexts(language.catalog);
  for (int i = 4; i < argc; ++i) wanted << QString::fromLocal8Bit(argv[i]);
  QDir().mkpath(out_dir);
  InstallWindowFitter();
  InstallTypedNumberSearch();

  // The first start's question (answered with Esc, so no folder is made).
  GrabNextModal("first-start", false);
  AskForFirstFolder(nullptr);

  QtPrompter prompter;
  QtPasswordRunner passwords;
  FixedClock clock(Date{2024, 3, 10});
  Congregation congregation(&prompter);
  OpenOptions options;
  options.data_folder = argv[1];
  options.language_code = language.code;
  if (congregation.Open(options, clock, passwords) != Congregation::Opened::kOk) return 1;
  CZarimDoc& doc = congregation.doc();

  // The congregation's name, typed too long: the field keeps what fits and says so.
  {
    FormatOptionsForm form(doc);
    CongregationNameDialog dialog(form);
    emit dialog.congregation_name()->textEdited(
        QStringLiteral("Riverside North Congregation of Eastfield"));
    Show(dialog, "congregation-name");
    form.SetCongregationName("Riverside North");
    form.Accept(doc);
  }

  QtDesktopShell desktop;
  QtPrinterQuery printers;
  ShellServices services;
  services.prompter = &prompter;
  services.clock = &clock;
  services.desktop = &desktop;
  services.printers = &printers;
  services.passwords = &passwords;
  services.congregation = &congregation;
  CMainFrame frame(doc, services, BuildCommandTable());
  frame.Refresh();
  Show(frame, "main-window");

  // The report slip of the first regular pioneer (hours, credit and its hint shown), else
  // of the first active publisher.
  {
    int rec = doc.lists[kActive][0].rec;
    for (const auto& entry : doc.lists[kActive])
      if (SlipForm(doc, entry.rec).CreditShown()) {
        rec = entry.rec;
        break;
      }
    SlipForm form(doc, rec);
    SlipDialog slip(form, &frame);
    Show(slip, "slip");
  }

  // A new publisher being typed, and the emergency contact of an existing one.
  {
    MemoryClipboard clipboard;
    PublisherForm form(doc, &clipboard);
    PublisherEditDialog edit(doc, form, &frame);
    edit.text(TextField::kFirst)->setText(QStringLiteral("Anna"));
    edit.text(TextField::kLast)->setText(QStringLiteral("Berg"));
    Show(edit, "publisher");
    EmergencyForm contact(doc, doc.records[doc.lists[kActive][0].rec]);
    EmergencyDialog dialog(contact, &frame);
    Show(dialog, "emergency-contact");
  }

  // The dialogs the month and the backups open; each is pictured and closed with Esc,
  // so nothing is changed.
  const std::pair<int, const char*> dialogs[] = {
      {kCmdReportSlips, "post-reports"},
      {kCmdPostAttendance, "attendance"},
      {kCmdGroups, "groups"},
      {kCmdPublisherRecords, "record-card"},
      {kCmdBackup, "backup"},
      {kCmdRestore, "restore"},
  };
  for (const auto& [command, name] : dialogs) {
    GrabNextModal(name, false);
    frame.RunCommand(command);
  }

  // The report to the branch office on the screen.
  frame.RunCommand(kCmdBranchReport);
  Show(frame, "branch-report");

  // Printing without a printer: the offer of a PDF file, then the file dialog it opens.
  frame.RunCommand(kCmdTelephoneCongregation);
  GrabNextModal("no-printer", true, [] { GrabNextModal("no-printer-save-pdf", false); });
  frame.RunCommand(kCmdPrint);

  // The user guide in its own window.
  frame.ShowActionPanel();
  frame.RunCommand(kCmdHelpSummary);
  if (auto* guide = frame.findChild<GuideWindow*>()) {
    guide->resize(guide->screen()->availableGeometry().size() * 3 / 4);
    Show(*guide, "guide");
  }

  congregation.Discard();
  return 0;
}
