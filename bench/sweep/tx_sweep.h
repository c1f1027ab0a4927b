// Kill and full-disk sweeps of zarim-cli commands: each command is killed at every
// file-changing step (or a sample of them), at random moments, and run with less and less
// room on the disk; the folder the next start finds must hold the data from before the
// command or the data from after it, never a mix, and a command that failed must have
// changed nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zarim::sweep {

struct Case {
  std::string name;
  // Writes the start folder `data` (and any input file into `work`); false on failure.
  std::function<bool(const std::string& cli, const std::string& work, const std::string& data)>
      prepare;
  // The command after "--data DATA --today DAY"; "{work}" and "{sets}" (a fresh folder
  // beside each trial's data) are replaced.
  std::vector<std::string> args;
  // The command changes a month already reported to the branch: its new folder must hold
  // the corrections log's entries, and after a kill the log is old or new with the data.
  bool corrects_sent_month = false;
};

struct Figures {
  int exact_kills = 0;             // killed before the n-th file-changing call
  int syscall_kills = 0;           // killed by the tracer at the n-th call of a system call
  int random_kills = 0;            // killed at a random moment
  int free_runs = 0;               // runs with little room on the disk
  int refused = 0;                 // of those, the ones that failed
  int mixed = 0;                   // a folder neither old nor new after a kill
  int changed = 0;                 // a folder changed behind a non-zero exit, or not new behind 0
  int not_repaired = 0;            // a rerun after a kill did not reach the new folder whole
  std::vector<std::string> notes;  // what went wrong, for the report
};

struct Plan {
  int exact_stride = 1;    // kill at steps 0, stride, 2 stride, ... until the command ends
  int random_kills = 100;  // kills that landed before the command ended
  // strace, when the system-call sweep runs (empty: it does not), and its bound per call.
  std::string tracer;
  int calls_per_syscall = 400;
  int free_levels = 20;
};

// The commands of the sweep: xml import, publisher edit with e-mail, backup, init-month,
// init-month --next, csv import, conversion of an older folder, a History correction and
// a late report.
std::vector<Case> Cases();

// Runs the sweep of one case in work (created fresh) with the zarim-cli at cli.
Figures Sweep(const std::string& cli, const Case& c, const std::string& work, const Plan& plan);

}  // namespace zarim::sweep
