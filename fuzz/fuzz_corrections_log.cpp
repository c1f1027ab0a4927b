// Fuzzes corrections.log: the reader of the running log and of its yearly files, and the
// append of a save to whatever the log holds.
#include "core/corrections_file.h"
#include "core/file_names.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  fuzz::WriteScratch(std::string(kFileCorrections), data, size);
  CorrectionsRead read = ReadCorrectionsWithYears(fuzz::ScratchFolder(), {2026});
  // Every entry read is written again as one line that reads back as the same entry.
  for (const CorrectionEntry& e : read.entries) {
    CorrectionsRead again = ParseCorrections(FormatCorrectionLine(e));
    if (again.entries.size() != 1 || !(again.entries[0] == e)) __builtin_trap();
  }
  Bytes log;
  std::string error;
  AppendCorrections(fuzz::ScratchFolder(), "x\n", 2027, &log, &error);
  return 0;
}
