// Fuzzes emerg.dat (with its compaction) and spneed.dat.
#include "core/data_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  size_t half = size / 2;
  fuzz::WriteScratch("emerg.dat", data, half);
  fuzz::WriteScratch("spneed.dat", data + half, size - half);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  doc.ResetHeader();
  for (int i = 0; i < 20 && half >= 2 * static_cast<size_t>(i + 1); ++i) {
    PubRecord& r = doc.records[doc.count++];
    r.id = static_cast<uint16_t>(10 + i);
    r.emergency_key = static_cast<uint16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    r.special_needs_key = r.emergency_key;
  }
  doc.RebuildIndex();
  LoadEmergency(doc);
  LoadSpecialNeeds(doc);
  doc.history_view = 1;
  doc.archive_folder = fuzz::ScratchFolder();
  LoadEmergency(doc);
  return 0;
}
