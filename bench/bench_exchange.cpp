// The exports and the XML publisher file on the full-capacity folder: every delimited
// export, the active list written to XML, and that file imported back over the same
// records.
#include <benchmark/benchmark.h>

#include "core/data_files.h"
#include "demo_congregation.h"
#include "exchange/exports.h"
#include "exchange/xml_publisher_file.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

// The full folder, loaded once; the exports only read it (and write into Exports).
CZarimDoc& FullDoc() {
  static SilentPrompter prompter;
  static CZarimDoc* doc = [] {
    auto* d = new CZarimDoc(&prompter);
    d->data_folder = demo::WriteFullTempFolder("zarim-bench-exchange", kToday);
    FixedClock clock(kToday);
    LoadAll(*d, clock);
    return d;
  }();
  return *doc;
}

std::vector<int> ActiveRecords(const CZarimDoc& doc) {
  std::vector<int> recs;
  for (int i = 0; i < doc.status_count[kActive]; ++i) recs.push_back(doc.lists[kActive][i].rec);
  return recs;
}

void BM_Export(benchmark::State& state) {
  CZarimDoc& doc = FullDoc();
  const auto kind = static_cast<ExportKind>(state.range(0));
  ExportOptions options;
  options.month = doc.working_month;
  options.header = true;
  options.group = 1;
  for (auto _ : state) benchmark::DoNotOptimize(WriteExport(doc, kind, options));
}
BENCHMARK(BM_Export)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_XmlExportActive(benchmark::State& state) {
  CZarimDoc& doc = FullDoc();
  const std::vector<int> recs = ActiveRecords(doc);
  for (auto _ : state)
    benchmark::DoNotOptimize(ExportPublisherXml(doc, XmlList::kActive, recs, kToday));
  state.counters["people"] = static_cast<double>(recs.size());
}
BENCHMARK(BM_XmlExportActive)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_XmlImportActiveWithUpdate(benchmark::State& state) {
  CZarimDoc& doc = FullDoc();
  const std::string path = ExportPublisherXml(doc, XmlList::kActive, ActiveRecords(doc), kToday);
  for (auto _ : state) {
    XmlPublisherImport import(doc);
    import.Open(path);
    std::vector<int> all;
    for (size_t i = 0; i < import.candidates().size(); ++i) all.push_back(static_cast<int>(i));
    benchmark::DoNotOptimize(import.Apply(all, true));
  }
}
BENCHMARK(BM_XmlImportActiveWithUpdate)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace zarim
