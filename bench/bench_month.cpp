// Month initialization of the full-capacity folder (without the snapshot copy) and a
// backup of that folder with twelve month archives.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "backup/backup_form.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/month.h"
#include "cycle/month_init.h"
#include "demo_congregation.h"

namespace zarim {
namespace {

const Date kToday{2026, 12, 8};

const std::string& FullFolder() {
  static const std::string folder = [] {
    std::string f = demo::WriteFullTempFolder("zarim-bench-month-full", kToday);
    // Twelve month archives, as a folder a year in use holds.
    FileCopier copier(f);
    for (int n = 1; n <= 12; ++n) {
      std::filesystem::create_directories(ArchiveFolderOf(f, n));
      copier.CopySetBetween(f, ArchiveFolderOf(f, n), false);
    }
    return f;
  }();
  return folder;
}

void BM_InitializeMonthFull(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  std::vector<PubRecord> saved(doc.records.begin(), doc.records.begin() + doc.count);
  const uint16_t count = doc.count;
  for (auto _ : state) {
    InitializeMonth(doc, doc.working_month, SlotOfYear(doc.working_year), MonthInitOptions{false});
    state.PauseTiming();
    std::copy(saved.begin(), saved.end(), doc.records.begin());
    doc.count = count;
    doc.RebuildIndex();
    state.ResumeTiming();
  }
  state.counters["records"] = count;
  CloseDocument(doc);
}
BENCHMARK(BM_InitializeMonthFull)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BackupFullWithTwelveArchives(benchmark::State& state) {
  FixedClock clock(kToday);
  CZarimDoc doc;
  doc.data_folder = FullFolder();
  LoadAll(doc, clock);
  std::string target = (std::filesystem::temp_directory_path() / "zarim-bench-month-sets").string();
  std::filesystem::remove_all(target);
  std::filesystem::create_directories(target);
  int minute = 0;
  for (auto _ : state) {
    FixedTimeSource time(LocalTime{2026, 12, 8, minute / 60 % 24, minute % 60, 2});
    ++minute;
    BackupServices services;
    services.time = &time;
    services.clock = &clock;
    services.read_setting = [&](const std::string&, const std::string&) { return target; };
    BackupForm form(doc, BackupMode::kBackup, services);
    form.Open();
    form.Ok();
    if (!form.done()) state.SkipWithError("backup failed");
  }
  std::filesystem::remove_all(target);
  CloseDocument(doc);
}
BENCHMARK(BM_BackupFullWithTwelveArchives)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zarim
