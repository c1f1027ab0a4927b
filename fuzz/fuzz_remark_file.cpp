// Fuzzes remark9.dat: compaction at start, loading and writing remarks back.
#include "core/data_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("remark9.dat", data, size);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  doc.ResetHeader();
  // Publishers with the identifiers the input is likely to name.
  for (int id = 10; id < 40; ++id) {
    PubRecord& r = doc.records[doc.count++];
    r.id = static_cast<uint16_t>(id);
    SetField(r.last_name, "Name");
  }
  doc.RebuildIndex();
  LoadRemarksAtStart(doc);
  Bytes image(data, data + size);
  RemarkWriter writer(image);
  for (int i = 1; i < doc.remark_count; ++i) writer.Write(doc.remarks[i]);
  return 0;
}
