// Fuzzes the CSV report import: the structure check of the file, the mapping block of
// "zrmap.dat" and the name map "tpmap.dat" (the input's first bytes), the rows'
// identification and what is handed on.
#include <span>

#include "core/document.h"
#include "exchange/csv_import.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  // The first byte splits the input: map files first, then the CSV text.
  if (size < 1) return 0;
  const size_t maps = std::min<size_t>(size - 1, static_cast<size_t>(data[0]) * 8);
  const uint8_t* csv = data + 1 + maps;
  const size_t csv_size = size - 1 - maps;
  fuzz::ClearScratch();
  const size_t half = maps < kCsvMapFileSize ? maps : kCsvMapFileSize;
  fuzz::WriteScratch(kCsvMapFileName, data + 1, half);
  fuzz::WriteScratch(kNameMapFileName, data + 1 + half, maps - half);
  DecodeNameMap(std::span(data + 1, maps));

  auto table = ParseCsv(std::span(csv, csv_size));
  if (!table) return 0;
  // One congregation for every input; the import changes no record.
  static SilentPrompter prompter;
  static CZarimDoc doc(&prompter);
  if (doc.count == 0) {
    doc.data_folder = fuzz::ScratchFolder();
    doc.ResetHeader();
    for (int id = 10; id < 20; ++id) {
      PubRecord& r = doc.records[doc.count++];
      r.id = static_cast<uint16_t>(id);
      SetField(r.first_name, "Ann");
      SetField(r.last_name, std::string(1, static_cast<char>('A' + id - 10)));
    }
    doc.RebuildIndex();
  }
  CsvImportForm form(doc, *table);
  if (!form.CanContinueMapping()) {
    const int columns = static_cast<int>(table->header.size());
    for (int t = 0; t < kCsvTargetCount; ++t) form.Map(t, (t * 7 + columns) % columns);
  }
  form.ContinueMapping();
  form.RowTexts();
  if (!form.rows().empty()) form.Associate(0, 1);
  form.SetSkipUnidentified(true);
  form.Finish();
  return 0;
}
