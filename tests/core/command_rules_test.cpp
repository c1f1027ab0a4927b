// The enabling rules of the main window's commands: no publisher, the history view, the
// custom category, the old reports, the report view; the panel's buttons and captions.
#include <gtest/gtest.h>

#include <set>

#include "core/access_keys.h"
#include "core/command_catalog.h"
#include "core/desktop_ports.h"
#include "core/document.h"
#include "core/month.h"
#include "core/store.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;

class CommandRules : public ::testing::Test {
 protected:
  CommandRules() { testing::StartEmpty(doc_, Date{2024, 3, 10}, dir_.path()); }
  bool On(int id) const { return CommandEnabled(id, doc_, view_); }
  testing::TempDir dir_;
  CZarimDoc doc_;
  ViewState view_;
};

constexpr int kNeedPublishersLive[] = {kCmdAuxPioneers, kCmdReportSlips, kCmdMoveOuts,
                                       kCmdEditInactive, kCmdRegularPioneers};
constexpr int kChangesData[] = {kCmdSave,
                                kCmdPublishers,
                                kCmdGroups,
                                kCmdPassword,
                                kCmdHistory,
                                kCmdPostAttendance,
                                kCmdEditNonPublishers,
                                kCmdImportXml,
                                kCmdExportAttendance,
                                kCmdExportSummary,
                                kCmdBackup,
                                kCmdRestore};

TEST_F(CommandRules, WithoutPublishersTheEditingOfPublishersIsOff) {
  for (int id : kNeedPublishersLive) EXPECT_FALSE(On(id)) << id;
  EXPECT_FALSE(On(kCmdExportMonthlyReport));
  EXPECT_FALSE(On(kCmdCircuitOverseer));
  EXPECT_TRUE(On(kCmdPublishers));  // adding the first publisher must be possible
  AddRecord(doc_, MakePublisher(10, "Ann", "Lee"));
  for (int id : kNeedPublishersLive) EXPECT_TRUE(On(id)) << id;
  EXPECT_TRUE(On(kCmdExportMonthlyReport));
  EXPECT_TRUE(On(kCmdCircuitOverseer));
}

TEST_F(CommandRules, TheHistoryViewTurnsOffEveryCommandThatChangesData) {
  AddRecord(doc_, MakePublisher(10, "Ann", "Lee"));
  doc_.modified = 1;
  for (int id : kChangesData) EXPECT_TRUE(On(id)) << id;
  doc_.history_view = 1;
  for (int id : kChangesData) EXPECT_FALSE(On(id)) << id;
  for (int id : kNeedPublishersLive) EXPECT_FALSE(On(id)) << id;
  // Reading stays possible.
  EXPECT_TRUE(On(kCmdExportMonthlyReport));
  EXPECT_TRUE(On(kCmdCircuitOverseer));
  EXPECT_TRUE(On(kCmdNoReport));
  EXPECT_TRUE(On(kCmdPrintSetup));
  EXPECT_FALSE(On(kCmdCustomCategory));
}

TEST_F(CommandRules, SaveFollowsTheModifiedFlag) {
  EXPECT_FALSE(On(kCmdSave));
  doc_.modified = 1;
  EXPECT_TRUE(On(kCmdSave));
}

TEST_F(CommandRules, CustomCategoryItemsCarryItsNameWhileDefined) {
  for (int id : {kCmdViewCustom, kCmdAvgCustom, kCmdHoursCustom}) {
    EXPECT_FALSE(On(id));
    EXPECT_EQ(CommandCaption(id, doc_), "");
  }
  EXPECT_FALSE(CommandChecked(kCmdCustomCategory, doc_));
  doc_.options.custom_category_enabled = 1;
  doc_.options.custom_category_name = "   ";  // switched on without a name: not defined
  EXPECT_FALSE(On(kCmdViewCustom));
  doc_.options.custom_category_name = "Carts & Tables";
  for (int id : {kCmdViewCustom, kCmdAvgCustom, kCmdHoursCustom}) {
    EXPECT_TRUE(On(id));
    EXPECT_EQ(CommandCaption(id, doc_), "Carts && Tables");  // '&' shown, not an access key
  }
  EXPECT_TRUE(CommandChecked(kCmdCustomCategory, doc_));
  EXPECT_TRUE(On(kCmdCustomCategory));
}

TEST_F(CommandRules, OldReportItemsNameTheirMonthAndNeedTheSnapshot) {
  doc_.SetWorkingSerial(Serial(26, 1));  // February 2026
  EXPECT_FALSE(AnyOldReport(doc_));
  doc_.history_month_mask = (1u << 1) | (1u << 3);
  EXPECT_TRUE(AnyOldReport(doc_));
  EXPECT_EQ(CommandCaption(kCmdOldReport1, doc_), "January 2026");
  EXPECT_EQ(CommandCaption(kCmdOldReport3, doc_), "November 2025");
  EXPECT_EQ(CommandCaption(kCmdOldReport6, doc_), "August 2025");
  EXPECT_TRUE(On(kCmdOldReport1));
  EXPECT_FALSE(On(kCmdOldReport2));
  EXPECT_TRUE(On(kCmdOldReport3));
  doc_.history_month_mask = 1u;  // bit 0 is no item
  EXPECT_FALSE(AnyOldReport(doc_));
}

TEST_F(CommandRules, ReturnToActionPanelOnlyWhileAReportIsShown) {
  EXPECT_FALSE(On(kCmdReturnToPanel));
  view_.report_shown = true;
  EXPECT_TRUE(On(kCmdReturnToPanel));
}

TEST_F(CommandRules, EraseLateReportsWaitsForItsFlag) {
  EXPECT_FALSE(On(kCmdEraseLate));
  doc_.erase_late_enabled = 1;
  EXPECT_TRUE(On(kCmdEraseLate));
}

TEST_F(CommandRules, DeletedWaitsForADeletedPublisher) {
  AddRecord(doc_, MakePublisher(10, "Anna", "Adams"));
  RefreshDerivedState(doc_);
  EXPECT_FALSE(On(kCmdDeleted));
  AddRecord(doc_, MakePublisher(11, "Ben", "Brown", kDeleted));
  RefreshDerivedState(doc_);
  EXPECT_TRUE(On(kCmdDeleted));
}

TEST_F(CommandRules, OptionChecksFollowTheDocument) {
  EXPECT_FALSE(CommandChecked(kCmdNoStartupNotice, doc_));
  doc_.options.no_startup_notice = 1;
  EXPECT_TRUE(CommandChecked(kCmdNoStartupNotice, doc_));
  EXPECT_TRUE(CommandChecked(kCmdAutoCaps, doc_));  // on by default
  EXPECT_FALSE(CommandChecked(kCmdSave, doc_));
}

TEST_F(CommandRules, PanelButtonsOffInTheHistoryViewAreExactlyTheEditingOnes) {
  std::set<int> off;
  doc_.history_view = 1;
  for (const PanelButton& b : PanelButtons())
    if (!PanelButtonEnabled(b, doc_)) off.insert(b.command);
  EXPECT_EQ(off,
            (std::set<int>{kCmdReportSlips, kCmdAuxPioneers, kCmdPublishers, kCmdPostAttendance,
                           kCmdGroups, kCmdEditInactive, kCmdMoveOuts, kCmdHistory}));
  EXPECT_EQ(PanelButtons().size(), 23u);
}

TEST_F(CommandRules, HistoryReturnNamesTheLiveWorkingMonth) {
  EXPECT_FALSE(HistoryReturnShown(doc_));
  doc_.history_view = 1;
  doc_.SetWorkingSerial(Serial(25, 9));  // the snapshot's month, October 2025
  doc_.live_working_month = 1;           // viewed from February 2026
  EXPECT_TRUE(HistoryReturnShown(doc_));
  EXPECT_EQ(HistoryReturnCaption(doc_), "February 2026 ->");
  EXPECT_EQ(WorkingMonthPaneText(doc_), "  Working Month = October 2025");
}

TEST_F(CommandRules, WindowTitleNamesTheCongregationElseItsFolder) {
  const struct {
    const char* name;
    const char* folder;
    const char* title;
  } cases[] = {
      {"Eastside   ", "/tmp/x/ZARIM", "ZARIM - Eastside"},
      {"", "/tmp/x/Hill Street/", "ZARIM - Hill Street"},
      {"  ", "/tmp/x/ZARIM 2", "ZARIM - ZARIM 2"},
      {"", "/", "ZARIM"},
  };
  for (const auto& c : cases) {
    doc_.options.congregation_name = c.name;
    doc_.data_folder = c.folder;
    EXPECT_EQ(MainWindowTitle(doc_), c.title) << c.folder;
  }
}

TEST(AccessKeys, EveryEntryGetsAFreeKeyAndGivenKeysStay) {
  EXPECT_EQ(WithAccessKeys({"Backup and Restore", "Export or Import", "&Save", "E&xit",
                            "Telephone && E-mail", "Backup", "?!"}),
            (std::vector<std::string>{"&Backup and Restore", "&Export or Import", "&Save", "E&xit",
                                      "&Telephone && E-mail", "B&ackup", "?!"}));
}

// Letters of any alphabet are keys, a capital and its small letter being one key.
TEST(AccessKeys, CyrillicAndPolishLettersAreKeysWithoutCase) {
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
      {{"Печать", "Параметры", "пароль", "Выход"}, {"&Печать", "П&араметры", "па&роль", "&Выход"}},
      {{"&Файл", "фамилия", "Имя и Фамилия"}, {"&Файл", "ф&амилия", "&Имя и Фамилия"}},
      {{"Łukasz", "łączność", "Ósmy", "ósma", "Żółć"},
       {"&Łukasz", "ł&ączność", "&Ósmy", "ó&sma", "&Żółć"}},
      {{"Ёлка", "ёж", "ЁЖ"}, {"&Ёлка", "ё&ж", "ЁЖ"}},
  };
  for (const auto& [captions, keyed] : cases) EXPECT_EQ(WithAccessKeys(captions), keyed);
}

TEST(CommandCatalogTable, NumbersAreUniqueAndCaptionsPresent) {
  std::set<int> ids;
  for (const CommandInfo& c : CommandCatalog()) {
    EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    const bool runtime = c.rule == Rule::kOldReport || c.id == kCmdViewRuntime;
    EXPECT_EQ(Str(c.caption).empty(), runtime) << c.id;
  }
  EXPECT_EQ(FindCommand(kCmdSave)->shortcut, std::string("Ctrl+S"));
  EXPECT_EQ(FindCommand(kCmdPrint)->shortcut, std::string("Ctrl+P"));
  EXPECT_EQ(Str(FindCommand(kCmdExportCollectionCsv)->status_text), "Export Collecton List as CSV");
  EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandCatalogTable, ToolbarHoldsItsTwentySlotsInOrder) {
  auto slots = ToolbarSlots();
  ASSERT_EQ(slots.size(), 20u);
  EXPECT_EQ(slots[0], 32787);
  EXPECT_EQ(slots[2], 57603);
  EXPECT_EQ(slots[4], 57607);
  EXPECT_EQ(slots[19], 57669);
  int separators = 0;
  for (int id : slots) separators += id == 0;
  EXPECT_EQ(separators, 6);
}

// Records the dial requests, answering as told.
class FakeDialer : public Dialer {
 public:
  Result answer = Result::kPlaced;
  std::string number, app, name;
  Result Dial(std::string_view n, std::string_view a, std::string_view who) override {
    number = n;
    app = a;
    name = who;
    return answer;
  }
};

class FakePrinters : public PrinterQuery {
 public:
  std::string name;
  std::string DefaultPrinter() const override { return name; }
};

TEST(DesktopPorts, DialingPassesOnlyDialableCharactersAndTellsFailures) {
  testing::ScriptedPrompter prompter;
  FakeDialer dialer;
  EXPECT_TRUE(DialNumber(dialer, prompter, "(555) 123-4567 --help", "Ann Lee"));
  EXPECT_EQ(dialer.number, "5551234567");
  EXPECT_EQ(dialer.app, "ZARIM");
  EXPECT_EQ(dialer.name, "Ann Lee");
  EXPECT_TRUE(prompter.messages.empty());
  dialer.answer = Dialer::Result::kNoService;
  EXPECT_FALSE(DialNumber(dialer, prompter, "+1 555", "x"));
  EXPECT_EQ(prompter.messages.back(), "Telephone service not available");
  dialer.answer = Dialer::Result::kNoEntry;
  EXPECT_FALSE(DialNumber(dialer, prompter, "555", "x"));
  EXPECT_EQ(prompter.messages.back(), "bad procaddress");
}

class FakeMailer : public Mailer {
 public:
  Result Send(const MailMessage& m) override {
    sent.push_back(m);
    return answer;
  }
  Result answer = Result::kHandedOver;
  std::vector<MailMessage> sent;
};

TEST(DesktopPorts, MailRecipientsSplitAtSemicolonsAndFailuresAreTold) {
  EXPECT_EQ(SplitRecipients(" a@x.org; ;b@y.org ;"),
            (std::vector<std::string>{"a@x.org", "b@y.org"}));
  EXPECT_TRUE(SplitRecipients(" ; ").empty());
  testing::ScriptedPrompter prompter;
  FakeMailer mailer;
  MailMessage m{SplitRecipients("a@x.org"), "Subject", "Text", "/tmp/g.t09", ""};
  EXPECT_TRUE(SendMail(mailer, prompter, m));
  EXPECT_TRUE(prompter.messages.empty());
  mailer.answer = Mailer::Result::kNoService;
  EXPECT_FALSE(SendMail(mailer, prompter, m));
  EXPECT_EQ(prompter.messages.back(), "Unable to load mail system support.");
  mailer.answer = Mailer::Result::kFailed;
  EXPECT_FALSE(SendMail(mailer, prompter, m));
  EXPECT_EQ(prompter.messages.back(), "Send Mail failed to send message.");
  EXPECT_EQ(mailer.sent.size(), 3u);
}

TEST(DesktopPorts, DefaultPrinterNameOrTheMessage) {
  FakePrinters printers;
  EXPECT_EQ(DefaultPrinterName(printers),
            "No printer is available.  Verify that a printer is installed and try again.");
  printers.name = "Office";
  EXPECT_EQ(DefaultPrinterName(printers), "Office");
}

}  // namespace
}  // namespace zarim
