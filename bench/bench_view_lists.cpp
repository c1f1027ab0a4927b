// Filling every list type of the View lists dialog on the full-capacity congregation,
// each with the selection that lists the most (the whole congregation, the widest period).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/data_files.h"
#include "cycle/view_lists.h"
#include "demo_congregation.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

struct Folder {
  Folder() {
    path = (std::filesystem::temp_directory_path() / "zarim-bench-view-lists").string();
    std::filesystem::remove_all(path);
    demo::DemoOptions o;
    o.today = kToday;
    o.full = true;
    std::string error;
    demo::WriteDemoFolder(path, o, &error);
    doc.data_folder = path;
    FixedClock clock(kToday);
    LoadAll(doc, clock);
    // Both optional types are measured as well.
    doc.special_circumstances_present = 1;
    doc.options.custom_category_enabled = 1;
    doc.options.custom_category_name = "Custom";
  }
  ~Folder() {
    CloseDocument(doc);
    std::filesystem::remove_all(path);
  }
  std::string path;
  CZarimDoc doc;
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

void BM_FillViewList(benchmark::State& state) {
  CZarimDoc& doc = Shared().doc;
  auto type = static_cast<ViewType>(state.range(0));
  // The widest period of each type: "Last Twelve Months", or "All" for the inactive list.
  int third = type == ViewType::kNoReport ? doc.working_month
              : type == ViewType::kNewPublishers || type == ViewType::kReactivated ? 3
              : type == ViewType::kInactive                                        ? 4
                                                                                   : 2;
  size_t lines = 0;
  for (auto _ : state) {
    auto out = ViewListLines(doc, type, 0, third);
    lines = out.size();
    benchmark::DoNotOptimize(out);
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_FillViewList)->DenseRange(0, kViewTypeCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarim
