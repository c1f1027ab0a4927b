// Month initialization and its save as one unit: the emptied remarks, the snapshot's
// catalog entry and the month's data reach the disk together or not at all, whatever
// step fails, whenever the process is killed and however little room the disk has.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

#include "core/catalog.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_ops.h"
#include "core/folder_journal.h"
#include "core/month.h"
#include "cycle/congregation.h"
#include "cycle/month_init.h"
#include "cycle/roll.h"
#include "cycle/slip_form.h"
#include "demo_congregation.h"
#include "month_init_fixture.h"

namespace zarim {
namespace {

namespace fs = std::filesystem;

using Tree = std::map<std::string, Bytes>;

// The data files and the catalog (the snapshot folder is checked on its own).
Tree DataOf(const std::string& root) {
  Tree t;
  for (const auto& e : fs::directory_iterator(root)) {
    std::string name = e.path().filename().string();
    if (!e.is_regular_file() || name == "rmkundo.dat" || name == "zarim.lock") continue;
    t[name] = *ReadFile(e.path().string());
  }
  return t;
}

void PutFiles(const std::string& root, const Tree& files) {
  for (const auto& e : fs::directory_iterator(root)) fs::remove_all(e.path());
  for (const auto& [name, bytes] : files) {
    FILE* f = std::fopen(JoinPath(root, name).c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

struct PlanGuard {
  explicit PlanGuard(FaultPlan* plan) { SetFaultPlan(plan); }
  ~PlanGuard() { SetFaultPlan(nullptr); }
};

class MonthInitUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    demo::DemoOptions options;
    options.today = today;
    std::string error;
    ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
    {
      Congregation owner(nullptr);
      ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
      EditScope edit = owner.Edit();
      CZarimDoc& doc = edit.doc();
      // The working month holds a remark, which the initialization empties.
      int rec = 1;
      while (rec < doc.count && doc.records[rec].status != kActive) ++rec;
      SlipForm slip(doc, rec);
      slip.BeginRemark();
      slip.SetRemark("Sick for two weeks");
      slip.EndRemark();
      slip.SetShared(true);
      ASSERT_NE(slip.Save(), SlipForm::SaveResult::kRefused);
      edit.Commit();
      ASSERT_TRUE(owner.Save() && owner.Close());
    }
    old_files = DataOf(dir.path());
    bool saved = false;
    steps = Run(nullptr, &saved);
    ASSERT_TRUE(saved);
    new_files = DataOf(dir.path());
    ASSERT_NE(old_files.at("remark9.dat"), new_files.at("remark9.dat"));
    ASSERT_TRUE(new_files.count("buhist.dat"));
    ASSERT_FALSE(old_files.count("buhist.dat") &&
                 old_files.at("buhist.dat") == new_files.at("buhist.dat"));
  }

  // From the old folder: its owner opens it, initializes the working month in an edit and
  // saves under `plan`.
  long Run(FaultPlan* plan, bool* saved) {
    PutFiles(dir.path(), old_files);
    Congregation owner(nullptr);
    EXPECT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
    FaultPlan count;
    PlanGuard g(plan ? plan : &count);
    EditScope edit = owner.Edit();
    InitializeMonth(edit.doc(), edit.doc().working_month, SlotOfYear(edit.doc().working_year));
    edit.Commit();
    *saved = owner.Save();
    return count.steps;
  }

  // The next start's recovery, then: old or new, and a snapshot folder that is whole.
  bool Check(const char* what, long n) {
    RecoverInterrupted(dir.path());
    testing::RecoverSaveAsAtStart(dir.path());
    Tree now = DataOf(dir.path());
    // A snapshot that failed is told and the month goes on without it, so the catalog is
    // checked on its own: its new entry never comes without the month's data.
    auto without_catalog = [](Tree t) {
      t.erase("buhist.dat");
      return t;
    };
    bool is_old = without_catalog(now) == without_catalog(old_files);
    bool is_new = without_catalog(now) == without_catalog(new_files);
    if (now.count("buhist.dat") && now["buhist.dat"] == new_files["buhist.dat"]) {
      EXPECT_TRUE(is_new) << what << " " << n << ": the catalog entry came without the month";
    }
    std::string diff;
    for (const auto& [name, bytes] : now)
      if (!new_files.count(name) || new_files.at(name) != bytes) diff += " " + name;
    for (const auto& [name, bytes] : old_files)
      if (!now.count(name)) diff += " -" + name;
    diff += " / old:";
    for (const auto& [name, bytes] : now)
      if (!old_files.count(name) || old_files.at(name) != bytes) diff += " " + name;
    EXPECT_TRUE(is_old || is_new) << what << " " << n << " left a mixed folder:" << diff;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir.path() + "/Roll", ec)) {
      std::string name = e.path().filename().string();
      EXPECT_EQ(name.find('.'), std::string::npos) << what << " " << n << ": " << name;
      EXPECT_TRUE(SetIsComplete(e.path().string())) << what << " " << n << ": " << name;
    }
    return is_old || is_new;
  }

  testing::TempDir dir;
  Date today{2026, 5, 10};
  FixedClock clock{today};
  Tree old_files, new_files;
  long steps = 0;
};

TEST_F(MonthInitUnit, EveryFailurePointLeavesTheMonthBeforeOrTheMonthInitialized) {
  ASSERT_GT(steps, 20);
  int mixed = 0, new_seen = 0, old_after_failure = 0;
  for (long n = 0; n < steps; ++n) {
    FaultPlan plan;
    plan.fail_at = n;
    bool saved = false;
    Run(&plan, &saved);
    mixed += !Check("failure at step", n);
    // A save that failed before its journal is not a save: the old month is what the disk
    // holds. One that failed after it (a rename) is completed by the next start.
    if (!saved && DataOf(dir.path()) == old_files) ++old_after_failure;
    new_seen += saved;
  }
  std::printf("month initialization: %ld failure points, mixed %d, saved %d\n", steps, mixed,
              new_seen);
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(old_after_failure, 0);
}

TEST_F(MonthInitUnit, KillsAtRandomStepsLeaveTheMonthBeforeOrTheMonthInitialized) {
  int trials = 50;
  if (const char* env = std::getenv("ZARIM_TX_TRIALS")) trials = std::max(1, std::atoi(env));
  std::mt19937 rng(4242);
  std::uniform_int_distribution<long> step(0, steps);
  int mixed = 0, new_seen = 0;
  for (int t = 0; t < trials; ++t) {
    long at = step(rng);
    PutFiles(dir.path(), old_files);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      FaultPlan plan;
      plan.crash_at = at;
      bool saved = false;
      Run(&plan, &saved);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    mixed += !Check("kill at step", at);
    new_seen += DataOf(dir.path()).at("tdat9.bin") == new_files.at("tdat9.bin");
  }
  std::printf("month initialization: %d kills, mixed %d, new %d\n", trials, mixed, new_seen);
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(new_seen, 0);
}

TEST_F(MonthInitUnit, AFullDiskAtEveryLevelFailsTheWholeMonthAndKeepsEveryRemark) {
  int64_t need = 0;
  for (const auto& [name, bytes] : new_files) need += static_cast<int64_t>(bytes.size());
  need *= 2;  // the snapshot as well
  for (int64_t room = 0; room < need; room += need / 40) {
    FaultPlan plan;
    plan.free_bytes = room;
    bool saved = false;
    Run(&plan, &saved);
    Check("free bytes", static_cast<long>(room));
    if (!saved) {
      EXPECT_TRUE(DataOf(dir.path()) == old_files) << room;
    }
  }
}

TEST(RollSnapshotRules, HoldsUnsavedWorkAndIsTakenOncePerMonthPerYear) {
  testing::MonthFolder f({2027, 1, 10});  // working month December 2026
  f.Add(100);
  f.Save();
  // Unsaved work of the month that ends is in the snapshot.
  f.Rec(100).activity[kHours][11][0] = 17;
  f.doc.MarkModified();
  ASSERT_EQ(TakeRollSnapshot(f.doc, 11), RollResult::kTaken);
  CZarimDoc snap;
  snap.data_folder = f.dir.path() + "/Roll/Zr9_11";
  LoadPublishers(snap, f.clock);
  ASSERT_NE(snap.FindById(100), nullptr);
  EXPECT_EQ(snap.FindById(100)->activity[kHours][11][0], 17);

  // The November snapshot of a year ago was taken in January 2026: it belongs to the
  // year before and is replaced; one of this cycle is kept.
  struct Case {
    int year, month;
    bool taken;
  };
  for (const Case& c : {Case{2026, 1, false}, Case{2026, 11, false}, Case{2026, 12, true},
                        Case{2027, 1, true}, Case{2025, 12, false}}) {
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = 2;
    tm.tm_hour = 12;
    std::time_t t = std::mktime(&tm);
    struct utimbuf times {
      t, t
    };
    ::utime((f.dir.path() + "/Roll/Zr9_11/tdat9.bin").c_str(), &times);
    EXPECT_EQ(SnapshotTakenThisYear(f.doc, 11), c.taken) << c.year << "-" << c.month;
  }
}

}  // namespace
}  // namespace zarim
