// The long kill and full-disk sweeps: every step of every command killed, random kills and
// free-space levels as given, with the figures per command.
// usage: tx_sweep ZARIM_CLI WORKDIR [RANDOM_KILLS] [FREE_LEVELS] [EXACT_STRIDE]
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sweep/tx_sweep.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: tx_sweep ZARIM_CLI WORKDIR [RANDOM_KILLS] [FREE_LEVELS] [EXACT_STRIDE]\n");
    return 2;
  }
  zarim::sweep::Plan plan;
  if (argc > 3) plan.random_kills = std::atoi(argv[3]);
  if (argc > 4) plan.free_levels = std::atoi(argv[4]);
  if (argc > 5) plan.exact_stride = std::max(1, std::atoi(argv[5]));
  // ZARIM_SWEEP_STRACE=PATH adds the kills at every call of each file system call.
  if (const char* tracer = std::getenv("ZARIM_SWEEP_STRACE")) plan.tracer = tracer;
  int bad = 0;
  // ZARIM_SWEEP_ONLY=TEXT runs only the commands whose name holds TEXT.
  const char* only = std::getenv("ZARIM_SWEEP_ONLY");
  for (const auto& c : zarim::sweep::Cases()) {
    if (only && c.name.find(only) == std::string::npos) continue;
    auto f = zarim::sweep::Sweep(argv[1], c, std::string(argv[2]) + "/sweep", plan);
    std::printf(
        "%-24s exact kills %4d, system-call kills %4d, random kills %4d, mixed %d, "
        "not repaired %d; free-space runs %3d (%d refused), changed behind the exit %d\n",
        c.name.c_str(), f.exact_kills, f.syscall_kills, f.random_kills, f.mixed, f.not_repaired,
        f.free_runs, f.refused, f.changed);
    for (const auto& note : f.notes) std::printf("  %s\n", note.c_str());
    std::fflush(stdout);
    bad += f.mixed + f.not_repaired + f.changed;
  }
  return bad == 0 ? 0 : 1;
}
