// The kill and full-disk sweeps of zarim-cli commands.
#include "sweep/tx_sweep.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "core/catalog.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/folder_lock.h"
#include "demo_congregation.h"
#include "support/older_folder.h"
#include "support/test_support.h"

extern char** environ;

namespace zarim::sweep {

namespace fs = std::filesystem;

namespace {

constexpr char kToday[] = "2026-12-26";

struct Run {
  int status = 0;
  std::string err;
  bool killed() const { return WIFSIGNALED(status); }
  bool ok() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
};

// Runs zarim-cli on data with args and extra environment; kill_after_us >= 0 kills it
// that many microseconds after the start.
// A non-empty tracer runs the command under it (tracer's argv first).
Run RunCli(const std::string& cli, const std::string& data, const std::vector<std::string>& args,
           const std::vector<std::string>& extra_env, long kill_after_us = -1,
           const std::vector<std::string>& tracer = {}) {
  std::vector<std::string> argv = tracer;
  for (const std::string& a :
       {cli, std::string("--data"), data, std::string("--today"), std::string(kToday)})
    argv.push_back(a);
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  std::vector<std::string> env = {"ASAN_OPTIONS=detect_leaks=0"};
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (v.rfind("ZARIM_", 0) != 0 && v.rfind("ASAN_OPTIONS=", 0) != 0) env.push_back(v);
  }
  env.insert(env.end(), extra_env.begin(), extra_env.end());
  std::vector<char*> cenv;
  for (auto& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);
  const std::string err_path = data + ".err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = -1;
  Run run;
  if (posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data()) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    run.status = -1;
    return run;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (kill_after_us >= 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(kill_after_us));
    ::kill(pid, SIGKILL);
  }
  ::waitpid(pid, &run.status, 0);
  std::ifstream in(err_path);
  std::stringstream s;
  s << in.rdbuf();
  run.err = s.str();
  fs::remove(err_path);
  return run;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

// The data as the next start sees them: the interrupted save completed, then every file
// of the folder that is data, with its bytes. Snapshots, exports and the run's own files
// are left out; the catalog counts by its entries, since a set's name follows the clock.
using Print = std::map<std::string, std::string>;

Print Fingerprint(const std::string& data) {
  testing::RecoverSaveAsAtStart(data);
  const bool older = HoldsOlderDataOnly(data);
  Print out;
  for (const auto& [name, bytes] : testing::FolderContents(data)) {
    if (name == kLockFileName || name == "rmkundo.dat" || name.rfind("Roll", 0) == 0 ||
        name.rfind("Exports", 0) == 0 || name == kBackupCatalogFile)
      continue;
    // Totals beside the older files are not theirs: loading converts the older ones.
    if (older && name == kFileTotals) continue;
    out[name] = std::string(bytes.begin(), bytes.end());
    // A corrections-log line is dated to the minute of the run: a rerun may fall in the
    // next minute and is the same data.
    if (name == kFileCorrections || name.rfind(kCorrectionsYearPrefix, 0) == 0)
      out[name] =
          std::regex_replace(out[name], std::regex("(^|\n)([0-9-]{10}) [0-9:]{5}\t"), "$1$2\t");
  }
  // The backup path names the trial's own folder.
  if (out.count(std::string(kFileSettings)))
    out[std::string(kFileSettings)] =
        Replace(out[std::string(kFileSettings)], fs::path(data).parent_path().string(), "{trial}");
  if (!older) {
    int entries = 0;
    const Catalog catalog = Catalog::Read(data);
    for (const CatalogEntry& e : catalog.entries()) entries += !e.empty();
    out["catalog entries"] = std::to_string(entries);
  }
  return out;
}

// The names in which two prints differ.
std::string Differences(const Print& a, const Print& b) {
  std::string out;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) out += " " + name;
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) out += " +" + name;
  return out;
}

// Every set folder in parent is whole; with `settled`, no work folder of a cut-off build is
// left either (the next backup removes them).
bool SetsWhole(const std::string& parent, bool settled, std::string* why) {
  if (!fs::is_directory(parent)) return true;
  for (const auto& e : fs::directory_iterator(parent)) {
    const std::string name = e.path().filename().string();
    const bool work = name.ends_with(".zbuild-tmp");
    if (name.rfind("Zr9_", 0) != 0 || (work && !settled)) continue;
    if (work || !HoldsBackupSet(e.path().string())) {
      *why = name + " is not a whole set";
      return false;
    }
  }
  return true;
}

// Whole sets that the catalog of data does not list: a run cut off after naming its set.
// They are removed so that a rerun in the same minute can take the name again.
void RemoveUnlistedSets(const std::string& data, const std::string& sets) {
  if (!fs::is_directory(sets)) return;
  const Catalog catalog = Catalog::Read(data);
  for (const auto& e : fs::directory_iterator(sets)) {
    bool listed = false;
    for (const CatalogEntry& c : catalog.entries()) listed = listed || c.path == e.path().string();
    if (!listed && HoldsBackupSet(e.path().string())) fs::remove_all(e.path());
  }
}

std::vector<std::string> Args(const Case& c, const std::string& work, const std::string& sets) {
  std::vector<std::string> args;
  for (const std::string& a : c.args)
    args.push_back(Replace(Replace(a, "{work}", work), "{sets}", sets));
  return args;
}

// The demo congregation as a save of the program leaves it (a command that saves first
// then changes nothing by that save alone).
bool Demo(const std::string& cli, const std::string& data) {
  demo::DemoOptions options;
  options.today = Date{2026, 12, 26};
  std::string error;
  return demo::WriteDemoFolder(data, options, &error) && RunCli(cli, data, {"save"}, {}).ok();
}

bool ClosedDemo(const std::string& cli, const std::string& data) {
  return Demo(cli, data) && RunCli(cli, data, {"close-month"}, {}).ok();
}

// A folder of the earlier version: two active publishers, an inactive one, a remark, the
// totals of this and of the year before, and the older group table.
bool OlderFolder(const std::string& data) {
  using namespace testing;
  fs::create_directories(data + "/Roll/Zr7_8");
  const uint8_t years[12] = {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26};
  OlderRecord anna = OlderPublisher(101, "Anna", "Berg");
  anna.SetMonth(10, {.hours = 12});
  auto write = [&](std::string_view name, const Bytes& bytes) {
    return WriteFilePlain(JoinPath(data, name), bytes);
  };
  const Bytes publishers = Join({OlderHeader(years), anna, OlderPublisher(102, "Carl", "Dahl")});
  const Bytes inactive = Join({OlderPublisher(103, "Eva", "Falk")});
  const Bytes remarks = Join({OlderRemark("moved in", 11, 101)});
  const Bytes groups = OlderGroupTable({{"Adams", "Baker", "Hall", "", "10:00", 6}});
  return write(kOldFilePublishers7, publishers) && write(kOldFileInactive7, inactive) &&
         write(kOldFileRemarks7, remarks) && write(kOldFileTotals7, Bytes(864, 3)) &&
         write("Roll/Zr7_8/spcards.dat", Bytes(864, 4)) && write(kFileGroups, groups);
}

// A file written by an export of the start folder (run in a copy), changed by edit.
bool ExportedInput(const std::string& cli, const std::string& work, const std::string& data,
                   const std::vector<std::string>& args, const std::string& exported,
                   const std::string& input,
                   const std::function<std::string(const std::string&)>& edit) {
  const std::string copy = work + "/export";
  fs::copy(data, copy, fs::copy_options::recursive);
  if (!RunCli(cli, copy, args, {}).ok()) return false;
  auto bytes = ReadFile(copy + "/Exports/" + exported);
  fs::remove_all(copy);
  if (!bytes) return false;
  std::string text = edit(std::string(bytes->begin(), bytes->end()));
  return WriteFilePlain(work + "/" + input, Bytes(text.begin(), text.end()));
}

// Hours 5 and "shared" in every row of the monthly export (columns 4 and 7).
std::string FiveHoursEach(const std::string& csv) {
  std::stringstream in(csv);
  std::string line, out;
  bool header = true;
  while (std::getline(in, line)) {
    if (!header) {
      std::vector<std::string> cells;
      std::string cell;
      bool quoted = false;
      for (char ch : line) {
        if (ch == '"') quoted = !quoted;
        if (ch == ',' && !quoted) {
          cells.push_back(cell);
          cell.clear();
        } else {
          cell += ch;
        }
      }
      cells.push_back(cell);
      if (cells.size() > 7) {
        cells[3] = "1";
        cells[6] = "5";
      }
      line.clear();
      for (size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + cells[i];
    }
    header = false;
    out += line + "\n";
  }
  return out;
}

}  // namespace

std::vector<Case> Cases() {
  auto demo = [](const std::string& cli, const std::string&, const std::string& d) {
    return Demo(cli, d);
  };
  auto closed = [](const std::string& cli, const std::string&, const std::string& d) {
    return ClosedDemo(cli, d);
  };
  return {
      {"xml import",
       [](const std::string& cli, const std::string& work, const std::string& d) {
         return Demo(cli, d) && ExportedInput(cli, work, d, {"xml", "export", "active"},
                                              "Active.xml", "in.xml", [](const std::string& x) {
                                                return Replace(x, "@example", ".new@example");
                                              });
       },
       {"xml", "import", "{work}/in.xml", "--update"}},
      {"transfer import",
       [](const std::string& cli, const std::string& work, const std::string& d) {
         // A publisher of the demo with his months and remarks, under a name it lacks.
         const std::string sent = work + "/sent.xml";
         if (!Demo(cli, d) || !RunCli(cli, d, {"transfer", "export", "104", "--to", sent}, {}).ok())
           return false;
         auto bytes = ReadFile(sent);
         if (!bytes) return false;
         std::string text(bytes->begin(), bytes->end());
         const size_t from = text.find("<LastName>") + 10, to = text.find("</LastName>");
         if (from < 10 || to == std::string::npos) return false;
         text.replace(from, to - from, "Newcomer");
         return WriteFilePlain(work + "/in.xml", Bytes(text.begin(), text.end()));
       },
       {"transfer", "import", "{work}/in.xml"}},
      {"publisher edit --email",
       demo,
       {"publisher", "edit", "104", "--email", "new.address@example.org", "--mobile", "555-0100"}},
      {"backup", demo, {"backup", "--to", "{sets}"}},
      {"init-month", closed, {"init-month", "--yes"}},
      {"init-month --next", closed, {"init-month", "--next", "--yes"}},
      {"csv import",
       [](const std::string& cli, const std::string& work, const std::string& d) {
         return Demo(cli, d) && ExportedInput(cli, work, d, {"export", "monthly", "--header"},
                                              "November.csv", "in.csv", FiveHoursEach);
       },
       {"import", "csv", "{work}/in.csv", "--map", "Name ( First Last )=1,Shared=4,Hours=7",
        "--all", "--skip-unidentified"}},
      {"history",
       demo,
       {"history", "104", "--year", "2026", "--month", "10", "--studies", "9"},
       true},
      {"post --month", demo, {"post", "118", "--month", "8", "--shared"}, true},
      {"conversion",
       [](const std::string&, const std::string&, const std::string& d) { return OlderFolder(d); },
       {"save"}},
  };
}

Figures Sweep(const std::string& cli, const Case& c, const std::string& work, const Plan& plan) {
  Figures f;
  fs::remove_all(work);
  fs::create_directories(work);
  const std::string start = work + "/start/data";
  fs::create_directories(work + "/start");
  if (!c.prepare(cli, work, start)) {
    f.notes.push_back(c.name + ": the start folder could not be made");
    ++f.changed;
    return f;
  }
  // Each trial works in its own parent, which also takes the sets of a conversion.
  int serial = 0;
  auto trial = [&](std::string* data, std::string* sets) {
    const std::string parent = work + "/t" + std::to_string(++serial);
    *data = parent + "/data";
    *sets = parent + "/sets";
    fs::create_directories(*sets);
    fs::copy(start, *data, fs::copy_options::recursive);
    return parent;
  };
  auto done = [&](const std::string& parent) { fs::remove_all(parent); };
  std::string data, sets;

  const Print old_print = Fingerprint(start);
  std::string parent = trial(&data, &sets);
  auto begun = std::chrono::steady_clock::now();
  Run clean = RunCli(cli, data, Args(c, work, sets), {});
  const long run_us = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - begun)
                          .count();
  const Print new_print = Fingerprint(data);
  if (!clean.ok() || new_print == old_print) {
    f.notes.push_back(c.name + ": the command did not change the folder: " + clean.err);
    ++f.changed;
    return f;
  }
  if (c.corrects_sent_month && new_print.count(std::string(kFileCorrections)) ==
                                   old_print.count(std::string(kFileCorrections))) {
    f.notes.push_back(c.name + ": the command logged no correction");
    ++f.changed;
  }
  done(parent);

  // After a kill: old or new; an old folder reaches the new one whole by a rerun.
  auto check_kill = [&](const std::string& what) {
    const Print print = Fingerprint(data);
    std::string why;
    if (print != old_print && print != new_print) {
      ++f.mixed;
      f.notes.push_back(c.name + " " + what + ": mixed:" + Differences(print, new_print));
    } else if (print == old_print) {
      RemoveUnlistedSets(data, sets);
      Run again = RunCli(cli, data, Args(c, work, sets), {});
      const Print after = Fingerprint(data);
      if (!again.ok() || after != new_print) {
        ++f.not_repaired;
        f.notes.push_back(c.name + " " + what + ": the rerun did not reach the new data:" +
                          Differences(after, new_print) + " " + again.err);
      }
      if (!SetsWhole(sets, true, &why)) {
        ++f.not_repaired;
        f.notes.push_back(c.name + " " + what + " and run again: " + why);
      }
    }
    if (!SetsWhole(sets, false, &why) ||
        !SetsWhole(fs::path(data).parent_path().string(), false, &why)) {
      ++f.not_repaired;
      f.notes.push_back(c.name + " " + what + ": " + why);
    }
  };

  for (long n = 0;; n += plan.exact_stride) {
    parent = trial(&data, &sets);
    Run r = RunCli(cli, data, Args(c, work, sets), {"ZARIM_CRASH_AT=" + std::to_string(n)});
    const bool killed = r.killed();
    if (killed) {
      ++f.exact_kills;
      check_kill("killed at step " + std::to_string(n));
    }
    done(parent);
    if (!killed) break;
  }
  // Killed at the n-th call of each system call that reads or changes files, counted by
  // the tracer: every open, write, flush, rename, removal and new folder of the run,
  // the program's own start included.
  if (!plan.tracer.empty()) {
    for (const char* call : {"openat", "write", "fsync", "fdatasync", "rename", "renameat",
                             "renameat2", "unlink", "unlinkat", "mkdir", "mkdirat", "ftruncate"}) {
      for (int n = 1; n <= plan.calls_per_syscall; ++n) {
        parent = trial(&data, &sets);
        const std::string name(call);
        Run r = RunCli(cli, data, Args(c, work, sets), {}, -1,
                       {plan.tracer, "-f", "-o", "/dev/null", "-e", "trace=" + name, "-e",
                        "inject=" + name + ":signal=KILL:when=" + std::to_string(n)});
        const bool killed = r.killed();
        if (killed) {
          ++f.syscall_kills;
          check_kill("killed at " + name + " call " + std::to_string(n));
        }
        done(parent);
        if (!killed) break;
      }
    }
  }

  // Random moments within the clean run's time; a kill that comes after the command has
  // ended does not count, so trials go on until the planned number of kills landed.
  std::mt19937 rng(static_cast<unsigned>(std::hash<std::string>{}(c.name)));
  std::uniform_int_distribution<long> moment(0, run_us);
  for (int tries = 0; f.random_kills < plan.random_kills && tries < 50 * plan.random_kills;
       ++tries) {
    parent = trial(&data, &sets);
    Run r = RunCli(cli, data, Args(c, work, sets), {}, moment(rng));
    if (r.killed()) ++f.random_kills;
    check_kill("killed at random");
    done(parent);
  }

  uint64_t room = 0;
  for (const auto& [name, bytes] : testing::FolderContents(start)) room += bytes.size();
  for (int level = 0; level <= plan.free_levels; ++level) {
    // From no room up to three times the folder (at least 4 MB: a conversion writes whole
    // tables from a few older records), closer together where the room runs out.
    const double top = static_cast<double>(std::max<uint64_t>(room * 3, 4u << 20));
    const double share = static_cast<double>(level) / std::max(plan.free_levels, 1);
    const uint64_t free_bytes = static_cast<uint64_t>(top * share * share * share);
    parent = trial(&data, &sets);
    Run r =
        RunCli(cli, data, Args(c, work, sets), {"ZARIM_FREE_BYTES=" + std::to_string(free_bytes)});
    ++f.free_runs;
    const Print print = Fingerprint(data);
    std::string why;
    if (!r.ok()) {
      ++f.refused;
      if (print != old_print || r.err.empty() || !SetsWhole(sets, true, &why)) {
        ++f.changed;
        f.notes.push_back(c.name + " with " + std::to_string(free_bytes) +
                          " bytes free: failed and changed" + Differences(print, old_print) + " " +
                          why + " or said nothing: " + r.err);
      }
    } else if (print != new_print) {
      ++f.changed;
      f.notes.push_back(
          c.name + " with " + std::to_string(free_bytes) +
          " bytes free: exit 0 but not the new data:" + Differences(print, new_print));
    }
    done(parent);
  }
  return f;
}

}  // namespace zarim::sweep
