// Fuzzes the publisher table with its companions: the input is split into tdat9.bin,
// tcard.dat, bkstudy.dat and tlt15.dat; loading and saving must survive any bytes.
#include <cstring>

#include "core/data_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  // Two length bytes choose where the companions start; a large table needs more input.
  size_t cut1 = size > 2 ? size * data[0] / 256 : 0;
  size_t cut2 = size > 2 ? cut1 + (size - cut1) * data[1] / 256 : 0;
  size_t cut3 = cut2 + (size - cut2) / 2;
  // The table itself is repeated to reach the 401-byte minimum with small inputs.
  Bytes table;
  while (table.size() < 401 + 816 && cut1 > 2) table.insert(table.end(), data + 2, data + cut1);
  fuzz::WriteScratch("tdat9.bin", table.data(), table.size());
  fuzz::WriteScratch("tcard.dat", data + cut1, cut2 - cut1);
  fuzz::WriteScratch("bkstudy.dat", data + cut2, cut3 - cut2);
  fuzz::WriteScratch("tlt15.dat", data + cut3, size - cut3);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  FixedClock clock(Date{2025, 3, 10});
  LoadAll(doc, clock);
  for (int r = 1; r < doc.count; ++r) (void)doc.DisplayName(doc.records[r]);
  SaveAll(doc);
  CZarimDoc again;
  again.data_folder = fuzz::ScratchFolder();
  LoadAll(again, clock);
  return 0;
}
