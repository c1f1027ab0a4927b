// A save killed at any moment leaves the folder with either the old or the new data.
// A child process saves a full-capacity folder and is killed after a random delay; the
// folder is then recovered and compared with both versions. ZARIM_CRASH_TRIALS sets
// the number of trials (the benchmark script runs many more).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>

#include "core/data_files.h"
#include "core/folder_lock.h"
#include "demo_congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using Contents = std::vector<std::pair<std::string, Bytes>>;

Contents DataFiles(const std::string& folder) {
  Contents all = testing::FolderContents(folder);
  Contents out;
  for (auto& f : all)
    if (f.first != "rmkundo.dat" && f.first != kLockFileName) out.push_back(std::move(f));
  return out;
}

void Restore(const std::string& folder, const Contents& contents) {
  Contents now = testing::FolderContents(folder);
  if (now == contents) return;
  for (const auto& [name, bytes] : now) RemoveFile(JoinPath(folder, name));
  for (const auto& [name, bytes] : contents) {
    FILE* f = std::fopen(JoinPath(folder, name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

TEST(CrashDuringSave, FolderIsAlwaysOldOrNew) {
  testing::TempDir dir;
  const Date today{2025, 3, 10};
  demo::DemoOptions options;
  options.today = today;
  options.full = true;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  FixedClock clock(today);
  {
    CZarimDoc normal;
    normal.data_folder = dir.path();
    ASSERT_TRUE(LoadAll(normal, clock));
    ASSERT_TRUE(SaveAll(normal));
    ASSERT_TRUE(CloseDocument(normal));
  }
  const Contents old_files = DataFiles(dir.path());

  // The new data: every name and attendance figure changed, then saved once to learn the
  // new bytes and how long a save takes.
  CZarimDoc doc;
  doc.data_folder = dir.path();
  ASSERT_TRUE(LoadAll(doc, clock));
  for (int r = 1; r < doc.count; ++r) SetField(doc.records[r].first_name, "Changed");
  doc.attendance[0].week[0][0][0] = 999;
  doc.groups.count = 3;
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(SaveAll(doc));
  auto save_us = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - start)
                     .count();
  const Contents new_files = DataFiles(dir.path());
  ASSERT_NE(old_files, new_files);

  int trials = 200;
  if (const char* env = std::getenv("ZARIM_CRASH_TRIALS")) trials = std::max(1, std::atoi(env));
  std::mt19937 rng(12345);
  std::uniform_int_distribution<long> delay(0, save_us * 3 / 2 + 100);
  int old_seen = 0, new_seen = 0;
  for (int t = 0; t < trials; ++t) {
    Restore(dir.path(), old_files);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SaveAll(doc);
      ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(delay(rng)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    {
      auto lock = FolderLock::Take(dir.path(), FolderLock::Mode::kExclusive, "test", nullptr);
      ASSERT_TRUE(lock);
      ASSERT_TRUE(SaveTransaction::Recover(*lock));
    }
    Contents now = DataFiles(dir.path());
    bool is_old = now == old_files, is_new = now == new_files;
    ASSERT_TRUE(is_old || is_new) << "trial " << t << " left a mixed folder";
    old_seen += is_old;
    new_seen += is_new;
    if (t % 25 == 0) {  // and the folder loads
      CZarimDoc check;
      check.data_folder = dir.path();
      ASSERT_TRUE(LoadAll(check, clock));
      EXPECT_EQ(check.count, doc.count);
      Restore(dir.path(), is_old ? old_files : new_files);  // loading compacts side files
    }
  }
  // Both outcomes happen, so the kills really land inside the save.
  EXPECT_GT(old_seen, 0);
  EXPECT_GT(new_seen, 0);
  std::printf("crash trials: %d, old %d, new %d, save %lld us\n", trials, old_seen, new_seen,
              static_cast<long long>(save_us));
}

}  // namespace
}  // namespace zarim
