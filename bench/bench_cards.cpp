// The publisher record cards of the full-capacity congregation: one card laid out at
// printer resolution (budget: 20 ms) and every card of the folder written into one PDF
// file through the page writer (budget: 5 s), with the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "core/document.h"
#include "demo_congregation.h"
#include "render/report_pdf.h"
#include "reports/record_card.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

// Every record of the folder, active or not, in the stored order.
std::vector<int> AllRecords(const CZarimDoc& doc) {
  std::vector<int> out;
  for (int rec = 1; rec < doc.count; ++rec) out.push_back(rec);
  return out;
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  static int argc = 1;
  static char name[] = "bench_cards";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

long PeakMemoryKib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_OneCardLayout(benchmark::State& state) {
  CZarimDoc& doc = demo::FullDocument();
  ReportSelection selection;
  selection.chosen = true;
  selection.records = {doc.count / 2};
  size_t ops = 0;
  for (auto _ : state) {
    RecordingCanvas canvas(600, 600);
    ReportContext ctx;
    ctx.printing = true;
    ctx.selection = &selection;
    DrawRecordCards(doc, canvas, ctx);
    ops = canvas.ops().size();
    benchmark::DoNotOptimize(canvas.ops().data());
  }
  state.counters["drawing_calls"] = static_cast<double>(ops);
}
BENCHMARK(BM_OneCardLayout)->Unit(benchmark::kMillisecond);

void BM_AllCardsPdf(benchmark::State& state) {
  EnsureGuiApplication();
  CZarimDoc& doc = demo::FullDocument();
  ReportSelection selection;
  selection.chosen = true;
  selection.records = AllRecords(doc);
  ReportFonts fonts;
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = report_kind::kRecordCards;
  job.today = Date{2026, 12, 9};
  job.selection = &selection;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("cards.pdf"));
  bool written = false;
  for (auto _ : state) {
    written = RenderReportPdf(job, path, 300, nullptr);
    benchmark::DoNotOptimize(written);
  }
  if (!written) state.SkipWithError("the PDF was not written");
  state.counters["cards"] = static_cast<double>(selection.records.size());
  state.counters["pdf_kib"] = static_cast<double>(QFileInfo(path).size() / 1024);
  state.counters["peak_rss_mib"] = static_cast<double>(PeakMemoryKib()) / 1024.0;
}
BENCHMARK(BM_AllCardsPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace zarim
