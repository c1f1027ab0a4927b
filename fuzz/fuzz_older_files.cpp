// Fuzzes the readers of the earlier version's files: the input is split into tdat7.bin,
// the four older lists, remark7.dat, spcards.dat, oddmo7.dat, meeting.dat and an older
// group table; converting, saving and loading the result must survive any bytes.
#include <algorithm>

#include "core/data_files.h"
#include "core/older_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  static const char* const kNames[] = {"tdat7.bin",   "tinac7.dat", "tmove7.dat",
                                       "tnopu7.dat",  "tdele7.dat", "remark7.dat",
                                       "spcards.dat", "oddmo7.dat", "meeting.dat"};
  constexpr size_t kFiles = sizeof kNames / sizeof kNames[0];
  if (size < kFiles) return 0;
  // The first bytes choose each file's share of the rest.
  const uint8_t* p = data + kFiles;
  size_t left = size - kFiles;
  for (size_t i = 0; i < kFiles; ++i) {
    size_t n = i + 1 == kFiles ? left : left * data[i] / 256;
    Bytes file(p, p + n);
    // The table's records are 336 bytes: short inputs are repeated into a few records.
    if (i == 0)
      while (!file.empty() && file.size() < 3 * kOlderRecordSize) file.insert(file.end(), p, p + n);
    fuzz::WriteScratch(kNames[i], file.data(), file.size());
    p += n;
    left -= n;
  }
  // An older group table made of the same bytes, as long as there are enough.
  if (size >= kOlderGroupTableSize) fuzz::WriteScratch("bkstudy.dat", data, kOlderGroupTableSize);
  (void)ConvertOlderGroups(Bytes(data, data + std::min(size, kOlderGroupTableSize)));

  FixedClock clock(Date{2025, 3, 10});
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  LoadAll(doc, clock);
  for (int r = 1; r < doc.count; ++r) (void)doc.DisplayName(doc.records[r]);
  (void)ConvertedCountsText(doc);
  SaveAll(doc);
  CZarimDoc again;
  again.data_folder = fuzz::ScratchFolder();
  LoadAll(again, clock);
  return 0;
}
