// The program as a Linux desktop uses it: the remembered data folder, the user guide in
// its own window, a main window that fits the screen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>

#include "core/command_ids.h"
#include "core/document.h"
#include "core/strings.h"
#include "records/select_publisher_form.h"
#include "reports/report_kind.h"
#include "shell/action_panel.h"
#include "shell/commands.h"
#include "shell/data_folder_choice.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/select_publisher_dialog.h"
#include "shell/guide_window.h"
#include "shell/help.h"
#include "shell/main_window.h"
#include "shell/report_printing.h"
#include "shell/report_view.h"
#include "shell/window_fit.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;
using testing::StartEmpty;
using testing::TempDir;

// Points the XDG configuration folder at a temporary folder for one test.
class ConfigHome {
 public:
  ConfigHome() {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) old_ = old;
    had_old_ = old != nullptr;
    setenv("XDG_CONFIG_HOME", dir_.File("config").c_str(), 1);
  }
  ~ConfigHome() {
    if (had_old_)
      setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string old_;
  bool had_old_ = false;
};

TEST(DataFolderChoiceTest, TheLastFolderIsRememberedInTheConfigFolderUntilItVanishes) {
  ConfigHome home;
  EXPECT_FALSE(RememberedFolder().has_value());  // first start: ask
  const QString folder = QString::fromStdString(home.dir().File("congregation"));
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(RememberFolder(folder));
  EXPECT_EQ(LastFolderFile(),
            QString::fromStdString(home.dir().File("config")) + "/zarim/zarim.conf");
  EXPECT_TRUE(QFileInfo(LastFolderFile()).isFile());
  ASSERT_TRUE(RememberedFolder().has_value());
  EXPECT_EQ(*RememberedFolder(), folder);
  // A folder removed since the last run is asked for again, not recreated.
  ASSERT_TRUE(QDir(folder).removeRecursively());
  EXPECT_FALSE(RememberedFolder().has_value());
  EXPECT_FALSE(QFileInfo(folder).exists());
}

// The guide opens in the program's language where it is translated, else in English.
TEST(GuideWindowTest, TheGuideIsTheOneOfTheLanguage) {
  const struct {
    const char* catalog;
    const char* page;
  } cases[] = {{"fr", "/help/fr/index.html"},
               {"es", "/help/es/index.html"},
               {"pl", "/help/index.html"},
               {"", "/help/index.html"}};
  for (const auto& c : cases) {
    UseCatalog(c.catalog, ZARIM_TEST_LOCALEDIR);
    const std::string path = HelpFilePath();
    EXPECT_TRUE(path.ends_with(c.page)) << c.catalog << ": " << path;
  }
  UseCatalog("", ZARIM_TEST_LOCALEDIR);
}

TEST(GuideWindowTest, HelpOpensTheGuideInsideTheProgramAndFindsText) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  ShellServices services;
  services.prompter = &prompter;  // no desktop "open": the guide needs none
  CommandTable table;
  RegisterFrameCommands(table);
  CMainFrame frame(doc, services, std::move(table));
  ASSERT_FALSE(HelpFilePath().empty());

  ASSERT_TRUE(frame.RunCommand(kCmdHelpSummary));
  auto* guide = frame.findChild<GuideWindow*>();
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->isVisible());
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_TRUE(guide->browser()->toPlainText().contains("Starting the program"));
  // "&Index" brings the same window back rather than a second one.
  ASSERT_TRUE(frame.RunCommand(kCmdHelpIndex));
  EXPECT_EQ(frame.findChildren<GuideWindow*>().size(), 1);

  guide->search()->setText("snapshots");
  EXPECT_TRUE(guide->FindNext());
  EXPECT_EQ(guide->browser()->textCursor().selectedText().toLower(), "snapshots");
  guide->search()->setText("no such words in the guide");
  EXPECT_FALSE(guide->FindNext());
}

TEST(ToolbarTest, EverySlotShowsAnIconWithATextAsToolTip) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  ShellServices services;
  services.prompter = &prompter;
  CMainFrame frame(doc, services, BuildCommandTable());
  auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("toolbar"));
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
  int slots_shown = 0;
  for (QAction* action : toolbar->actions()) {
    if (action->isSeparator()) continue;
    ++slots_shown;
    SCOPED_TRACE(action->text().toStdString());
    EXPECT_FALSE(action->icon().pixmap(24, 24).isNull());
    EXPECT_FALSE(action->toolTip().isEmpty());
    EXPECT_EQ(action->toolTip(), action->statusTip());
    QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(toolbar->widgetForAction(action));
    ASSERT_NE(button, nullptr);
    // The button says the caption (a tool button leaves out a trailing "...").
    EXPECT_EQ(button->text(QAccessible::Name), Plain(action->iconText()));
    EXPECT_FALSE(button->text(QAccessible::Name).isEmpty());
  }
  EXPECT_GE(slots_shown, 10);
}

TEST(SelectPublisherSearchTest, TypingKeepsOnlyTheMatchingNamesAndSelectsTheFirst) {
  TempDir dir;
  CZarimDoc doc;
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  AddRecord(doc, MakePublisher(10, "Anna", "Berg"));
  AddRecord(doc, MakePublisher(11, "Carl", "Dahl"));
  AddRecord(doc, MakePublisher(12, "Dora", "Dahlberg"));
  SelectPublisherForm form(doc);
  MemoryClipboard clipboard;
  SelectPublisherDialog dialog(doc, form, &clipboard);
  ASSERT_EQ(dialog.list()->count(), 3);
  EXPECT_EQ(dialog.search()->accessibleName(), QStringLiteral("Find"));

  QTest::keyClicks(dialog.search(), "DAHL");
  std::vector<QString> shown;
  for (int i = 0; i < dialog.list()->count(); ++i)
    if (!dialog.list()->item(i)->isHidden()) shown.push_back(dialog.list()->item(i)->text());
  EXPECT_EQ(shown, (std::vector<QString>{"Carl Dahl", "Dora Dahlberg"}));
  EXPECT_EQ(form.SelectedRecord(), doc.RecordNumberById(11));
  dialog.search()->clear();
  EXPECT_FALSE(dialog.list()->item(0)->isHidden());
}

TEST(SaveAsPdfTest, TheReportsTitleAndDateAreProposedInTheExportsFolder) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  FixedClock clock(Date{2024, 3, 10});
  ShellServices services;
  services.prompter = &prompter;
  services.clock = &clock;
  CMainFrame frame(doc, services, BuildCommandTable());
  EXPECT_TRUE(frame.ReportTitle().isEmpty());
  ASSERT_TRUE(frame.RunCommand(kCmdTelephoneCongregation));
  EXPECT_EQ(frame.ReportTitle(), QStringLiteral("Telephone List - Congregation"));
  const PrintJob job = JobFromView(*qobject_cast<ReportView*>(frame.report_view()));
  EXPECT_EQ(ProposedPdfPath(job, frame.ReportTitle()).toStdString(),
            dir.path() + "/Exports/Telephone List - Congregation 2024-03-10.pdf");
  frame.ShowActionPanel();
  EXPECT_TRUE(frame.ReportTitle().isEmpty());
}

TEST(WindowFitTest, DialogsShowTheirWholeTitleButStayOnTheScreen) {
  InstallWindowFitter();
  QDialog narrow;
  narrow.setWindowTitle(QStringLiteral("Pick Field Service Group for the Telephone List"));
  narrow.resize(120, 80);
  narrow.show();
  EXPECT_GT(narrow.width(), QFontMetrics(narrow.font()).horizontalAdvance(narrow.windowTitle()));
  QDialog huge;
  huge.setWindowTitle(QStringLiteral("Huge"));
  huge.resize(5000, 5000);
  huge.show();
  const QSize screen = huge.screen()->availableGeometry().size();
  EXPECT_LE(huge.width(), screen.width());
  EXPECT_LE(huge.height(), screen.height());
}

TEST(PrintProgressTest, ALongJobShowsProgressAndCancelStopsIt) {
  TempDir dir;
  CZarimDoc doc;
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  for (int i = 0; i < 300; ++i)
    AddRecord(doc, MakePublisher(100 + i, "Many", "P" + std::to_string(i)));
  ReportFonts fonts;
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = report_kind::kTelephoneCongregation;
  job.today = Date{2024, 3, 10};
  QPdfWriter writer(QString::fromStdString(dir.File("long.pdf")));
  writer.setResolution(300);
  const int pages = PrintedPageCount(job, writer, 300, 300, false);
  ASSERT_GE(pages, 4);
  QWidget parent;
  // The user presses Cancel while the first page is drawn.
  bool had_cancel = false;
  QTimer::singleShot(0, &parent, [&] {
    auto* progress = parent.findChild<QProgressDialog*>();
    if (!progress) return;
    had_cancel = progress->findChild<QPushButton*>() != nullptr;
    progress->cancel();
  });
  const int drawn = RenderPages(job, writer, 300, 300, false, 1, 0, 1, &parent);
  EXPECT_TRUE(had_cancel);
  EXPECT_GE(drawn, 1);
  EXPECT_LT(drawn, pages);
}

TEST(MainWindowSizeTest, TheWindowNeverStartsLargerThanTheScreen) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  ShellServices services;
  services.prompter = &prompter;
  CMainFrame frame(doc, services, BuildCommandTable());
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  EXPECT_LE(frame.width(), screen.width());
  EXPECT_LE(frame.height(), screen.height());
}

// Shown, with every panel button laid out: the window still fits the screen, and the
// panel scrolls to the last button when the keyboard reaches it.
TEST(MainWindowSizeTest, TheShownWindowFitsAndItsPanelScrollsToTheFocusedButton) {
  TempDir dir;
  ScriptedPrompter prompter;
  CZarimDoc doc(&prompter);
  StartEmpty(doc, Date{2024, 3, 10}, dir.path());
  ShellServices services;
  services.prompter = &prompter;
  CMainFrame frame(doc, services, BuildCommandTable());
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  const QSize screen = frame.screen()->availableGeometry().size();
  EXPECT_LE(frame.width(), screen.width());
  EXPECT_LE(frame.height(), screen.height());
  QPushButton* last = frame.action_panel()->ButtonFor(kCmdExit);
  ASSERT_NE(last, nullptr);
  last->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  const QRect shown(last->mapTo(&frame, QPoint(0, 0)), last->size());
  EXPECT_TRUE(frame.rect().contains(shown.center())) << "the focused button lies outside";
}

}  // namespace
}  // namespace zarim
