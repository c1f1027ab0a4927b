// The corrections log end to end: a scripted month of zarim-cli commands, the log they
// leave, and the branch check that the log explains.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "cli/cli_support.h"
#include "core/month.h"
#include "core/text_codec.h"
#include "cycle/branch_check.h"
#include "cycle/slip_queries.h"

namespace zarim {
namespace {

using testing::CliFolder;

// The first active publisher without a pioneer code who reported in month m (or did not,
// when `reported` is false) and is not one of `taken`.
int PickPublisher(const CZarimDoc& doc, int m, bool reported, const std::set<int>& taken) {
  const int s = doc.SlotOfMonth(m);
  for (int r = 1; r < doc.count; ++r) {
    const PubRecord& p = doc.records[r];
    if (p.status == kActive && !p.service_flags && PioneerCodeOf(p, m, s) == 0 &&
        ReportedInMonth(p, m, s) == reported && p.late[m][s] == 0 && !taken.count(p.id))
      return p.id;
  }
  return 0;
}

TEST(CorrectionsLog, ScriptedMonthLogsExactlyItsChangesToSentMonths) {
  CliFolder folder;
  auto doc = folder.Load();
  ASSERT_EQ(doc->working_month, 10) << "the demo works in November";
  // History corrects October and September; a late report comes for August.
  const int a = PickPublisher(*doc, 9, true, {});
  const int b = PickPublisher(*doc, 8, true, {a});
  const int c = PickPublisher(*doc, 7, false, {a, b});
  const int d = PickPublisher(*doc, 10, false, {a, b, c});
  ASSERT_TRUE(a && b && c && d);
  auto studies = [&](int id, int m) {
    return StudiesInMonth(*doc->FindById(id), m, doc->SlotOfMonth(m));
  };
  const int a_old = studies(a, 9), b_old = studies(b, 8);
  // What already differs in the demo (sorted), and by how many studies.
  std::map<int, std::vector<std::pair<int, int>>> diffs_before;
  std::map<int, int> studies_before;
  for (const BranchCheckMonth& m : CheckBranchReports(*doc)) {
    diffs_before[m.month] = m.differences;
    studies_before[m.month] = m.now.row[0][kBibleStudies] - m.sent.row[0][kBibleStudies];
  }

  // The working month is not yet reported to the branch: its slip logs nothing.
  ASSERT_EQ(folder.Run({"post", std::to_string(d), "--studies", "2"}).status, 0);
  ASSERT_EQ(folder.Run({"corrections", "--json"}).out, "{\"unreadable\":0,\"corrections\":[]}\n");

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"history", std::to_string(a), "--year", "2026", "--month", "10", "--studies",
            std::to_string(a_old + 3)},
           {"history", std::to_string(b), "--year", "2026", "--month", "9", "--studies",
            std::to_string(b_old + 1)},
           {"post", std::to_string(c), "--month", "8", "--shared"}}) {
    auto run = folder.Run(args);
    ASSERT_EQ(run.status, 0) << run.err;
  }

  auto name = [&](int id) { return ToUtf8(doc->DisplayName(*doc->FindById(id)), "eng"); };
  auto entry = [&](const char* command, int id, int month, const char* field, std::string from,
                   std::string to) {
    return "{\"command\":\"" + std::string(command) + "\",\"publisher_id\":" + std::to_string(id) +
           ",\"publisher\":\"" + name(id) + "\",\"month\":" + std::to_string(month) +
           ",\"year\":2026,\"field\":\"" + field + "\",\"old\":\"" + from + "\",\"new\":\"" + to +
           "\"}";
  };
  const std::string history = "history --year --month --studies";
  const std::string expected =
      "{\"unreadable\":0,\"corrections\":[" +
      entry(history.c_str(), a, 10, "studies", std::to_string(a_old), std::to_string(a_old + 3)) +
      "," +
      entry(history.c_str(), b, 9, "studies", std::to_string(b_old), std::to_string(b_old + 1)) +
      "," + entry("post --month --shared", c, 8, "shared", "no", "yes") + "," +
      entry("post --month --shared", c, 8, "late", "no", "yes") + "]}\n";
  std::string listed = folder.Run({"corrections", "--json"}).out;
  listed = std::regex_replace(listed, std::regex("\"when\":\"2026-12-08 [0-9:]{5}\","), "");
  EXPECT_EQ(listed, expected);
  // One month's corrections only.
  std::string october =
      folder.Run({"corrections", "--month", "10", "--year", "2026", "--json"}).out;
  EXPECT_EQ(october.find("\"month\":9"), std::string::npos) << october;
  EXPECT_NE(october.find("\"month\":10"), std::string::npos) << october;

  // The branch check: October and September gain exactly a difference in the studies of
  // the publishers' row, by the studies added; the late August report is counted in
  // November, so August gains none. Other months stay as they were.
  auto after = folder.Load();
  for (const BranchCheckMonth& m : CheckBranchReports(*after)) {
    std::vector<std::pair<int, int>> expected = diffs_before[m.month];
    if (m.month == 9 || m.month == 8) {
      expected.emplace_back(0, static_cast<int>(kBibleStudies));
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(m.now.row[0][kBibleStudies] - m.sent.row[0][kBibleStudies],
                (m.month == 9 ? 3 : 1) + studies_before[m.month]);
    }
    EXPECT_EQ(m.differences, expected) << MonthYearName(m.month, m.year);
  }
  // branch-check names the entry that explains October.
  std::string check = folder.Run({"branch-check", "--json"}).out;
  check = std::regex_replace(check, std::regex("\"when\":\"2026-12-08 [0-9:]{5}\","), "");
  EXPECT_NE(check.find("\"corrections\":[" +
                       entry(history.c_str(), a, 10, "studies", std::to_string(a_old),
                             std::to_string(a_old + 3)) +
                       "]"),
            std::string::npos)
      << check;

  // A restore logs what it changed back, under "restore".
  testing::TempDir sets;
  ASSERT_EQ(folder.Run({"backup", "--to", sets.path()}).status, 0);
  ASSERT_EQ(folder
                .Run({"history", std::to_string(a), "--year", "2026", "--month", "10", "--studies",
                      std::to_string(a_old + 5)})
                .status,
            0);
  auto restored = folder.Run({"restore", "--latest"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  listed = folder.Run({"corrections", "--month", "10", "--year", "2026", "--json"}).out;
  listed = std::regex_replace(listed, std::regex("\"when\":\"2026-12-08 [0-9:]{5}\","), "");
  EXPECT_NE(listed.find(entry(history.c_str(), a, 10, "studies", std::to_string(a_old + 3),
                              std::to_string(a_old + 5)) +
                        "," +
                        entry("restore", a, 10, "studies", std::to_string(a_old + 5),
                              std::to_string(a_old + 3)) +
                        "]}"),
            std::string::npos)
      << listed;
}

// Check Figures: a demo month has nothing to check; "10 hours typed as 100" by a
// publisher whose months hold about 10 is listed, and only that.
TEST(CheckFigures, ListsAPlantedHundredHourSlipAndNotTheOrdinaryOnes) {
  CliFolder folder;
  EXPECT_EQ(folder.Run({"check-figures", "--json"}).out,
            "{\"working_month\":11,\"working_year\":2026,\"warnings\":[]}\n");
  auto doc = folder.Load();
  const int id = PickPublisher(*doc, 10, false, {});
  ASSERT_NE(id, 0);
  // Twelve months of about ten hours as an auxiliary pioneer, November 2025 to October 2026.
  for (int k = 0; k < 12; ++k) {
    const int month = (10 + k) % 12 + 1, year = k < 2 ? 2025 : 2026;
    ASSERT_EQ(folder
                  .Run({"history", std::to_string(id), "--year", std::to_string(year), "--month",
                        std::to_string(month), "--pioneer", "aux", "--shared", "--hours",
                        std::to_string(9 + k % 3)})
                  .status,
              0);
  }
  ASSERT_EQ(folder.Run({"post", std::to_string(id), "--aux", "--hours", "100"}).status, 0);
  const std::string out = folder.Run({"check-figures", "--json"}).out;
  EXPECT_EQ(out.find("\"kind\":\"hours_far_above_usual\",\"id\":" + std::to_string(id) +
                     ",\"month\":11,\"year\":2026,\"value\":100,\"usual\":10"),
            out.find("\"kind\""))
      << out;
  EXPECT_EQ(out.find("\"kind\"", out.find("\"kind\"") + 1), std::string::npos) << out;
}

}  // namespace
}  // namespace zarim
