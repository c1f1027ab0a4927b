// Laying out the telephone list of the full-capacity congregation, on the screen and at
// printer resolution (budget: 20 ms per report).
#include <benchmark/benchmark.h>

#include "core/document.h"
#include "demo_congregation.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

CZarimDoc& FullDoc() { return demo::FullDocument(); }

void Layout(benchmark::State& state, int kind, int group, bool printing, int dpi) {
  CZarimDoc& doc = FullDoc();
  ReportFonts fonts;
  int pages = 0;
  for (auto _ : state) {
    RecordingCanvas canvas(dpi, dpi);
    ReportContext ctx;
    ctx.fonts = &fonts;
    ctx.printing = printing;
    DrawReport(doc, canvas, ctx, kind, group);
    pages = ctx.page_count;
    benchmark::DoNotOptimize(canvas.ops().data());
  }
  state.counters["pages"] = pages;
  state.counters["active"] = doc.status_count[kActive];
}

void BM_TelephoneListScreen(benchmark::State& state) {
  Layout(state, report_kind::kTelephoneCongregation, 0, false, 96);
}
void BM_TelephoneListPrinter600(benchmark::State& state) {
  Layout(state, report_kind::kTelephoneCongregation, 0, true, 600);
}
void BM_TelephoneListGroup(benchmark::State& state) {
  Layout(state, report_kind::kTelephoneGroup, 1, true, 600);
}
BENCHMARK(BM_TelephoneListScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TelephoneListPrinter600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TelephoneListGroup)->Unit(benchmark::kMillisecond);

// Every list of names, the group lists and the labels at printer resolution.
void BM_ListLayout(benchmark::State& state) {
  Layout(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), true, 600);
}
BENCHMARK(BM_ListLayout)
    ->ArgNames({"kind", "group"})
    ->Args({report_kind::kTelephoneEldersServants, 0})
    ->Args({report_kind::kTelephonePioneers, 0})
    ->Args({report_kind::kAddressCongregation, 0})
    ->Args({report_kind::kAddressGroup, 1})
    ->Args({report_kind::kAddressInactive, 0})
    ->Args({report_kind::kContactCongregation, 0})
    ->Args({report_kind::kContactInactiveByGroup, 1})
    ->Args({report_kind::kEmergencyCongregation, 0})
    ->Args({report_kind::kTelEmailCongregation, 0})
    ->Args({report_kind::kSpecialNeedsCongregation, 0})
    ->Args({report_kind::kGroupListAll, 0})
    ->Args({report_kind::kLabels, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarim
