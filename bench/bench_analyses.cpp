// The analyses, averages and statistics of the full-capacity congregation: each kind's
// model, each kind's layout on the recording canvas at printer resolution (budget:
// 20 ms each), and the congregation analysis written as a PDF (budget: 300 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/document.h"
#include "demo_congregation.h"
#include "render/report_pdf.h"
#include "reports/recording_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim {
namespace {

using namespace report_kind;

CZarimDoc& FullDoc() { return demo::FullDocument(); }

// kind, group: every report of the analyses and statistics; the group kinds for group 1.
void AllKinds(benchmark::internal::Benchmark* b) {
  b->ArgNames({"kind", "group"});
  for (int kind : {kCongregationAnalysis,
                   kCongregationAnalysisAlpha,
                   kCongregationSummary,
                   kMeetingReport,
                   kAveragesCongregation,
                   kAveragesRegular,
                   kAveragesElders,
                   kAveragesServants,
                   kAveragesBrothers,
                   kAveragesCustom,
                   kHoursCustom,
                   kHoursAuxiliary,
                   kHoursCongregation,
                   kHoursRegular,
                   kHoursEldersServants,
                   kHoursBrothers,
                   kServiceYearCongregation,
                   kServiceYearRegular,
                   kServiceYearEldersServants,
                   kPioneerHours,
                   kStatistics})
    b->Args({kind, 0});
  for (int kind : {kGroupAnalysis, kAveragesGroup, kHoursGroup}) b->Args({kind, 1});
}

void BM_AnalysisModel(benchmark::State& state) {
  CZarimDoc& doc = FullDoc();
  const ReportEntry* entry = FindReport(static_cast<int>(state.range(0)));
  if (!entry || !entry->model) {
    state.SkipWithError("no model for this kind");
    return;
  }
  ReportFonts fonts;
  ReportContext ctx;
  ctx.fonts = &fonts;
  size_t rows = 0;
  for (auto _ : state) {
    ReportModel m = entry->model(doc, ctx, static_cast<int>(state.range(1)));
    rows = m.rows.size();
    benchmark::DoNotOptimize(m.rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_AnalysisModel)->Apply(AllKinds)->Unit(benchmark::kMillisecond);

void BM_AnalysisLayout(benchmark::State& state) {
  CZarimDoc& doc = FullDoc();
  ReportFonts fonts;
  int pages = 0;
  for (auto _ : state) {
    RecordingCanvas canvas(600, 600);
    ReportContext ctx;
    ctx.fonts = &fonts;
    ctx.printing = true;
    DrawReport(doc, canvas, ctx, static_cast<int>(state.range(0)),
               static_cast<int>(state.range(1)));
    pages = ctx.page_count;
    benchmark::DoNotOptimize(canvas.ops().data());
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_AnalysisLayout)->Apply(AllKinds)->Unit(benchmark::kMillisecond);

void EnsureApp() {
  static QGuiApplication* app = [] {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_analyses";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
}

void BM_CongregationAnalysisPdf(benchmark::State& state) {
  EnsureApp();
  QTemporaryDir dir;
  CZarimDoc& doc = FullDoc();
  ReportFonts fonts;
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = kCongregationAnalysis;
  for (auto _ : state) {
    bool ok = RenderReportPdf(job, dir.filePath(QStringLiteral("analysis.pdf")), 300, nullptr);
    if (!ok) state.SkipWithError("the PDF could not be written");
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_CongregationAnalysisPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarim
