// zarim-cli as separate processes on one data folder: concurrent writers and readers lose
// nothing, a full disk fails every changing command cleanly, and reading never writes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/folder_lock.h"
#include "cycle/slip_queries.h"
#include "demo_congregation.h"
#include "support/test_support.h"

extern char** environ;

namespace zarim {
namespace {

using testing::FolderContents;
using testing::TempDir;
using Contents = std::vector<std::pair<std::string, Bytes>>;

const Date kToday{2025, 3, 10};

// The bench script raises these for the long runs.
int EnvCount(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}
const char kTodayText[] = "2025-03-10";

struct Process {
  pid_t pid = -1;
  std::string err_path;
  int status = -1;
  std::string err;
  int code() const { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }
};

// Starts zarim-cli on folder with args; extra_env like "ZARIM_FREE_BYTES=100".
Process Start(const std::string& folder, const std::vector<std::string>& args,
              const std::string& scratch, const std::vector<std::string>& extra_env = {}) {
  static int serial = 0;
  Process p;
  p.err_path = scratch + "/err" + std::to_string(++serial);
  std::vector<std::string> argv = {ZARIM_CLI_PATH, "--data", folder, "--today", kTodayText};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  std::vector<std::string> env = {"ASAN_OPTIONS=detect_leaks=0"};
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("ZARIM_", 0) != 0 && std::string(*e).rfind("ASAN_OPTIONS=", 0) != 0)
      env.push_back(*e);
  env.insert(env.end(), extra_env.begin(), extra_env.end());
  std::vector<char*> cenv;
  for (auto& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, p.err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn(&p.pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data());
  posix_spawn_file_actions_destroy(&actions);
  return p;
}

void Wait(Process& p) {
  ::waitpid(p.pid, &p.status, 0);
  std::ifstream in(p.err_path);
  std::stringstream s;
  s << in.rdbuf();
  p.err = s.str();
}

Process RunCli(const std::string& folder, const std::vector<std::string>& args,
               const std::string& scratch, const std::vector<std::string>& extra_env = {}) {
  Process p = Start(folder, args, scratch, extra_env);
  Wait(p);
  return p;
}

// Everything of the folder that is data: not the lock file, not the run's undo copy, not
// the snapshots of past months.
Contents DataFiles(const std::string& folder) {
  Contents out;
  for (auto& f : FolderContents(folder))
    if (f.first != kLockFileName && f.first != "rmkundo.dat" && f.first.rfind("Roll", 0) != 0)
      out.push_back(std::move(f));
  return out;
}

void WriteDemo(const std::string& folder) {
  demo::DemoOptions options;
  options.today = kToday;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(folder, options, &error)) << error;
}

// Active publishers (not pioneers) without a report in the working month.
std::vector<int> UnreportedIds(const std::string& folder, size_t want) {
  CZarimDoc doc;
  doc.data_folder = folder;
  FixedClock clock(kToday);
  LoadAll(doc, clock);
  std::vector<int> ids;
  const int slot = doc.SlotOfMonth(doc.working_month);
  for (int r = 1; r < doc.count && ids.size() < want; ++r) {
    const PubRecord& rec = doc.records[r];
    if (rec.status == kActive && !ReportedInMonth(rec, doc.working_month, slot) &&
        PioneerCodeOf(rec, doc.working_month, slot) == 0)
      ids.push_back(rec.id);
  }
  return ids;
}

bool Reported(const std::string& folder, int id) {
  CZarimDoc doc;
  doc.data_folder = folder;
  FixedClock clock(kToday);
  LoadAll(doc, clock);
  const PubRecord* r = doc.FindById(id);
  return r && ReportedInMonth(*r, doc.working_month, doc.SlotOfMonth(doc.working_month));
}

TEST(CliConcurrency, TwentyConcurrentPostsArePostedOrRefusedAndNoneIsLost) {
  TempDir dir, scratch;
  WriteDemo(dir.path());
  const size_t writers = static_cast<size_t>(EnvCount("ZARIM_CONCURRENT_POSTS", 20));
  std::vector<int> ids = UnreportedIds(dir.path(), writers);
  ASSERT_EQ(ids.size(), writers);
  std::vector<Process> runs;
  for (int id : ids)
    runs.push_back(Start(dir.path(), {"post", std::to_string(id), "--shared"}, scratch.path()));
  int posted = 0, refused = 0;
  for (size_t i = 0; i < runs.size(); ++i) {
    Wait(runs[i]);
    if (runs[i].code() == 0) {
      ++posted;
      EXPECT_TRUE(Reported(dir.path(), ids[i]))
          << "post of " << ids[i] << " reported done and lost";
    } else {
      ++refused;
      EXPECT_EQ(runs[i].code(), 4) << runs[i].err;
      EXPECT_NE(runs[i].err.find(" is in use by "), std::string::npos) << runs[i].err;
    }
  }
  EXPECT_GE(posted, 1);
  std::printf("%zu concurrent posts: %d posted, %d refused, 0 lost\n", writers, posted, refused);
}

TEST(CliConcurrency, AReaderLoopBesideAWriterLosesNothing) {
  TempDir dir, scratch;
  WriteDemo(dir.path());
  std::vector<int> ids = UnreportedIds(dir.path(), 10);
  ASSERT_EQ(ids.size(), 10u);
  pid_t reader = ::fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) {
    for (;;) RunCli(dir.path(), {"info"}, scratch.path());
  }
  int refused = 0;
  for (int id : ids) {
    Process p;
    // A post refused while a reader holds the folder is tried again.
    for (int attempt = 0; attempt < 200; ++attempt) {
      p = RunCli(dir.path(), {"post", std::to_string(id), "--shared"}, scratch.path());
      if (p.code() != 4) break;
      ++refused;
    }
    EXPECT_EQ(p.code(), 0) << p.err;
  }
  ::kill(reader, SIGKILL);
  ::waitpid(reader, nullptr, 0);
  for (int id : ids) EXPECT_TRUE(Reported(dir.path(), id)) << id;
  std::printf("reader beside writer: 10 posts, %d refusals retried, 0 lost\n", refused);
}

// Every changing command on a disk with 0, then more and more bytes free: until it has
// room it fails with a message and a non-zero exit and leaves the old data.
TEST(CliFullDisk, EveryChangingCommandFailsCleanlyUntilItHasRoom) {
  TempDir base, closed, scratch;
  WriteDemo(base.path());
  WriteDemo(closed.path());
  ASSERT_EQ(RunCli(closed.path(), {"close-month"}, scratch.path()).code(), 0);  // for init-month
  std::vector<int> ids = UnreportedIds(base.path(), 1);
  ASSERT_EQ(ids.size(), 1u);
  const std::string id = std::to_string(ids[0]);
  struct Case {
    std::vector<std::string> command;
    const TempDir* folder;
  };
  const std::vector<Case> cases = {
      {{"post", id, "--shared", "--remark", "full disk"}, &base},
      {{"attendance", "set", "--meeting", "midweek", "--month", "2", "--year", "2025", "10", "11",
        "12", "13", "0"},
       &base},
      {{"group", "set", "1", "--location", "Hall"}, &base},
      {{"publisher", "edit", id, "--first", "Changed"}, &base},
      {{"close-month"}, &base},
      {{"init-month", "--yes"}, &closed},
      {{"erase-late", "--yes"}, &base},
      {{"save"}, &base},
  };
  int runs = 0;
  const int levels = EnvCount("ZARIM_FREE_LEVELS", 5);
  for (const Case& c : cases) {
    const Contents original = DataFiles(c.folder->path());
    int64_t total = 0;
    for (const auto& f : original) total += static_cast<int64_t>(f.second.size());
    // From no room at all up to twice the folder in equal steps.
    const int64_t step = (2 * total + 65536) / levels;
    TempDir dir;
    for (const auto& [name, bytes] : original) dir.Write(name, bytes);
    int64_t free_bytes = 0;
    bool succeeded = false;
    for (int level = 0; level <= levels && !succeeded; ++level, free_bytes += step) {
      Process p = RunCli(dir.path(), c.command, scratch.path(),
                         {"ZARIM_FREE_BYTES=" + std::to_string(free_bytes)});
      ++runs;
      if (p.code() == 0) {
        succeeded = true;
        break;
      }
      EXPECT_FALSE(p.err.empty()) << c.command[0] << " at " << free_bytes << " bytes said nothing";
      Contents now = DataFiles(dir.path());
      EXPECT_EQ(now, original) << c.command[0] << " at " << free_bytes
                               << " bytes changed the folder: " << p.err;
      if (now != original) break;
    }
    EXPECT_TRUE(succeeded) << c.command[0] << " never succeeded";
  }
  std::printf("free-space sweep: %zu commands, %d runs, every failure left the old folder\n",
              cases.size(), runs);
}

// The read-only commands on folders that loading would repair leave them byte-identical.
TEST(CliReads, ReadingCommandsLeaveHostileFoldersByteIdentical) {
  TempDir scratch;
  // The seeds of the fuzz corpora, each as the file its reader reads (every data file in
  // turn with ZARIM_HOSTILE_EVERY_FILE=1, for the long run).
  const std::string seeds = std::string(ZARIM_SOURCE_DIR) + "/fuzz/seeds";
  const bool every_file = EnvCount("ZARIM_HOSTILE_EVERY_FILE", 0) > 0;
  const std::vector<std::string> files = {"tdat9.bin",  "remark9.dat", "emerg.dat",   "xten7.dat",
                                          "zarim.ini",  "tcard.dat",   "meetin9.dat", "bkstudy.dat",
                                          "spneed.dat", "tlt15.dat"};
  const std::vector<std::pair<const char*, std::vector<std::string>>> corpora = {
      {"fuzz_publisher_file", {"tdat9.bin"}},
      {"fuzz_remark_file", {"remark9.dat"}},
      {"fuzz_keyed_files", {"emerg.dat", "spneed.dat"}},
      {"fuzz_emergency", {"emerg.dat"}},
      {"fuzz_extension_file", {"xten7.dat"}},
      {"fuzz_settings", {"zarim.ini"}},
      {"fuzz_small_files", {"tcard.dat", "meetin9.dat", "zrxcfg.cfg"}}};
  std::vector<std::pair<Bytes, std::vector<std::string>>> inputs;  // bytes, files to put them in
  for (const auto& [corpus, targets] : corpora)
    for (auto& f : FolderContents(seeds + "/" + corpus))
      inputs.emplace_back(std::move(f.second), every_file ? files : targets);
  // And the known repairs: a table over capacity with repeated identifiers.
  {
    TempDir demo;
    WriteDemo(demo.path());
    Bytes table = demo.Read("tdat9.bin");
    Bytes big = table;
    while (big.size() < 2000 * sizeof(PubRecord))
      big.insert(big.end(), table.begin() + sizeof(PubRecord), table.end());
    inputs.emplace_back(big, std::vector<std::string>{"tdat9.bin"});
  }
  // info on every folder; every reading command on the over-full table.
  const std::vector<std::vector<std::string>> all_reads = {{"info"},
                                                           {"dump"},
                                                           {"totals"},
                                                           {"lists", "inactive"},
                                                           {"late-list"},
                                                           {"groups"},
                                                           {"attendance", "show"},
                                                           {"month"},
                                                           {"report", "branch", "--text"}};
  const std::vector<std::vector<std::string>> info_only = {{"info"}};
  TempDir base;
  WriteDemo(base.path());
  const Contents original = FolderContents(base.path());
  int folders = 0;
  for (const auto& [input, targets] : inputs)
    for (const std::string& file : targets) {
      TempDir dir;
      for (const auto& [name, bytes] : original) dir.Write(name, bytes);
      dir.Write(file, input);
      dir.Write("zsave.journal", "R nothing.dat\n");  // a journal cut before its end
      // The lock file exists beforehand: the first program in a folder creates it.
      dir.Write(std::string(kLockFileName), "");
      const Contents before = FolderContents(dir.path());
      const bool all = &input == &inputs.back().first;
      for (const auto& read : all ? all_reads : info_only) {
        Process p = RunCli(dir.path(), read, scratch.path());
        EXPECT_LT(p.code(), 128) << read[0] << " crashed on " << file << ": " << p.err;
        ASSERT_EQ(FolderContents(dir.path()), before)
            << read[0] << " wrote into a folder with a hostile " << file;
      }
      ++folders;
    }
  std::printf("reads on %d hostile folders: all byte-identical\n", folders);
}

}  // namespace
}  // namespace zarim
