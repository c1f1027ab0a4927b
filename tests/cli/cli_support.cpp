#include "cli/cli_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "core/data_files.h"
#include "core/folder_lock.h"
#include "demo_congregation.h"

extern char** environ;

namespace zarim::testing {

namespace {

std::string ReadText(const std::string& path) {
  Bytes b = ReadFile(path).value_or(Bytes{});
  return std::string(b.begin(), b.end());
}

}  // namespace

std::map<std::string, std::string> FileHashes(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& [name, bytes] : FolderContents(folder)) {
    // The lock file says who holds the folder; it is not congregation data.
    if (name == kLockFileName) continue;
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
      h ^= b;
      h *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    out[name] = text;
  }
  return out;
}

CliRun RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  // The language comes from these variables; the machine's own must not choose it.
  auto is_locale = [](std::string_view v) {
    return v.substr(0, 3) == "LC_" || v.substr(0, 5) == "LANG=" || v.substr(0, 9) == "LANGUAGE=";
  };
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e)
    if (!is_locale(*e)) env_text.emplace_back(*e);
  if (std::none_of(env.begin(), env.end(), is_locale)) env_text.emplace_back("LC_ALL=C.UTF-8");
  env_text.insert(env_text.end(), env.begin(), env.end());
  std::vector<char*> envp;
  for (auto& e : env_text) envp.push_back(e.data());
  envp.push_back(nullptr);

  TempDir io;
  std::string out_path = io.File("out"), err_path = io.File("err");
  std::vector<std::string> all{ZARIM_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + all[0]);
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0) {
  }
  CliRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.out = ReadText(out_path);
  run.err = ReadText(err_path);
  return run;
}

CliFolder::CliFolder() {
  demo::DemoOptions options;
  options.today = kCliToday;
  options.seed = 1;
  std::string error;
  if (!demo::WriteDemoFolder(dir.path(), options, &error)) throw std::runtime_error(error);
}

CliRun CliFolder::Run(const std::vector<std::string>& args,
                      const std::vector<std::string>& env) const {
  std::vector<std::string> all{"--data", dir.path(), "--today", "2026-12-08"};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all, env);
}

std::unique_ptr<CZarimDoc> CliFolder::Load() {
  // Opening a folder writes into it (the remark undo copy); a copy is opened instead, so
  // that looking never changes what the next command finds.
  TempDir copy;
  for (const auto& [name, bytes] : FolderContents(dir.path())) copy.Write(name, bytes);
  auto doc = std::make_unique<CZarimDoc>(&prompter);
  doc->data_folder = copy.path();
  FixedClock clock(kCliToday);
  if (!LoadAll(*doc, clock)) throw std::runtime_error("the folder did not load");
  return doc;
}

}  // namespace zarim::testing
