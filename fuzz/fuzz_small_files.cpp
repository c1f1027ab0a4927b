// Fuzzes the block files: meetin9.dat, tappt.dat and zrxcfg.cfg, then saves them.
#include "core/data_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  size_t third = size / 3;
  fuzz::WriteScratch("meetin9.dat", data, third);
  fuzz::WriteScratch("tappt.dat", data + third, third);
  fuzz::WriteScratch("zrxcfg.cfg", data + 2 * third, size - 2 * third);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  doc.ResetHeader();
  LoadMeetings(doc);
  LoadAppointments(doc);
  LoadFormatOptions(doc);
  SaveAll(doc);
  return 0;
}
