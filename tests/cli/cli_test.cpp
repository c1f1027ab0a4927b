// zarim-cli as a user runs it: each command against a demo folder, its output and exit
// status, and what the folder holds afterwards when loaded again through the library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "core/file_io.h"
#include "demo_congregation.h"
#include "support/older_folder.h"

namespace zarim {
namespace {

using testing::CliFolder;
using testing::CliRun;
using ::testing::HasSubstr;

std::string Describe(const CliRun& run) {
  return "exit " + std::to_string(run.status) + "\nstdout:\n" + run.out + "\nstderr:\n" + run.err;
}

// ---- Commands that only look ---------------------------------------------------------

struct LookCase {
  const char* name;
  std::vector<std::string> args;
  const char* shows;  // a piece of the standard output
};

class LookingCommand : public ::testing::TestWithParam<LookCase> {};

// Each command that shows something exits 0, shows it, and leaves every file as it was.
TEST_P(LookingCommand, ShowsAndLeavesTheFolderByteIdentical) {
  CliFolder folder;
  auto before = folder.Files();
  CliRun run = folder.Run(GetParam().args);
  EXPECT_EQ(run.status, 0) << Describe(run);
  EXPECT_THAT(run.out, HasSubstr(GetParam().shows)) << Describe(run);
  EXPECT_EQ(folder.Files(), before) << "the folder changed";
}

INSTANTIATE_TEST_SUITE_P(
    EveryReadOnlyCommand, LookingCommand,
    ::testing::Values(LookCase{"Info", {"info"}, "Working month: November 2026"},
                      LookCase{"Dump", {"dump"}, "\"working_month\""},
                      LookCase{"Version", {"--version"}, "zarim-cli 10."},
                      LookCase{"Month", {"month"}, "November: open"},
                      LookCase{"Groups", {"groups"}, "#1 \t"},
                      LookCase{"ListsInactive", {"lists", "inactive", "--period", "all"}, "\t"},
                      LookCase{"LateList", {"late-list"}, "\t"},
                      LookCase{"Totals", {"totals"}, "Working totals, November 2026 (open)"},
                      LookCase{"TotalsJson", {"totals", "--json"}, "\"working_month\":11"},
                      LookCase{"AttendanceShow", {"attendance", "show"}, "averages: 3 months"},
                      LookCase{"AttendanceJson", {"attendance", "show", "--json"}, "\"average_3\""},
                      LookCase{"Catalog", {"catalog"}, ""},
                      LookCase{"ReportBranchText", {"report", "branch", "--text"}, "Totals"},
                      LookCase{"ReportBranchJson", {"report", "branch", "--json"}, "\"kind\":130"},
                      LookCase{"ReportTelephoneText", {"report", "telephone", "--text"}, "\t555-"},
                      LookCase{"ReportLabelsJson",
                               {"report", "labels", "--json"},
                               "\"title\":\"Publisher Card Labels\""},
                      LookCase{"ViewNoReport",
                               {"view", "no-report", "--month", "11"},
                               "No Report for November 2026  ("},
                      LookCase{"ViewBaptizedJson",
                               {"view", "6", "--bracket", "8", "--json"},
                               "\"title\":\"Over 60 Yrs ( "}),
    [](const auto& info) { return std::string(info.param.name); });

// The usage lists every command, and needs no data folder.
TEST(CliHelp, ListsEveryCommand) {
  CliRun run = testing::RunCli({"--help"});
  EXPECT_EQ(run.status, 0) << Describe(run);
  for (const char* name :
       {"attendance", "backup", "catalog",   "close-month", "dump",       "erase-late",
        "group ",     "groups", "household", "info",        "init-month", "late-list",
        "lists",      "month",  "post",      "publisher",   "reopen",     "report",
        "restore",    "save",   "status",    "totals"})
    EXPECT_THAT(run.out, HasSubstr("  " + std::string(name))) << name;
}

// --help shows the table of exit statuses, and the manual page gives each status the
// same meaning.
TEST(CliHelp, ExitStatusesAreTheManualPages) {
  CliRun run = testing::RunCli({"--help"});
  const Bytes page = ReadFile(ZARIM_SOURCE_DIR "/packaging/zarim-cli.1").value_or(Bytes{});
  const std::string man(page.begin(), page.end());
  const size_t table = run.out.find("exit status:\n");
  ASSERT_NE(table, std::string::npos) << Describe(run);
  std::istringstream rows(run.out.substr(table + 13));
  std::set<int> statuses;
  for (std::string row; std::getline(rows, row);) {
    ASSERT_GT(row.size(), 5u) << row;
    const int status = row[2] - '0';
    statuses.insert(status);
    const size_t entry = man.find(".B " + std::to_string(status) + "\n");
    ASSERT_NE(entry, std::string::npos) << "the manual page has no status " << status;
    EXPECT_THAT(man.substr(entry, man.find(".TP", entry) - entry), HasSubstr(row.substr(5)));
  }
  EXPECT_EQ(statuses, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

// ---- Wrong arguments -------------------------------------------------------------------

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* says;  // a piece of the standard error
};

class RefusedCommand : public ::testing::TestWithParam<RefusalCase> {};

// A command given wrong arguments, or refused by a rule, exits non-zero with a message and
// writes nothing.
TEST_P(RefusedCommand, ExitsWithAMessageAndWritesNothing) {
  CliFolder folder;
  auto before = folder.Files();
  CliRun run = folder.Run(GetParam().args);
  EXPECT_EQ(run.status, GetParam().status) << Describe(run);
  EXPECT_THAT(run.err, HasSubstr(GetParam().says)) << Describe(run);
  EXPECT_EQ(folder.Files(), before) << "the folder changed";
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, RefusedCommand,
    ::testing::Values(
        RefusalCase{"NoCommand", {}, 2, "usage: zarim-cli"},
        RefusalCase{"UnknownCommand", {"frobnicate"}, 2, "unknown command 'frobnicate'"},
        RefusalCase{"BadToday", {"--today", "2026-13-01", "info"}, 2, "--today takes a date"},
        RefusalCase{"GroupsExtra", {"groups", "extra"}, 2, "groups takes no arguments"},
        RefusalCase{"MonthExtra", {"month", "extra"}, 2, "unexpected argument 'extra'"},
        RefusalCase{"TotalsExtra", {"totals", "--csv"}, 2, "totals takes only --json"},
        RefusalCase{"CatalogExtra", {"catalog", "x"}, 2, "catalog takes no arguments"},
        RefusalCase{"ListsUnknown", {"lists", "everyone"}, 2, "unknown list 'everyone'"},
        RefusalCase{"ListsBadPeriod", {"lists", "inactive", "--period", "nine"}, 2, "period"},
        RefusalCase{"ViewUnknown", {"view", "everyone"}, 2, "unknown list type 'everyone'"},
        RefusalCase{"ViewNoSuchChoice", {"view", "aux", "--group", "1"}, 2, "no group choice"},
        RefusalCase{"ViewBadPeriod", {"view", "inactive", "--period", "5"}, 2, "period"},
        RefusalCase{"PostNoIdentifier", {"post"}, 2, "post takes one publisher identifier"},
        RefusalCase{
            "PostUnknownPublisher", {"post", "29999"}, 2, "no publisher with identifier 29999"},
        RefusalCase{"PublisherNoVerb", {"publisher"}, 2, "publisher add|edit ID|delete ID"},
        RefusalCase{"PublisherBadGender",
                    {"publisher", "add", "--first", "Ada", "--last", "Lund", "--gender", "x"},
                    2,
                    "--gender takes m, f or none"},
        RefusalCase{
            "PublisherBadDate",
            {"publisher", "add", "--first", "Ada", "--last", "Lund", "--birth", "1990-13-40"},
            2,
            "a date is YYYY-MM-DD"},
        // An identifier that names nobody is a usage error for every command.
        RefusalCase{"PublisherEditUnknown",
                    {"publisher", "edit", "29999", "--first", "X"},
                    2,
                    "no publisher with identifier 29999"},
        RefusalCase{"PublisherDeleteUnknown",
                    {"publisher", "delete", "29999"},
                    2,
                    "no publisher with identifier 29999"},
        RefusalCase{"PioneerYtdUnknown", {"pioneer-ytd", "29999"}, 2, "identifier 29999"},
        RefusalCase{"StatusUnknownPublisher",
                    {"status", "29999", "inactive", "--month", "11"},
                    2,
                    "identifier 29999"},
        RefusalCase{"HistoryUnknownPublisher",
                    {"history", "29999", "--year", "2026", "--month", "10"},
                    2,
                    "identifier 29999"},
        RefusalCase{"HouseholdUnknownHead", {"household", "add", "29999", "10"}, 2, "29999"},
        RefusalCase{
            "GroupOverseerUnknown", {"group", "set", "1", "--overseer-id", "29999"}, 2, "29999"},
        RefusalCase{"CardUnknown", {"report", "card", "29999", "--text"}, 2, "29999"},
        RefusalCase{"LabelsUnknown", {"labels", "--ids", "10,29999", "--json"}, 2, "29999"},
        RefusalCase{"PdfUnwritable",
                    {"report", "branch", "--pdf", "/nonexistent/branch.pdf"},
                    5,
                    "/nonexistent/branch.pdf"},
        RefusalCase{"StatusNoMonth", {"status", "10", "inactive"}, 2, "usage: status"},
        RefusalCase{"StatusUnknownAction",
                    {"status", "10", "sideways", "--month", "11"},
                    2,
                    "unknown status action 'sideways'"},
        RefusalCase{"GroupOutOfRange", {"group", "set", "99"}, 2, "group number"},
        RefusalCase{"HouseholdShort", {"household", "add", "10"}, 2, "household add HEAD MEMBER"},
        RefusalCase{"AttendanceTooFewWeeks",
                    {"attendance", "set", "--meeting", "midweek", "--month", "11", "--year", "2026",
                     "40", "41"},
                    2,
                    "usage: attendance set"},
        RefusalCase{"AttendanceAheadOfWrongMonth",
                    {"attendance", "set", "--meeting", "weekend", "--month", "1", "--year", "2027",
                     "1", "2", "3", "4", "0", "--ahead"},
                    1,
                    "only the month after the working month"},
        RefusalCase{"InitMonthWhileOpen", {"init-month", "--yes"}, 1, "close it first"},
        RefusalCase{"ReopenWhileOpen", {"reopen"}, 1, "is already open"},
        RefusalCase{"EraseLateUnconfirmed", {"erase-late"}, 1, "nothing erased"},
        RefusalCase{"BackupToNoFolder",
                    {"backup", "--to", "/nonexistent/zarim-sets"},
                    2,
                    "is not a folder"},
        RefusalCase{"RestoreNoSource", {"restore"}, 2, "restore (--latest | --from PATH | --undo)"},
        RefusalCase{"RestoreFromNoSet",
                    {"restore", "--from", "/nonexistent/Zr9_x"},
                    2,
                    "is not a backup set folder"},
        RefusalCase{"RestoreUndoNothing", {"restore", "--undo"}, 1, "there is no restore to undo"},
        RefusalCase{"ReportUnknown", {"report", "yearly"}, 2, "no report yearly"},
        RefusalCase{"ReportNoGroup",
                    {"report", "averages-group", "--group", "9"},
                    1,
                    "There is no field service group 9."}),
    [](const auto& info) { return std::string(info.param.name); });

// A missing data folder is named, and not created.
TEST(CliFolderMissing, IsReportedAndNotCreated) {
  testing::TempDir dir;
  std::string missing = dir.File("none");
  CliRun run = testing::RunCli({"--data", missing, "info"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("does not exist"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// A fresh demo folder holds what the program writes: saved unchanged, every data file
// keeps its bytes (the open month's totals are the program's, late reports included).
TEST(CliDemoFolder, SavedUnchangedKeepsEveryByte) {
  CliFolder folder;
  auto before = folder.Files();
  ASSERT_EQ(folder.Run({"save"}).status, 0);
  auto after = folder.Files();
  if (!before.count("zarim.ini")) after.erase("zarim.ini");  // the settings of the program
  EXPECT_EQ(after, before);
}

// The full demo folder fills the active list and stays within the index.
TEST(CliDemoFolder, FullStaysWithinTheCapacities) {
  SilentPrompter silent;
  CZarimDoc doc(&silent);
  demo::DemoOptions options;
  options.full = true;
  demo::BuildDemo(doc, options);
  EXPECT_EQ(doc.CountStatus(kActive), kMaxStatusList);
  EXPECT_LE(doc.count - 1, kMaxIndex);
}

// A folder of the earlier version: "info" says it is converted and writes nothing; "save"
// writes the current files (after keeping the folder as a backup set beside it), and
// the next "info" reads them.
TEST(CliOlderFolder, InfoSaysConvertedAndSaveWritesTheCurrentFiles) {
  testing::TempDir root;
  const std::string data = root.File("congregation");
  ASSERT_TRUE(std::filesystem::create_directory(data));
  uint8_t years[12];
  std::fill(std::begin(years), std::end(years), 26);
  testing::OlderRecord anna = testing::OlderPublisher(101, "Anna", "Berg");
  const Bytes older = testing::Join({testing::OlderHeader(years), anna});
  ASSERT_TRUE(WriteFilePlain(JoinPath(data, "tdat7.bin"), older));
  auto run = [&](const std::string& command) {
    return testing::RunCli({"--data", data, "--today", "2026-12-08", command});
  };

  CliRun info = run("info");
  ASSERT_EQ(info.status, 0) << Describe(info);
  EXPECT_THAT(info.out, HasSubstr("Converted from an earlier version: 1 active"));
  EXPECT_FALSE(std::filesystem::exists(JoinPath(data, "tdat9.bin")));

  CliRun save = run("save");
  ASSERT_EQ(save.status, 0) << Describe(save);
  EXPECT_GE(FileSize(JoinPath(data, "tdat9.bin")), 2 * sizeof(PubRecord));
  EXPECT_EQ(ReadFile(JoinPath(data, "tdat7.bin")), older);

  info = run("info");
  ASSERT_EQ(info.status, 0) << Describe(info);
  EXPECT_THAT(info.out, Not(HasSubstr("Converted")));
  EXPECT_THAT(info.out, HasSubstr("active: 1"));
}

}  // namespace
}  // namespace zarim
