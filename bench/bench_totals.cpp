// Recomputing the working report totals on the full-capacity congregation, with the
// late-report list filled to its posting limit (the worst case of the late-report scan).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "core/data_files.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "demo_congregation.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

void BM_RecomputeWorkingTotals(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "zarim-bench-totals").string();
  std::filesystem::remove_all(folder);
  demo::DemoOptions o;
  o.today = kToday;
  o.full = true;
  std::string error;
  demo::WriteDemoFolder(folder, o, &error);
  CZarimDoc doc;
  doc.data_folder = folder;
  FixedClock clock(kToday);
  LoadAll(doc, clock);
  const int active = std::min(doc.status_count[kActive], kMaxStatusList);
  for (int i = 0; doc.late_count < kLatePostingLimit && active > 0 && i < 10000; ++i)
    AddLateReport(doc, doc.lists[kActive][i % active].id,
                  (doc.working_month + 11 - (i / active) % 6) % 12);
  state.counters["active"] = active;
  state.counters["late"] = doc.late_count;
  for (auto _ : state) benchmark::DoNotOptimize(RecomputeTotals(doc));
  CloseDocument(doc);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecomputeWorkingTotals)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace zarim
