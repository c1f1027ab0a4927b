// Runs zarim-cli as its own process against a demo folder written by the generator, and
// reads the folder back through the library, as a user of the program would see it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/ports.h"
#include "support/test_support.h"

namespace zarim::testing {

// The day every command runs on (--today) and the demo folder is dated by.
inline constexpr Date kCliToday{2026, 12, 8};

struct CliRun {
  int status = -1;  // exit status; -1 when the program did not end normally
  std::string out;
  std::string err;
};

// Runs the zarim-cli built beside the tests with the given arguments and the variables
// `env` added ("LANG=pl_PL.UTF-8"). Whatever the machine's locale, the program speaks
// English (LC_ALL=C.UTF-8) unless `env` names a locale variable.
CliRun RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

// Every file of a folder by name, with a hash (FNV-1a, 64 bits) of its bytes.
std::map<std::string, std::string> FileHashes(const std::string& folder);

// A demo congregation in a temporary folder and the commands run against it.
class CliFolder {
 public:
  CliFolder();
  const std::string& path() const { return dir.path(); }
  // Runs `zarim-cli --data DIR --today 2026-12-08 ARGS...`.
  CliRun Run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) const;
  // The folder loaded anew through the library (from a copy of its files).
  std::unique_ptr<CZarimDoc> Load();
  // Every file of the folder with a hash of its bytes (readable when two differ).
  std::map<std::string, std::string> Files() const { return FileHashes(dir.path()); }

  TempDir dir;
  ScriptedPrompter prompter;
};

}  // namespace zarim::testing
