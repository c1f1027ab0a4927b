// Fuzzes xten7.dat: indexing at load, reading every record and adding one.
#include "core/data_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch("xten7.dat", data, size);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  LoadExtensions(doc);
  for (int n = 0; n <= doc.ext_count; ++n)
    ReadExt(doc, n, doc.ext_index[n < kMaxExtIndex ? n : 0].key);
  doc.current_ext = ExtRecord{};
  doc.current_ext.key = 777;
  SetField(doc.current_ext.email, "a@b.c");
  AddExt(doc);
  return 0;
}
