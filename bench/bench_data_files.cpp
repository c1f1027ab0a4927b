// Load and save of the full-capacity folder, and the document's memory.
#include <benchmark/benchmark.h>

#include "core/data_files.h"
#include "demo_congregation.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

const std::string& FullFolder() {
  static const std::string folder = [] {
    std::string f = demo::WriteFullTempFolder("zarim-bench-full", kToday);
    // One load and save settles the side files, as the first start of the program does.
    CZarimDoc doc;
    doc.data_folder = f;
    FixedClock clock(kToday);
    LoadAll(doc, clock);
    SaveAll(doc);
    CloseDocument(doc);
    return f;
  }();
  return folder;
}

void BM_LoadFullFolder(benchmark::State& state) {
  FixedClock clock(kToday);
  for (auto _ : state) {
    CZarimDoc doc;
    doc.data_folder = FullFolder();
    LoadAll(doc, clock);
    benchmark::DoNotOptimize(doc.count);
    state.PauseTiming();
    CloseDocument(doc);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadFullFolder)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A save after one posted slip: the publisher table changes.
void BM_SaveAfterOneSlip(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  uint16_t hours = 1;
  for (auto _ : state) {
    doc.records[1].activity[kHours][doc.working_month][doc.SlotOfMonth(doc.working_month)] =
        ++hours;
    doc.MarkModified();
    SaveAll(doc);
  }
  CloseDocument(doc);
}
BENCHMARK(BM_SaveAfterOneSlip)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The worst case: every file of the save has changed.
void BM_SaveEveryFileChanged(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  uint16_t v = 1;
  for (auto _ : state) {
    ++v;
    doc.records[1].activity[kHours][doc.working_month][doc.SlotOfMonth(doc.working_month)] = v;
    doc.totals.value[0][0][0] = v;
    doc.attendance[0].week[0][0][0] = v;
    SetField(doc.appointments[0].end_date, std::to_string(10000000 + v));
    SetField(doc.remarks[1].text, "remark " + std::to_string(v));
    doc.format.unused[0] = static_cast<uint8_t>(v);
    SetField(doc.groups.location[0], "Hall " + std::to_string(v));
    doc.MarkModified();
    SaveAll(doc);
  }
  CloseDocument(doc);
}
BENCHMARK(BM_SaveEveryFileChanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DocumentMemory(benchmark::State& state) {
  size_t bytes = 0;
  for (auto _ : state) {
    CZarimDoc doc;
    bytes = sizeof doc + doc.records.capacity() * sizeof(PubRecord) +
            doc.index.capacity() * sizeof(PubIndexEntry) +
            5 * kMaxStatusList * sizeof(PubIndexEntry) +
            doc.ext_index.capacity() * sizeof(ExtIndexEntry) + 2 * kMaxKeyRefs * sizeof(KeyRef) +
            kMaxHouseholdUndo * sizeof(HouseholdUndoEntry) +
            doc.appointments.capacity() * sizeof(AppointmentRecord) +
            doc.remarks.capacity() * sizeof(RemarkEntry) +
            doc.late.capacity() * sizeof(LateReportEntry);
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["document_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DocumentMemory);

}  // namespace
}  // namespace zarim
