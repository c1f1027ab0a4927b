// zarim-cli as whole processes against `cat` of the same data files: `info` on the
// full-capacity folder and `--version`, CPU time (user + system) and wall time per process,
// medians of interleaved rounds of one run. The budget: `info` within twice the CPU of cat.
// usage: bench_cli_startup [ROUNDS]   (ZARIM_FULL_DEMO names a full folder to use)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo_congregation.h"

extern char** environ;

namespace {

struct Sample {
  double cpu_ms;
  double wall_ms;
};

// Runs argv with its output thrown away; the child's CPU time from wait4 and the wall time.
Sample Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot run %s\n", argv[0]);
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    std::exit(1);
  }
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return {ms(usage.ru_utime) + ms(usage.ru_stime),
          std::chrono::duration<double, std::milli>(end - start).count()};
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
  const char* given = std::getenv("ZARIM_FULL_DEMO");
  std::string folder =
      given && std::filesystem::exists(given)
          ? std::string(given)
          : zarim::demo::WriteFullTempFolder("zarim_bench_cli_full", zarim::Date{2026, 12, 8});
  if (folder.empty()) return 1;
  std::vector<std::string> cat{"/bin/cat"};
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().filename() != "zarim.lock")
      cat.push_back(entry.path().string());
  const std::vector<std::vector<std::string>> commands = {
      cat,
      {ZARIM_CLI_PATH, "--data", folder, "--today", "2026-12-08", "info"},
      {ZARIM_CLI_PATH, "--version"}};
  const char* names[] = {"cat of the data files", "zarim-cli info", "zarim-cli --version"};
  std::vector<std::vector<double>> cpu(commands.size()), wall(commands.size());
  for (const auto& c : commands) Run(c);  // warm the page cache
  for (int r = 0; r < rounds; ++r)
    for (size_t c = 0; c < commands.size(); ++c) {
      Sample s = Run(commands[c]);
      cpu[c].push_back(s.cpu_ms);
      wall[c].push_back(s.wall_ms);
    }
  std::printf("%zu files, %d rounds, medians\n", cat.size() - 1, rounds);
  for (size_t c = 0; c < commands.size(); ++c)
    std::printf("  %-24s CPU %7.2f ms   wall %7.2f ms\n", names[c], Median(cpu[c]),
                Median(wall[c]));
  const double ratio = Median(cpu[1]) / std::max(Median(cpu[0]), 0.01);
  std::printf("  info / cat CPU: %.2f (budget 2.00): %s\n", ratio,
              ratio <= 2.0 ? "within" : "OVER");
  return 0;
}
