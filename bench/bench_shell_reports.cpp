// The telephone list of the full-capacity congregation with the real fonts: layout on
// the screen (measuring only) and the whole list written as a PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/document.h"
#include "demo_congregation.h"
#include "render/qt_canvas.h"
#include "reports/report_drawer.h"
#include "reports/report_kind.h"
#include "shell/report_printing.h"

namespace zarim {
namespace {

void EnsureApp() {
  static QApplication* app = [] {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_shell_reports";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  (void)app;
}

CZarimDoc& FullDoc() { return demo::FullDocument(); }

void BM_TelephoneListLayoutQt(benchmark::State& state) {
  EnsureApp();
  CZarimDoc& doc = FullDoc();
  ReportFonts fonts;
  QImage device(10, 10, QImage::Format_RGB32);
  for (auto _ : state) {
    QtCanvas canvas(nullptr, &device, device.logicalDpiX(), device.logicalDpiY());
    ReportContext ctx;
    ctx.fonts = &fonts;
    DrawReport(doc, canvas, ctx, report_kind::kTelephoneCongregation, 0);
    benchmark::DoNotOptimize(ctx.page_count);
  }
}
BENCHMARK(BM_TelephoneListLayoutQt)->Unit(benchmark::kMillisecond);

void BM_TelephoneListPdf(benchmark::State& state) {
  EnsureApp();
  QTemporaryDir dir;
  CZarimDoc& doc = FullDoc();
  ReportFonts fonts;
  PrintJob job;
  job.doc = &doc;
  job.fonts = &fonts;
  job.kind = report_kind::kTelephoneCongregation;
  for (auto _ : state) benchmark::DoNotOptimize(WriteReportPdf(job, dir.filePath("phone.pdf")));
}
BENCHMARK(BM_TelephoneListPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarim
