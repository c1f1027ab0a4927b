// Backup, restore and undo under failures: every failure point of the fault plan, kills
// at random steps, hostile sets. After each, the data folder (once recovered) holds
// exactly the old or the new data, and no cut-off set is ever accepted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

#include "backup/restore.h"
#include "backup_fixture.h"
#include "core/file_copier.h"
#include "core/file_ops.h"
#include "core/folder_journal.h"

namespace zarim {
namespace {

namespace fs = std::filesystem;
using testing::BackupFolder;

// Every file and folder under `root` (links and pipes by kind), except the work copies
// that belong to no state: the remark undo copy of a run.
using Tree = std::map<std::string, std::string>;
Tree TreeOf(const std::string& root, bool with_undo = true) {
  Tree t;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::string rel = fs::relative(it->path(), root).string();
    if (rel == "rmkundo.dat" || rel == "zarim.lock") continue;  // not data
    if (!with_undo && rel.rfind("unrestore", 0) == 0) continue;
    auto st = it->symlink_status();
    if (fs::is_directory(st)) {
      t[rel + "/"] = "";
    } else if (fs::is_regular_file(st)) {
      auto b = ReadFile(it->path().string());
      t[rel] = std::string(b->begin(), b->end());
    } else {
      t[rel] = "<special>";
    }
  }
  return t;
}

void PutTree(const std::string& root, const Tree& tree) {
  for (const auto& e : fs::directory_iterator(root)) fs::remove_all(e.path());
  for (const auto& [rel, bytes] : tree) {
    std::string p = JoinPath(root, rel);
    if (rel.back() == '/') {
      fs::create_directories(p);
      continue;
    }
    fs::create_directories(fs::path(p).parent_path());
    FILE* f = std::fopen(p.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

struct PlanGuard {
  explicit PlanGuard(FaultPlan* plan) { SetFaultPlan(plan); }
  ~PlanGuard() { SetFaultPlan(nullptr); }
};

int Trials() {
  const char* env = std::getenv("ZARIM_TX_TRIALS");
  return env ? std::max(1, std::atoi(env)) : 50;
}

// A data folder with a month archive, a set taken of it, and later changes: a restore
// brings back the set, an undo of that restore the changes.
struct RestoreCase : ::testing::Test {
  void SetUp() override {
    fs::create_directories(f.data.path() + "/Roll/Zr9_10");
    f.data.Write("Roll/Zr9_10/tdat9.bin", Bytes(1632, 5));
    f.SetHours(100, 7);
    set = f.BackupAt(8, 0);
    ASSERT_FALSE(set.empty());
    f.SetHours(100, 30);
    f.data.Write("Roll/Zr9_10/tdat9.bin", Bytes(1632, 6));
    before = TreeOf(f.data.path());
    ASSERT_TRUE(SetRestore(f.data.path(), &f.prompter).Run(set));
    restored = TreeOf(f.data.path());
    ASSERT_TRUE(SetRestore(f.data.path(), &f.prompter).Run(f.data.File("unrestore")));
    undone = TreeOf(f.data.path());
    PutTree(f.data.path(), restored);
  }

  // Runs `op` under `plan`, recovers as the next start does, and says whether the data
  // (without the undo folder) are old or new; counts mixed outcomes.
  void Check(const Tree& old_tree, const Tree& new_tree, const std::string& what, long n) {
    RecoverInterrupted(f.data.path());
    Tree now = TreeOf(f.data.path(), false);
    auto strip = [](Tree t) {
      std::erase_if(t, [](const auto& e) { return e.first.rfind("unrestore", 0) == 0; });
      return t;
    };
    bool is_old = now == strip(old_tree), is_new = now == strip(new_tree);
    if (!is_old && !is_new) ++mixed;
    is_old ? ++old_seen : ++new_seen;
    std::string diff;
    if (!is_old && !is_new)
      for (const auto& [name, bytes] : now)
        if (!new_tree.count(name) || new_tree.at(name) != bytes) diff += " " + name;
    EXPECT_TRUE(is_old || is_new) << what << " step " << n << " left a mixed folder:" << diff;
    // Whatever happened, the undo folder is either whole or absent.
    std::string undo = f.data.File("unrestore");
    if (fs::exists(undo)) {
      EXPECT_TRUE(SetIsComplete(undo)) << what << " step " << n;
    }
  }

  BackupFolder f;
  // Runs the restore (or undo) from `start` once, counting its file-changing steps.
  void CountSteps(const Tree& start, const std::string& source, FaultPlan* count) {
    PutTree(f.data.path(), start);
    PlanGuard g(count);
    ASSERT_TRUE(SetRestore(f.data.path(), &f.prompter).Run(source));
  }

  std::string set;
  Tree before, restored, undone;
  int mixed = 0, old_seen = 0, new_seen = 0;
};

TEST_F(RestoreCase, EveryFailurePointOfARestoreAndAnUndoLeavesOldOrNew) {
  for (bool undo : {false, true}) {
    const Tree& start = undo ? restored : before;
    const Tree& goal = undo ? undone : restored;
    const std::string source = undo ? f.data.File("unrestore") : set;
    FaultPlan count;
    ASSERT_NO_FATAL_FAILURE(CountSteps(start, source, &count));
    ASSERT_GT(count.steps, 20);
    for (long n = 0; n <= count.steps; ++n) {
      PutTree(f.data.path(), start);
      FaultPlan plan;
      plan.fail_at = n;
      {
        PlanGuard g(&plan);
        SetRestore(f.data.path(), &f.prompter).Run(source);
      }
      Check(start, goal, undo ? "undo" : "restore", n);
    }
    std::printf("%s: %ld failure points, mixed %d\n", undo ? "undo" : "restore", count.steps,
                mixed);
  }
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(old_seen, 0);
  EXPECT_GT(new_seen, 0);
}

TEST_F(RestoreCase, KillsAtRandomStepsOfARestoreAndAnUndoLeaveOldOrNew) {
  std::mt19937 rng(777);
  for (bool undo : {false, true}) {
    const Tree& start = undo ? restored : before;
    const Tree& goal = undo ? undone : restored;
    const std::string source = undo ? f.data.File("unrestore") : set;
    FaultPlan count;
    ASSERT_NO_FATAL_FAILURE(CountSteps(start, source, &count));
    std::uniform_int_distribution<long> step(0, count.steps);
    for (int t = 0; t < Trials(); ++t) {
      PutTree(f.data.path(), start);
      pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        FaultPlan plan;
        plan.crash_at = step(rng);
        SetFaultPlan(&plan);
        SetRestore(f.data.path(), &f.prompter).Run(source);
        ::_exit(0);
      }
      step(rng);  // the parent's generator follows the child's
      int status = 0;
      ::waitpid(child, &status, 0);
      Check(start, goal, undo ? "killed undo" : "killed restore", t);
    }
    std::printf("%s: %d kills, mixed %d\n", undo ? "undo" : "restore", Trials(), mixed);
  }
  EXPECT_EQ(mixed, 0);
}

// A backup cut off at any point leaves nothing that restore accepts, and the data folder
// as it was.
TEST(BackupSet, EveryFailurePointAndKillLeavesNoSetThatRestoreAccepts) {
  BackupFolder f;
  // The folder as a run that read it saves it, which is what every check below reopens.
  f.owner.Discard();
  ASSERT_TRUE(testing::OpenOwner(f.owner, f.data.path(), f.clock));
  ASSERT_TRUE(f.owner.Save());
  // What the run holds while it has the folder open is not data.
  auto run_files = [](Tree& t) {
    for (const char* name : {"buhist.dat", "rmkundo.dat", "zarim.lock"}) t.erase(name);
  };
  FaultPlan count;
  {
    PlanGuard g(&count);
    ASSERT_FALSE(f.BackupAt(9, 0).empty());
  }
  // The folder after a whole backup: its settings name the backup path and today.
  Tree data = TreeOf(f.data.path());
  run_files(data);
  ASSERT_GT(count.steps, 10);
  auto check = [&](const std::string& set, const char* what, long n) {
    f.owner.Discard();                             // the run that was cut off ends
    testing::RecoverSaveAsAtStart(f.data.path());  // as the next start does
    Tree now = TreeOf(f.data.path());
    // The catalog may only name a set that is whole.
    auto catalog = Catalog::Read(f.data.path());
    if (!catalog.entries()[0].empty()) {
      EXPECT_TRUE(HoldsBackupSet(set)) << what << n;
    }
    run_files(now);
    std::string diff;
    for (const auto& [name, bytes] : now)
      if (!data.count(name) || data.at(name) != bytes) diff += " " + name;
    EXPECT_TRUE(now == data) << what << n << ":" << diff;
    if (fs::exists(set)) {
      bool whole = HoldsBackupSet(set);
      // A set that counts as whole restores the data exactly.
      if (whole)
        for (const auto& [name, bytes] : testing::SetFiles(set)) {
          if (name == "zset.done") continue;
          EXPECT_TRUE(f.data.Read(name) == bytes) << what << n << " " << name;
        }
      fs::remove_all(set);
    }
    ASSERT_TRUE(testing::OpenOwner(f.owner, f.data.path(), f.clock));
  };
  int kills = 0;
  std::mt19937 rng(99);
  std::uniform_int_distribution<long> step(0, count.steps);
  for (long n = 0; n < count.steps + Trials(); ++n) {
    fs::remove(f.data.File("buhist.dat"));
    std::string set = JoinPath(f.sets.path(), "Zr9_1000_2026Dec08");
    if (n < count.steps) {
      FaultPlan plan;
      plan.fail_at = n;
      PlanGuard g(&plan);
      f.BackupAt(10, 0);
      check(set, "failure at step ", n);
      continue;
    }
    long at = step(rng);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      FaultPlan plan;
      plan.crash_at = at;
      SetFaultPlan(&plan);
      f.BackupAt(10, 0);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ++kills;
    check(set, "kill at step ", at);
  }
  std::printf("backup: %ld failure points, %d kills\n", count.steps, kills);
}

TEST(BackupSet, AFullDiskAtEveryLevelFailsWithAMessageAndLeavesNoUsableSet) {
  BackupFolder f;
  uint64_t need = BackupForm::RequiredBytes(f.data.path());
  for (int64_t room = 0; room < static_cast<int64_t>(need) + 512; room += 97) {
    FaultPlan plan;
    plan.free_bytes = room;
    f.prompter.messages.clear();
    std::string set;
    {
      PlanGuard g(&plan);
      set = f.BackupAt(11, 0);
    }
    if (set.empty()) {
      EXPECT_FALSE(f.prompter.messages.empty()) << room;
      EXPECT_FALSE(HoldsBackupSet(JoinPath(f.sets.path(), "Zr9_1100_2026Dec08"))) << room;
    }
    fs::remove_all(JoinPath(f.sets.path(), "Zr9_1100_2026Dec08"));
  }
}

TEST(BackupSet, APathTooLongForTheCatalogIsRefusedBeforeAnythingIsCopied) {
  BackupFolder f;
  std::string deep = f.sets.path();
  while (deep.size() < 470) {
    deep += "/" + std::string(60, 'd');
    fs::create_directory(deep);
  }
  BackupForm form = f.Open(BackupMode::kBackup);
  form.ChooseFolder(deep);
  form.Ok();
  EXPECT_FALSE(form.done());
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_NE(f.prompter.messages[0].find("too long"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(deep));
  EXPECT_TRUE(Catalog::Read(f.data.path()).entries()[0].empty());
}

TEST(BackupSet, CatalogPathsAreAbsolute) {
  BackupFolder f;
  std::string cwd = fs::current_path();
  fs::current_path(f.sets.path());
  BackupForm form = f.Open(BackupMode::kBackup);
  form.ChooseFolder(".");
  form.Ok();
  fs::current_path(cwd);
  ASSERT_TRUE(form.done());
  EXPECT_EQ(Catalog::Read(f.data.path()).entries()[0].path,
            JoinPath(fs::canonical(f.sets.path()).string(), "Zr9_1432_2026Dec08"));
}

// Hostile sets: each refused with a message, nothing outside the data folder written,
// nothing hangs.
TEST(HostileSet, LinksPipesAndPartialSetsAreRefused) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  testing::TempDir outside;
  outside.Write("secret", std::string(40, 's'));
  const Tree data = TreeOf(f.data.path());
  const Tree outside_tree = TreeOf(outside.path());
  auto refused = [&](const char* what) {
    f.prompter.messages.clear();
    EXPECT_FALSE(SetRestore(f.data.path(), &f.prompter).Run(set)) << what;
    EXPECT_EQ(f.prompter.messages.size(), 1u) << what;
    EXPECT_TRUE(TreeOf(f.data.path()) == data) << what;
    EXPECT_TRUE(TreeOf(outside.path()) == outside_tree) << what;
  };
  std::string ext = JoinPath(set, "xten7.dat");
  fs::remove(ext);
  fs::create_symlink(outside.File("secret"), ext);
  refused("a link in the set");
  fs::remove(ext);
  ASSERT_EQ(::mkfifo(ext.c_str(), 0644), 0);
  refused("a pipe in the set");
  fs::remove(ext);
  fs::remove(JoinPath(set, "zset.done"));
  refused("a set without its marker");
  EXPECT_NE(f.prompter.messages[0].find("not a complete backup set"), std::string::npos);
}

TEST(HostileSet, ALinkNamedUnrestoreIsRefusedAndItsTargetUntouched) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  testing::TempDir outside;
  outside.Write("tdat9.bin", std::string(10, 'x'));
  fs::create_directory_symlink(outside.path(), f.data.File("unrestore"));
  const Tree data = TreeOf(f.data.path());
  EXPECT_FALSE(SetRestore(f.data.path(), &f.prompter).Run(set));
  EXPECT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_TRUE(TreeOf(f.data.path()) == data);
  EXPECT_EQ(outside.Read("tdat9.bin"), Bytes(10, 'x'));
}

TEST(HostileSet, APipeInPlaceOfADataFileIsLeftOutOfTheUndoAndTheRestoreGoesOn) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  fs::remove(f.data.File("meetin9.dat"));
  ASSERT_EQ(::mkfifo(f.data.File("meetin9.dat").c_str(), 0644), 0);
  ASSERT_TRUE(SetRestore(f.data.path(), &f.prompter).Run(set));
  EXPECT_EQ(f.data.Read("meetin9.dat"), *ReadFile(JoinPath(set, "meetin9.dat")));
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_NE(f.prompter.messages[0].find("meetin9.dat"), std::string::npos);
  EXPECT_FALSE(fs::exists(f.data.File("unrestore/meetin9.dat")));
}

}  // namespace
}  // namespace zarim
