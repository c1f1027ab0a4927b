// The fault plan: every failure point of a multi-file save can be reached, and a save
// that fails at any of them leaves each file old or new.
#include "core/file_ops.h"

#include <gtest/gtest.h>

#include <string>

#include "core/file_io.h"
#include "core/folder_lock.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::TempDir;

std::string Text(const TempDir& dir, const char* name) {
  Bytes b = dir.Read(name);
  return std::string(b.begin(), b.end());
}

struct PlanGuard {
  explicit PlanGuard(FaultPlan* plan) { SetFaultPlan(plan); }
  ~PlanGuard() { SetFaultPlan(nullptr); }
};

bool SaveTwo(const std::string& folder) {
  SaveTransaction t(folder);
  return t.Stage("a.dat", Bytes{'n', 'e', 'w', 'A'}) &&
         t.Stage("b.dat", Bytes{'n', 'e', 'w', 'B'}) && t.Commit();
}

TEST(FaultPlan, EveryFailurePointOfASaveLeavesTheFolderOldOrNew) {
  long steps = 0;
  {
    TempDir dir;
    FaultPlan count;
    PlanGuard g(&count);
    ASSERT_TRUE(SaveTwo(dir.path()));
    steps = count.steps;
  }
  ASSERT_GT(steps, 6);  // two creates, writes, flushes, the journal, renames
  for (long n = 0; n < steps; ++n) {
    TempDir dir;
    dir.Write("a.dat", "oldA");
    dir.Write("b.dat", "oldB");
    FaultPlan plan;
    plan.fail_at = n;
    {
      PlanGuard g(&plan);
      SaveTwo(dir.path());
    }
    EXPECT_EQ(plan.failures, 1) << n;
    {
      auto lock = FolderLock::Take(dir.path(), FolderLock::Mode::kExclusive, "test", nullptr);
      ASSERT_TRUE(lock);
      EXPECT_TRUE(SaveTransaction::Recover(*lock)) << n;
    }
    std::string a = Text(dir, "a.dat"), b = Text(dir, "b.dat");
    EXPECT_TRUE((a == "oldA" && b == "oldB") || (a == "newA" && b == "newB"))
        << "step " << n << ": " << a << " " << b;
  }
}

TEST(FaultPlan, AFullDiskFailsTheWriteAndLeavesTheOldFile) {
  TempDir dir;
  dir.Write("a.dat", "old");
  FaultPlan plan;
  plan.free_bytes = 2;
  {
    PlanGuard g(&plan);
    std::string data(100, 'x');
    EXPECT_FALSE(WriteFileAtomic(dir.File("a.dat"), data.data(), data.size()));
  }
  EXPECT_EQ(Text(dir, "a.dat"), "old");
  EXPECT_FALSE(FileExists(dir.File(std::string("a.dat") + std::string(kTempSuffix))));
}

}  // namespace
}  // namespace zarim
