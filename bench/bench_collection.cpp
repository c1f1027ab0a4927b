// The collection list of the largest group of the full-capacity folder, written to disk,
// and a CSV import of 300 rows through mapping, identification and merge.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "core/data_files.h"
#include "core/file_io.h"
#include "demo_congregation.h"
#include "exchange/collection_file.h"
#include "exchange/csv_import.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

const std::string& FullFolder() {
  static const std::string folder = demo::WriteFullTempFolder("zarim-bench-collection", kToday);
  return folder;
}

int LargestGroup(const CZarimDoc& doc) {
  std::array<int, kMaxGroups + 1> members{};
  for (int rec = 1; rec < doc.count; ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (r.status == kActive && r.group >= 1 && r.group <= kMaxGroups) ++members[r.group];
  }
  return static_cast<int>(std::max_element(members.begin(), members.end()) - members.begin());
}

void BM_WriteCollectionListFullGroup(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  const int group = LargestGroup(doc);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> file = BuildCollectionList(doc, group, false);
    WriteFileAtomic(JoinPath(doc.data_folder, CollectionFileName(group)), file.data(), file.size());
    bytes = file.size();
  }
  state.counters["blocks"] = static_cast<double>(bytes / kCollectionBlockSize - 1);
  CloseDocument(doc);
}
BENCHMARK(BM_WriteCollectionListFullGroup)->Unit(benchmark::kMillisecond);

void BM_ImportCsv300Rows(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  std::string text = "First Name,Last Name,Shared,Bible Studies,Hours,Remarks\r\n";
  int rows = 0;
  for (int rec = 1; rec < doc.count && rows < 300; ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (r.status != kActive) continue;
    text += FieldText(r.first_name) + "," + FieldText(r.last_name) + ",1,2,10,\"fine, well\"\r\n";
    ++rows;
  }
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  for (auto _ : state) {
    auto table = ParseCsv(bytes);
    CsvImportForm form(doc, std::move(*table));
    for (int t = 0; t < 6; ++t) form.Map(t, t);
    form.ContinueMapping();
    form.SetSkipUnidentified(true);
    MergeReports(doc, form.Finish(), false);
  }
  state.counters["rows"] = rows;
  CloseDocument(doc);
}
BENCHMARK(BM_ImportCsv300Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarim
