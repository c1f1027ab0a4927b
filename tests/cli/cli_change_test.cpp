// zarim-cli commands that change the data: each one's effect as found by loading the
// folder again through the library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/attendance.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "demo_congregation.h"

namespace zarim {
namespace {

using testing::CliFolder;
using testing::CliRun;
using ::testing::HasSubstr;

std::string Describe(const CliRun& run) {
  return "exit " + std::to_string(run.status) + "\nstdout:\n" + run.out + "\nstderr:\n" + run.err;
}

// The n-th record (0 first) with a status.
const PubRecord* Nth(const CZarimDoc& doc, uint8_t status, int n = 0) {
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].status == status && n-- == 0) return &doc.records[r];
  return nullptr;
}

std::string Id(const PubRecord* r) { return r ? std::to_string(r->id) : "none"; }

std::string Text(const CZarimDoc& doc, const char* field, size_t n) {
  return ToUtf8(FieldText(field, n), doc.language_code);
}

class CliChange : public ::testing::Test {
 protected:
  // Runs the command and expects it to succeed.
  CliRun Ok(const std::vector<std::string>& args) {
    CliRun run = folder.Run(args);
    EXPECT_EQ(run.status, 0) << Describe(run);
    return run;
  }
  CliFolder folder;
};

// A slip with studies is stored in the working month of the publisher's record, and the
// month's stored totals count it.
TEST_F(CliChange, PostStoresTheSlip) {
  auto doc = folder.Load();
  // A publisher whose slip of the working month is still empty.
  const PubRecord* pub = nullptr;
  const int m = doc->working_month, s = doc->SlotOfMonth(m);
  for (int r = 1; r < doc->count && !pub; ++r) {
    const PubRecord& rec = doc->records[r];
    if (rec.status == kActive && rec.pioneer[m][s] == kPublisher &&
        rec.activity[kBibleStudies][m][s] == 0)
      pub = &rec;
  }
  ASSERT_NE(pub, nullptr);
  int id = pub->id;
  WorkingTotals totals = RecomputeTotals(*doc);  // what the slips add up to before

  CliRun run = Ok({"post", std::to_string(id), "--studies", "4"});
  EXPECT_THAT(run.out, HasSubstr("posted"));

  auto after = folder.Load();
  const PubRecord& stored = *after->FindById(id);
  EXPECT_EQ(stored.activity[kBibleStudies][m][s] & kStudiesMask, 4);
  EXPECT_TRUE(stored.activity[kBibleStudies][m][s] & kSharedBit);
  WorkingTotals now = StoredTotals(*after, m, s);
  EXPECT_EQ(now.row[0][kBibleStudies], totals.row[0][kBibleStudies] + 4);
  EXPECT_EQ(now.row[0][kTotalsReportsField], totals.row[0][kTotalsReportsField] + 1);
}

// Add, edit and delete go through the publisher forms and reach the file.
TEST_F(CliChange, PublisherAddEditDelete) {
  CliRun added = Ok({"publisher", "add", "--first", "Ada", "--last", "Lindqvist", "--gender", "f",
                     "--group", "2"});
  int id = std::stoi(added.out);
  ASSERT_GT(id, 0) << added.out;
  {
    auto doc = folder.Load();
    const PubRecord* r = doc->FindById(id);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(*doc, r->first_name, sizeof r->first_name), "Ada");
    EXPECT_EQ(Text(*doc, r->last_name, sizeof r->last_name), "Lindqvist");
    EXPECT_EQ(r->group, 2);
    EXPECT_EQ(r->status, kActive);
  }
  Ok({"publisher", "edit", std::to_string(id), "--address", "1 Harbour Road"});
  {
    auto doc = folder.Load();
    const PubRecord* r = doc->FindById(id);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(*doc, r->address, sizeof r->address), "1 Harbour Road");
    EXPECT_EQ(Text(*doc, r->first_name, sizeof r->first_name), "Ada") << "edit keeps other fields";
  }
  Ok({"publisher", "delete", std::to_string(id)});
  auto doc = folder.Load();
  const PubRecord* r = doc->FindById(id);
  EXPECT_TRUE(r == nullptr || r->status == kDeleted);
}

// A status move changes the status and the status month.
TEST_F(CliChange, StatusMovesAPublisherToTheInactiveList) {
  auto doc = folder.Load();
  const PubRecord* pub = Nth(*doc, kActive, 3);
  ASSERT_NE(pub, nullptr);
  int id = pub->id;
  Ok({"status", std::to_string(id), "inactive", "--month", "10"});
  auto after = folder.Load();
  EXPECT_EQ(after->FindById(id)->status, kInactive);
  EXPECT_EQ(after->FindById(id)->status_month >> 4, 10);
}

// A member joins the household of a family head.
TEST_F(CliChange, HouseholdAddLinksTheMember) {
  auto doc = folder.Load();
  const PubRecord* head = nullptr;
  const PubRecord* member = nullptr;
  for (int r = 1; r < doc->count; ++r) {
    const PubRecord& rec = doc->records[r];
    if (rec.status != kActive) continue;
    if (!head && (rec.flags & kFamilyHead)) {
      head = &rec;
    } else if (!member && !(rec.flags & kFamilyHead) && rec.household_head == 0) {
      member = &rec;
    }
  }
  ASSERT_TRUE(head && member);
  int head_id = head->id, member_id = member->id;
  Ok({"household", "add", std::to_string(head_id), std::to_string(member_id)});
  auto after = folder.Load();
  EXPECT_EQ(after->FindById(member_id)->household_head, head_id);
}

// The group's details are stored in the group table.
TEST_F(CliChange, GroupSetStoresTheLocation) {
  CliRun run = Ok({"group", "set", "2", "--location", "Hall B", "--time", "9:30"});
  EXPECT_THAT(run.out, HasSubstr("Hall B"));
  auto doc = folder.Load();
  EXPECT_EQ(FieldText(doc->groups.location[1]), "Hall B");
  EXPECT_EQ(FieldText(doc->groups.time[1]), "9:30");
}

// The weekly attendance of a month is stored with its number, total and average.
TEST_F(CliChange, AttendanceSetStoresTheWeeks) {
  CliRun run = Ok({"attendance", "set", "--meeting", "weekend", "--month", "11", "--year", "2026",
                   "80", "90", "100", "110", "0"});
  EXPECT_THAT(run.out, HasSubstr("number 4, total 380, average 95"));
  auto doc = folder.Load();
  int slot = SlotOfSerial(Serial(26, 10));
  WeekValues expected{80, 90, 100, 110, 0};
  EXPECT_EQ(StoredWeeks(*doc, kWeekendMeeting, 10, slot), expected);
}

// Closing the month ends the collection; reopening opens it again.
TEST_F(CliChange, CloseMonthAndReopen) {
  Ok({"close-month"});
  EXPECT_FALSE(WorkingMonthOpen(*folder.Load()));
  auto closed = folder.Files();
  CliRun again = folder.Run({"close-month"});
  EXPECT_EQ(again.status, 1) << Describe(again);
  EXPECT_THAT(again.err, HasSubstr("is not open"));
  EXPECT_EQ(folder.Files(), closed);
  CliRun run = folder.Run({"post", Id(Nth(*folder.Load(), kActive))});
  EXPECT_EQ(run.status, 1) << "no slips while the month is closed: a rule, not a usage error";
  EXPECT_THAT(run.err, HasSubstr("is not open"));
  Ok({"reopen"});
  EXPECT_TRUE(WorkingMonthOpen(*folder.Load()));
}

// From the 25th the next month is initialized, after confirmation.
TEST_F(CliChange, InitMonthNextOpensDecember) {
  auto on_26th = [](std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", "2026-12-26"});
    return args;
  };
  Ok(on_26th({"close-month"}));
  auto before = folder.Files();
  CliRun unconfirmed = folder.Run(on_26th({"init-month", "--next"}));
  EXPECT_EQ(unconfirmed.status, 1) << Describe(unconfirmed);
  EXPECT_THAT(unconfirmed.err, HasSubstr("confirm with --yes"));
  EXPECT_EQ(folder.Files(), before) << "an unconfirmed initialization writes nothing";

  Ok(on_26th({"init-month", "--next", "--yes"}));
  auto doc = folder.Load();
  EXPECT_EQ(CollectionStateOf(*doc, 11), MonthCollection::kOpen);
  CliRun month = Ok(on_26th({"month"}));
  EXPECT_THAT(month.out, HasSubstr("Working Month = December 2026"));
}

// "history" stores a past month through the History form (a late report joins the late
// list); "history-totals" changes one stored row.
TEST_F(CliChange, HistoryStoresAPastMonthAndATotalsRow) {
  auto doc = folder.Load();
  const int m = 9, s = doc->SlotOfMonth(9);  // October 2026, the working month is November
  const PubRecord* pub = nullptr;
  for (int r = 1; r < doc->count && !pub; ++r) {
    const PubRecord& rec = doc->records[r];
    if (rec.status == kActive && rec.activity[kBibleStudies][m][s] == 0 && rec.late[m][s] == 0)
      pub = &rec;
  }
  ASSERT_NE(pub, nullptr);
  const int id = pub->id;
  Ok({"history", std::to_string(id), "--year", "2026", "--month", "10", "--shared", "--studies",
      "3", "--late"});
  Ok({"history-totals", "--row", "active", "--year", "2025", "--month", "3", "--count", "77"});

  auto after = folder.Load();
  const PubRecord& stored = *after->FindById(id);
  EXPECT_EQ(stored.activity[kBibleStudies][m][s], 3 | kSharedBit);
  EXPECT_EQ(stored.late[m][s], after->working_month + 1);
  bool listed = false;
  for (int i = 0; i < after->late_count; ++i)
    listed |= after->late[i].id == id && after->late[i].month == m;
  EXPECT_TRUE(listed);
  EXPECT_EQ(after->totals.value[2][kTotalsActiveField][SlotOfYear(25)], 77);
}

// The late-report list is emptied with --yes.
TEST_F(CliChange, EraseLateEmptiesTheList) {
  ASSERT_GT(folder.Load()->late_count, 0) << "the demo holds late reports";
  Ok({"erase-late", "--yes"});
  EXPECT_EQ(folder.Load()->late_count, 0);
  CliRun run = Ok({"late-list"});
  EXPECT_EQ(run.out, "");
}

// Save writes every file again, a missing one included.
TEST_F(CliChange, SaveWritesAMissingFile) {
  std::string meetings(kFileMeetings);
  int records = folder.Load()->count;
  ASSERT_TRUE(std::filesystem::remove(folder.dir.File(meetings)));
  Ok({"save"});
  EXPECT_GT(FileSize(folder.dir.File(meetings)), 0u);
  auto doc = folder.Load();
  EXPECT_EQ(doc->count, records);
  EXPECT_EQ(FieldText(doc->attendance[kMidweekMeeting].name), "Midweek Meeting");
}

// A backup set holds the folder's files; the catalog lists it; a restore from it brings back
// the data it holds, and the restore can be undone.
TEST_F(CliChange, BackupCatalogAndRestore) {
  testing::TempDir sets;
  std::string publishers(kFilePublishers);
  CliRun backup = Ok({"backup", "--to", sets.path()});
  Bytes saved = ReadFile(folder.dir.File(publishers)).value_or(Bytes{});

  std::string set;
  for (const auto& e : std::filesystem::directory_iterator(sets.path())) set = e.path().string();
  ASSERT_FALSE(set.empty()) << Describe(backup);
  EXPECT_THAT(backup.out, HasSubstr(set));
  EXPECT_EQ(ReadFile(JoinPath(set, publishers)).value_or(Bytes{}), saved);

  CliRun catalog = Ok({"catalog"});
  EXPECT_THAT(catalog.out, HasSubstr("usable"));
  EXPECT_THAT(catalog.out, HasSubstr(set));

  auto doc = folder.Load();
  int id = Nth(*doc, kActive)->id;
  std::string first = Text(*doc, doc->FindById(id)->first_name, sizeof(PubRecord::first_name));
  Ok({"publisher", "edit", std::to_string(id), "--first", "Changed"});
  ASSERT_NE(ReadFile(folder.dir.File(publishers)).value_or(Bytes{}), saved);

  CliRun restored = Ok({"restore", "--from", set});
  EXPECT_THAT(restored.out, HasSubstr("Restored from"));
  auto after = folder.Load();
  EXPECT_EQ(Text(*after, after->FindById(id)->first_name, sizeof(PubRecord::first_name)), first);

  // Undoing the restore brings back the data it replaced.
  Ok({"restore", "--undo"});
  auto undone = folder.Load();
  EXPECT_EQ(Text(*undone, undone->FindById(id)->first_name, sizeof(PubRecord::first_name)),
            "Changed");
}

// ---- Commands that only look, on damaged folders ------------------------------------------
// Loading repairs these folders in memory; a command that only looks must not write the
// repair back.

// Appends a copy of the first publisher's record (record 1) to the publisher file.
void AppendRecord(const std::string& folder) {
  std::string path = JoinPath(folder, kFilePublishers);
  Bytes bytes = ReadFile(path).value_or(Bytes{});
  ASSERT_GE(bytes.size(), 2 * sizeof(PubRecord));
  Bytes first(bytes.begin() + sizeof(PubRecord), bytes.begin() + 2 * sizeof(PubRecord));
  bytes.insert(bytes.end(), first.begin(), first.end());
  ASSERT_TRUE(WriteFilePlain(path, bytes));
}

// A read-only command leaves a table beyond its capacity as it is.
TEST(CliLookingAtDamage, InfoLeavesAnOverfullTableAsItIs) {
  testing::TempDir dir;
  demo::DemoOptions options;
  options.today = testing::kCliToday;
  options.full = true;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  // The full folder stays within the index; records are added until the table is over.
  while (FileSize(JoinPath(dir.path(), kFilePublishers)) <= kMaxRecords * sizeof(PubRecord))
    AppendRecord(dir.path());
  auto before = testing::FileHashes(dir.path());
  CliRun run = testing::RunCli({"--data", dir.path(), "--today", "2026-12-08", "info"});
  EXPECT_EQ(run.status, 0) << Describe(run);
  EXPECT_EQ(testing::FileHashes(dir.path()), before);
}

// A read-only command leaves two records that share an identifier as they are.
TEST(CliLookingAtDamage, DumpLeavesDuplicateIdentifiersAsTheyAre) {
  CliFolder folder;
  AppendRecord(folder.path());
  auto before = folder.Files();
  CliRun run = folder.Run({"dump"});
  EXPECT_EQ(run.status, 0) << Describe(run);
  EXPECT_EQ(folder.Files(), before);
}

}  // namespace
}  // namespace zarim
