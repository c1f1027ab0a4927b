// Converting a full folder of the earlier version at load: 1500 people (1200 active and
// 300 inactive), 3900 remarks, both years of totals, 99 late marks, the meetings and an
// older group table. Budget: 50 ms.
#include <benchmark/benchmark.h>

#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_names.h"
#include "support/older_folder.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using namespace zarim::testing;

const Date kToday{2026, 12, 8};

const std::string& OlderFolder() {
  static TempDir dir;
  static const std::string folder = [] {
    const uint8_t years[12] = {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 25};
    std::vector<OlderRecord> active{OlderHeader(years)};
    std::vector<OlderRecord> inactive;
    for (int i = 0; i < 1500; ++i) {
      OlderRecord r = OlderPublisher(static_cast<uint16_t>(100 + i), "Name" + std::to_string(i),
                                     "Family" + std::to_string(i % 97));
      for (int m = 0; m < 12; ++m)
        r.SetMonth(m, {.pioneer = 1, .placements = 3, .hours = 10, .visits = 2, .studies = 1});
      (i < 1200 ? active : inactive).push_back(r);
    }
    dir.Write(kOldFilePublishers7, Join(active));
    dir.Write(kOldFileInactive7, Join(inactive));
    std::vector<Bytes> remarks, marks;
    for (int i = 0; i < 3900; ++i)
      remarks.push_back(OlderRemark("remark " + std::to_string(i), static_cast<uint8_t>(1 + i % 12),
                                    static_cast<uint16_t>(100 + (i / 12) * 5 % 1500)));
    dir.Write(kOldFileRemarks7, Join(remarks));
    for (int i = 0; i < 99; ++i)
      marks.push_back(
          OlderLateMark(static_cast<uint16_t>(100 + i), static_cast<uint8_t>(i % 12), 3));
    dir.Write(kOldFileOddMonths7, Join(marks));
    dir.Write(kOldFileTotals7, Bytes(864, 1));
    MakeFolder(dir.File("Roll"));
    MakeFolder(dir.File("Roll/Zr7_8"));
    dir.Write("Roll/Zr7_8/spcards.dat", Bytes(864, 2));
    dir.Write(kOldFileMeetings7, Bytes(3 * 224, 1));
    std::vector<OlderGroup> groups(20, OlderGroup{"Overseer", "Assistant", "Hall", "", "10:00", 3});
    dir.Write(kFileGroups, OlderGroupTable(groups));
    return dir.path();
  }();
  return folder;
}

void BM_ConvertOlderFolder(benchmark::State& state) {
  FixedClock clock(kToday);
  const std::string& folder = OlderFolder();
  for (auto _ : state) {
    CZarimDoc doc;
    doc.data_folder = folder;
    LoadAll(doc, clock);
    if (!doc.converted || doc.count != 1501) {
      state.SkipWithError(("converted " + std::to_string(doc.converted) + ", " +
                           std::to_string(doc.count) + " records")
                              .c_str());
      break;
    }
    benchmark::DoNotOptimize(doc.remark_count);
    state.PauseTiming();
    doc.modified = 0;  // closed without saving: the folder stays of the earlier version
    CloseDocument(doc);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConvertOlderFolder)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace zarim
